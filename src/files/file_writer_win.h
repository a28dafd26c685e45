// WriteFileWhole for the plug-in: the name in wide characters, as it has it
// from the host, and the system's error code, which it words itself.
#pragma once

#include <windows.h>

#include <string>

// ERROR_SUCCESS when written. A name that may not be replaced (a link, a
// folder, a device) gives ERROR_ACCESS_DENIED, as renaming over a folder does.
DWORD WriteFileWholeWide(const std::wstring& path, const std::string& bytes);
