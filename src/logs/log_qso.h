// One QSO as read from a log file, before it is mapped to the plug-in's
// arguments, and what a reader hands back for a whole file.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/base/input_error.h"
#include "core/engine/host_input.h"
#include "logs/limited_messages.h"

// What the plug-in will be handed for the QSO, as the log has it: OwnCall is
// the call the station used on the air (may be empty), Call the worked station
// in upper case, Time in UTC, Band lower case as the logging program passes it
// ("40m"), Mode upper case ("CW"). Prefix and Continent stay empty: they come
// from the country file when the QSO is mapped (replay_plan.h).
struct LogQso : QsoInput {
  std::string Where;  // "record 12 (line 40)" or "line 17": for messages
  int Line = 0;       // the file line the QSO starts on
};

// Empty when every text the plug-in is handed is free of control
// characters; otherwise which text holds one, for the record's message. A
// line break there would forge lines in err.txt or the Cabrillo file, and a
// NUL would cut the text short at the plug-in's boundary.
std::string ControlCharacterFault(const LogQso& qso);

// `text` trimmed, with each control character a blank: for a value that is
// only shown to the user.
std::string PrintableText(const std::string& text);

struct LogContents {
  std::string Format;        // "ADIF" or "Cabrillo"
  std::string HeaderCall;    // own call from the file's header, if it has one
  std::string Contest;       // the contest it names: Cabrillo's CONTEST:, ADIF's CONTEST_ID
  std::vector<LogQso> Qsos;  // in log order
  // One message per record that could not be read and was left out (the
  // first few of each kind kept, every one counted).
  LimitedMessages Skipped;
  // What the user should know once per log rather than per QSO: an
  // exchange read from a logger's own field, lines not claimed for score.
  std::vector<std::string> Notes;
};
