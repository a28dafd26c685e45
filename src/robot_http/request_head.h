// How much of a request's head (its request line and header lines, up to the
// blank line) the robot takes, and the scan that tells whether what has
// arrived so far is a whole head within those bounds.
#pragma once

#include <cstddef>
#include <string_view>

// Room for any browser's or script's headers; a head beyond it is a flood.
constexpr size_t kHeadBytes = 16 * 1024;
constexpr size_t kHeadLines = 100;

enum class HeadState { Incomplete, Complete, TooLarge };

// `seen`: the first bytes of a connection.
HeadState ScanRequestHead(std::string_view seen);
