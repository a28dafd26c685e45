// What the system gives a long run: the memory it may still take, and
// whether someone watches its standard error on a terminal.
#pragma once

#include <cstdint>

// Bytes this process can still allocate (its address space left, and what
// the machine has free); 0 when it cannot be told.
uint64_t MemoryRoom();

// Whether standard error is a terminal, where a progress line can be redrawn.
bool ProgressShownOnTerminal();
