// Text between the system's wide characters and a byte code page: UTF-8 for
// the tools, the ANSI page for the names and messages the host hands over.
#pragma once

#include <windows.h>

#include <string>

std::wstring Widen(const std::string& text, UINT codePage = CP_UTF8);
std::string Narrow(const std::wstring& wide, UINT codePage = CP_UTF8);
