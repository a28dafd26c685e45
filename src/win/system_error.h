// The system's own words for an error code, for messages the user reads.
#pragma once

#include <windows.h>

#include <string>

// "Access denied." and the like, without the trailing line break; the code in
// hexadecimal when the system has no text for it.
std::string SystemErrorText(DWORD code);
