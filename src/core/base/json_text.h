// Text as a JSON string literal, shared by every JSON the tools and the robot
// write.
#pragma once

#include <cstddef>
#include <string>

// A JSON string literal, always valid UTF-8: each invalid sequence (a stray
// byte, an overlong form, a surrogate, a code point above U+10FFFF) becomes
// U+FFFD, and FormatJson says so in its "notes".
std::string JsonString(const std::string& text);

// How many invalid sequences JsonString has replaced on this thread so far,
// so that an outcome can say that some were.
size_t JsonReplacementCount();
