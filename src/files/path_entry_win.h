// EntryAt for a name in wide characters, as the plug-in has it from the host.
#pragma once

#include <string>

#include "files/path_entry.h"

EntryKind EntryAtWide(const std::wstring& path);

// The full path of `path`; empty when the system cannot make one.
std::wstring FullPathWide(const std::wstring& path);
