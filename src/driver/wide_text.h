// UTF-8 inside, UTF-16 at the system: every path and text the tools hand
// Windows goes through these, so that any name the user can type works.
#pragma once

#include <string>

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
