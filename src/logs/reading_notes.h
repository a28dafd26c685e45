// What the user is told about reading a log, in a length a person reads.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "logs/log_qso.h"

// Messages of one kind shown to whoever scores a log.
constexpr size_t kReadingNotesPerKind = 20;

// The lines to print for `messages`, in their order, with at most `perKind`
// of one kind (as LimitedMessages tells kinds) and, after the last one
// shown, how many more of it there were.
std::vector<std::string> LimitEachKind(const std::vector<std::string>& messages,
                                       size_t perKind = kReadingNotesPerKind);

// The reader's messages of a log: the skipped records (limited as above),
// then its notes.
std::vector<std::string> ReadingNotes(const LogContents& log);
