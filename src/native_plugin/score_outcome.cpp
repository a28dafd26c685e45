#include "native_plugin/score_outcome.h"

#include <map>

#include "core/base/text.h"
#include "core/contest/contest_rules.h"
#include "logs/log_values.h"
#include "report_page/summary_table.h"

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

// The messages after which the plug-in no longer counts a stored QSO, and the
// one it writes for a code that is no district.
const char* const kDupeMessage = "DUPE !!!";
const char* const kZeroPointsMessage = "QSO 0 points !!!";
const char* const kCodeMessage = "Code is not acceptable !!!";

// The contest this plug-in scores, as a log's CONTEST: header names it.
const char* const kContestName = "DKZ";

// An err.txt line repeats the QSO's fields two blanks apart; the message
// (words one blank apart) follows the last such gap.
std::string MessageOf(const std::string& line) {
  size_t gap = line.rfind("  ");
  return gap == std::string::npos ? line : line.substr(gap + 2);
}

}  // namespace

std::string CountOf(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

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

std::vector<bool> CountingQsos(const ScoreOutcome& outcome) {
  std::vector<bool> counts(outcome.HandedOver.size());
  for (size_t i = 0; i < counts.size(); ++i)
    counts[i] = i < outcome.StoredQso.size() && outcome.StoredQso[i];
  for (const ErrorProblem& problem : outcome.Problems) {
    if (problem.Message == kDupeMessage || problem.Message == kZeroPointsMessage)
      counts[problem.Qso] = false;
  }
  return counts;
}

void SortOutNotes(ScoreOutcome& outcome) {
  const std::vector<bool> counts = CountingQsos(outcome);
  for (ErrorProblem& problem : outcome.Problems) {
    problem.Note =
        problem.Message == kCodeMessage && counts[problem.Qso] &&
        !kDkzRules.IsJapanese(kDkzRules.FoldPrefix(outcome.HandedOver[problem.Qso].Prefix));
  }
}

std::vector<std::string> RunWarnings(const ScoreOutcome& o) {
  std::vector<std::string> warnings;
  if (!o.LogContest.empty() && ToUpper(o.LogContest).rfind(kContestName, 0) != 0) {
    warnings.push_back("the log names the contest " + o.LogContest + "; it is scored here by the " +
                       kContestName + " contest's rules");
  }
  const bool japanese = kDkzRules.IsJapanese(o.Reset.OwnPrefix);
  bool withJapan = false, withWorld = false;
  for (const QsoInput& qso : o.HandedOver)
    (kDkzRules.IsJapanese(kDkzRules.FoldPrefix(qso.Prefix)) ? withJapan : withWorld) = true;
  if (!o.HandedOver.empty() && !japanese && !withJapan)
    warnings.push_back(
        "no QSO is with a station in Japan; an operator outside Japan scores only "
        "those");
  if (!o.HandedOver.empty() && japanese && !withWorld)
    warnings.push_back("no QSO is with a station outside Japan; a Japanese operator scores " +
                       std::to_string(kDkzRules.JapaneseOperator.PointsWithOthers) +
                       " points for each");
  const std::optional<long long> score = ParseSummaryTable(o.Summary).Score;
  if (o.Stored == 0) {
    warnings.push_back("nothing in this log scores: the plug-in stored none of its " +
                       CountOf(o.HandedOver.size(), "QSO", "QSOs") + " handed over");
  } else if (score && *score == 0) {
    warnings.push_back("nothing in this log scores: the score is 0");
  }
  return warnings;
}

std::vector<std::string> NoContinentNotes(const ScoreOutcome& o) {
  std::vector<std::string> notes;
  if (!kDkzRules.OperatorOf(o.Reset.OwnPrefix).ContinentsMultiply)
    return notes;
  const std::vector<bool> counts = CountingQsos(o);
  std::vector<std::string> bands;
  std::map<std::string, std::vector<std::string>> callsOfBand;
  for (size_t i = 0; i < o.HandedOver.size(); ++i) {
    const QsoInput& qso = o.HandedOver[i];
    if (!counts[i] || !qso.Continent.empty())
      continue;
    std::vector<std::string>& calls = callsOfBand[qso.Band];
    if (calls.empty())
      bands.push_back(qso.Band);
    calls.push_back(qso.Call);
  }
  for (const std::string& band : bands) {
    const std::vector<std::string>& calls = callsOfBand[band];
    std::string names;
    for (size_t i = 0; i < calls.size() && i < 5; ++i)
      names += (i == 0 ? "" : ", ") + calls[i];
    if (calls.size() > 5)
      names += ", ...";
    notes.push_back(band + ": " + CountOf(calls.size(), "QSO", "QSOs") + " without a continent (" +
                    names + "): the plug-in counts the empty continent as one more continent " +
                    "multiplier on " + band);
  }
  return notes;
}
