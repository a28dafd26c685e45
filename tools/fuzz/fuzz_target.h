// The entry point every fuzz target defines: libFuzzer calls it with each
// input it tries, and replay_main.cpp with each file of the target's corpus.
// A target aborts when a reader breaks a promise its header makes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

inline void FuzzExpect(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
  }
}
