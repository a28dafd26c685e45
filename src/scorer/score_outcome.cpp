#include "score_outcome.h"

#include "core/base/text.h"

namespace {

// The plug-in's messages for the QSOs it refuses.
const struct {
  const char* Message;
  int RefusalCounts::*Counter;
} kRefusals[] = {
    {"NO CONTEST BAND !!!", &RefusalCounts::Band},
    {"NO CONTEST MODE !!!", &RefusalCounts::Mode},
    {"NO RX NUMBER !!!", &RefusalCounts::NoExchange},
};

// An err.txt line repeats the QSO's fields two blanks apart; the message
// (words one blank apart) follows the last such gap.
std::string MessageOf(const std::string& line) {
  size_t gap = line.rfind("  ");
  return gap == std::string::npos ? line : line.substr(gap + 2);
}

}  // namespace

void TakeErrorLines(ScoreOutcome& outcome, size_t qso, bool refused, const std::string& lines) {
  bool reasonFound = false;
  for (const std::string& line : SplitLines(lines)) {
    if (line.empty())
      continue;
    ErrorProblem problem{qso, MessageOf(line), line};
    for (const auto& refusal : kRefusals) {
      if (refused && !reasonFound && problem.Message == refusal.Message) {
        ++(outcome.RefusedBy.*refusal.Counter);
        reasonFound = true;
      }
    }
    outcome.Problems.push_back(std::move(problem));
  }
  if (refused && !reasonFound)
    ++outcome.RefusedBy.NotSaid;
}
