// The system's own words for an error, for messages the user reads.
#pragma once

#include <windows.h>

#include <string>

// "Access denied." and the like, without the trailing line break, in
// `codePage` (the ANSI page for the host's message boxes, UTF-8 for the
// tools); the code in hexadecimal when the system has no text for it.
std::string SystemErrorText(DWORD code, UINT codePage = CP_ACP);
