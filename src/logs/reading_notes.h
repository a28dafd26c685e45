// What the user is told about reading a log, in a length a person reads.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "log_qso.h"

// The lines to print for `messages`, in their order, with at most `perKind`
// of one kind and, after the last one shown, how many more of it there
// were. Messages are of one kind when they differ only in their numbers and
// quoted values ('...'): a log of another contest fails the same way on
// every line, and 2,700 such lines hide everything else.
std::vector<std::string> LimitEachKind(const std::vector<std::string>& messages,
                                       size_t perKind = 20);

// The reader's messages of a log: the skipped records (limited as above),
// then its notes.
std::vector<std::string> ReadingNotes(const LogContents& log);
