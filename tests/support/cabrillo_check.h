// A structural check of a Cabrillo 3.0 log, written from the format's public
// description rather than from our writer: what a contest robot would refuse.
#pragma once

#include <string>
#include <vector>

// Problems found, one text each naming the line; empty when the log passes.
// Checks: CR LF line ends and printable characters only; START-OF-LOG: 3.0
// first and END-OF-LOG: last; every line a known tag followed by ": " (or
// nothing); single-use tags used once; header before QSO lines; an integer
// claimed score; QSO lines of eleven tokens with a kHz frequency, a known
// mode, a real date and time, in time order.
std::vector<std::string> CabrilloProblems(const std::string& log);
