#include "robot/log_validation.h"

#include <algorithm>
#include <memory>
#include <set>
#include <utility>

#include "check/check_run.h"
#include "check/entrant_facts.h"
#include "check/interned_text.h"
#include "core/base/text.h"
#include "logs/limited_messages.h"
#include "logs/log_file.h"
#include "logs/log_values.h"
#include "logs/replay_plan.h"
#include "native_plugin/native_pass.h"
#include "robot/cabrillo_header_check.h"
#include "robot/robot_text.h"

namespace {

// How the log is named in the readers' messages, and taken off them again.
const char kShownName[] = "log";
const size_t kWarningBytes = 300;
const size_t kLongestCall = 20;
// A log of a million faulty lines is told in a few lines of each kind.
const size_t kWarningsPerKind = 5;
// What a warning quotes of a worked call that is none.
const size_t kQuotedCall = 30;

// A verdict while it is made: its warnings come one by one, and only the
// first few of each kind are kept.
struct Judgement {
  LogVerdict Verdict;
  LimitedMessages Warnings{kWarningsPerKind};
};

std::string Plain(const std::string& message) {
  std::string prefix = std::string(kShownName) + ": ";
  std::string text =
      message.compare(0, prefix.size(), prefix) == 0 ? message.substr(prefix.size()) : message;
  return Clipped(text, kWarningBytes);
}

std::string Counted(size_t count, const std::string& one, const std::string& many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// Text logs hold no control bytes but line ends, tabs and the odd form feed.
// UTF-16 text, whose NULs look binary, is left to the reader, which names it.
bool LooksBinary(const std::string& bytes) {
  if (LooksLikeUtf16(bytes))
    return false;
  size_t controls = 0;
  for (char c : bytes) {
    if (c == '\0')
      return true;
    if (IsControlCharacter(c) && c != '\n' && c != '\r' && c != '\t' && c != '\f')
      ++controls;
  }
  return controls * 100 > bytes.size();
}

}  // namespace

bool IsCallText(const std::string& call) {
  return !call.empty() && call.size() <= kLongestCall &&
         call.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/") == std::string::npos;
}

namespace {

bool InPeriod(const OleDateTime& time, const RobotSettings& settings) {
  auto key = [](const CalendarTime& c) { return c.Year * 10000 + c.Month * 100 + c.Day; };
  CalendarTime t{};
  return !settings.PeriodFrom || !ToCalendarTime(time, t) ||
         (key(*settings.PeriodFrom) <= key(t) && key(t) <= key(*settings.PeriodTo));
}

void Refuse(Judgement& judged, const std::string& reason) {
  judged.Verdict.Refused = true;
  judged.Verdict.Reasons.push_back(Clipped(reason, kWarningBytes));
}

void Warn(Judgement& judged, const std::string& warning) {
  judged.Warnings.Add(Clipped(warning, kWarningBytes));
}

void CheckHeader(const std::string& text, Judgement& judged) {
  LogVerdict& verdict = judged.Verdict;
  CabrilloHeader header = ReadCabrilloHeader(text);
  auto contest = header.Values.find("CONTEST");
  if (contest == header.Values.end())
    Warn(judged, "no CONTEST: line (this contest is DKZ)");
  if (!header.StartOfLog)
    Warn(judged, "no START-OF-LOG: line");
  if (!header.EndOfLog)
    Warn(judged, "no END-OF-LOG: line: the file may have been cut short");
  judged.Warnings.Add(header.Faults, [](const std::string& fault) { return Plain(fault); });
  for (const std::string& fault : CategoryFaults(header))
    Warn(judged, fault);
  auto email = header.Values.find("EMAIL");
  if (email != header.Values.end())
    verdict.Email = Clipped(email->second, 200);
  auto claimed = header.Values.find("CLAIMED-SCORE");
  if (claimed != header.Values.end()) {
    std::string digits = ReplaceAll(claimed->second, ",", "");
    if (!digits.empty() && digits.size() <= 12 &&
        digits.find_first_not_of("0123456789") == std::string::npos)
      verdict.ClaimedScore = std::stoll(digits);
    else
      Warn(judged, "CLAIMED-SCORE: '" + claimed->second + "' is not a number");
  }
}

// QSOs in another mode: the plug-in refuses them, and a CW entry says it has none.
void CheckModes(const LogContents& log, Judgement& judged) {
  size_t otherMode = 0;
  const LogQso* first = nullptr;
  for (const LogQso& qso : log.Qsos) {
    if (qso.Mode != "CW" && ++otherMode == 1)
      first = &qso;
  }
  if (otherMode > 0) {
    Warn(judged, Counted(otherMode, "QSO is", "QSOs are") + " not CW (first: " + first->Where +
                     ", " + first->Mode + "): this contest counts CW only");
  }
}

void CheckPeriod(const LogContents& log, const RobotSettings& settings, Judgement& judged) {
  std::vector<std::string> outside;
  for (const LogQso& qso : log.Qsos) {
    if (!InPeriod(qso.Time, settings))
      outside.push_back(qso.Where);
  }
  if (outside.empty())
    return;
  std::string lines;
  for (size_t i = 0; i < outside.size() && i < 5; ++i)
    lines += (i ? ", " : "") + outside[i];
  Warn(judged, Counted(outside.size(), "QSO is", "QSOs are") + " outside the contest period, " +
                   PeriodText(settings) + ", and score nothing (" + lines +
                   (outside.size() > 5 ? ", ..." : "") + ")");
}

// The plug-in's own code run natively for the check, keeping what it said of
// each QSO it refused in the pass that scores the whole log (its err.txt lines).
class ClaimedPassScorer : public LogScorer {
 public:
  explicit ClaimedPassScorer(std::vector<ErrorProblem>& refusals) : refusals_(refusals) {}
  std::string Score(const ResetInput& reset, const std::vector<QsoInput>& qsos,
                    std::vector<bool>* stored) override {
    if (stored == nullptr)
      return NativeScorer().Score(reset, qsos, nullptr);
    return ScoreKeepingRefusals(reset, qsos, *stored, refusals_);
  }

 private:
  std::vector<ErrorProblem>& refusals_;
};

// What the robot says of the one log's plan, taken while the check holds it:
// its notes, and where each QSO the plug-in refused stands.
class PlanKept : public CheckSink {
 public:
  explicit PlanKept(const std::vector<ErrorProblem>& refusals) : refusals_(refusals) {}
  void EntrantDone(const CheckedContest& contest, int entrant) override {
    const ReplayPlan& plan = contest.Entrants[entrant].Plan;
    Notes = plan.Notes;
    for (const ErrorProblem& problem : refusals_)
      Refused.push_back(plan.Where[problem.Qso] + ": not counted: " + problem.Message);
  }
  std::vector<std::string> Notes;
  std::vector<std::string> Refused;

 private:
  const std::vector<ErrorProblem>& refusals_;
};

// The check's own reading of the log (src/check), as `dkz-score check` takes
// a file: refused for what it rejects, and otherwise its category from the
// sponsor's table, the QSOs that contradict it and the score the plug-in's
// own code gives it.
void JudgeAsTheCheckDoes(const std::string& bytes, const RobotSettings& settings,
                         const CountryFile& countries, const SponsorTable& table,
                         Judgement& judged) {
  LogVerdict& verdict = judged.Verdict;
  CheckSettings check;
  check.From = settings.PeriodFrom;
  check.To = settings.PeriodTo;
  check.Table = table;
  std::vector<ErrorProblem> refusals;
  auto makeScorer = [&refusals](int) { return std::make_unique<ClaimedPassScorer>(refusals); };
  PlanKept sink(refusals);
  CheckedContest contest = CheckSubmissions(
      {ReceivedFile{kShownName, bytes.size(), 0}}, [&bytes](const ReceivedFile&) { return bytes; },
      countries, check, makeScorer, sink);
  const Receipt& receipt = contest.Received.at(0);
  if (receipt.Status == ReceiptStatus::kRejected || contest.Entrants.empty()) {
    Refuse(judged, Plain(receipt.Reason));
    return;
  }
  const Entrant& entrant = contest.Entrants.front();
  verdict.Call = entrant.Call;
  if (entrant.HasCategory) {
    verdict.Category = entrant.Class.Code;
    verdict.CategoryText = entrant.Class.Title;
  } else if (entrant.Kind == EntrantKind::kChecklog) {
    verdict.Category = "CHECKLOG";
    verdict.CategoryText = "checklog";
  } else if (verdict.Format == "Cabrillo") {
    Warn(judged, "its CATEGORY- headers fit none of this contest's categories");
  }
  if (!entrant.CategoryFault.empty())
    Warn(judged, "the category contradicts its QSOs: " + entrant.CategoryFault);
  if (entrant.Kind == EntrantKind::kChecklog)
    Warn(judged, "a checklog: it helps check the other logs and is not ranked");
  if (entrant.Kind == EntrantKind::kNotScored)
    Warn(judged, "it scores nothing: " + entrant.NotScoredWhy);
  if (entrant.EvidenceOnlyLines > 0) {
    Warn(judged, Counted(entrant.EvidenceOnlyLines, "QSO line was", "QSO lines were") +
                     " read only as evidence for the other logs: they score nothing for this one");
  }
  for (const std::string& note : sink.Notes)
    Warn(judged, Plain(note));
  if (!entrant.ClaimedSummary.empty())
    verdict.ComputedScore = ScoreOfSummary(entrant.ClaimedSummary);
  for (const std::string& refused : sink.Refused)
    Warn(judged, refused);
}

void Judge(const std::string& bytes, const RobotSettings& settings, const CountryFile& countries,
           const SponsorTable& table, Judgement& judged) {
  LogVerdict& verdict = judged.Verdict;
  if (Trim(bytes).empty()) {
    Refuse(judged, "the file is empty");
    return;
  }
  if (LooksBinary(bytes)) {
    Refuse(judged, "the file holds binary data: send the log as a text file (Cabrillo or ADIF)");
    return;
  }
  LogContents log;
  try {
    log = ReadLogText(bytes, kShownName);
  } catch (const InputError& error) {
    Refuse(judged, Plain(error.what()));
    return;
  }
  verdict.Format = log.Format;
  verdict.LinesRead = static_cast<int64_t>(log.Qsos.size());
  verdict.LinesUnreadable = static_cast<int64_t>(log.Skipped.size());
  if (log.Format == "Cabrillo")
    CheckHeader(bytes, judged);
  else
    Warn(judged, "an ADIF log carries no category: send Cabrillo to enter one");
  judged.Warnings.Add(log.Skipped, [](const std::string& line) { return Plain(line); });
  for (const std::string& note : log.Notes)
    Warn(judged, Plain(note));
  // The own call is judged by the check alone, so that both take the same calls.
  JudgeAsTheCheckDoes(bytes, settings, countries, table, judged);
  if (verdict.Refused)
    return;
  CheckPeriod(log, settings, judged);
  CheckModes(log, judged);
  std::set<std::string> worked;
  for (const LogQso& qso : log.Qsos) {
    if (IsCallText(qso.Call))
      worked.insert(qso.Call);
    else
      Warn(judged, qso.Where + ": the worked call '" + Clipped(qso.Call, kQuotedCall) +
                       "' is not a callsign");
  }
  verdict.WorkedCalls.assign(worked.begin(), worked.end());
  if (verdict.ClaimedScore && verdict.ComputedScore &&
      *verdict.ClaimedScore != *verdict.ComputedScore) {
    Warn(judged, "the header claims " + std::to_string(*verdict.ClaimedScore) +
                     " points; the contest's rules give " + std::to_string(*verdict.ComputedScore));
  }
}

}  // namespace

LogVerdict ValidateLog(const std::string& bytes, const RobotSettings& settings,
                       const CountryFile& countries, const SponsorTable& table) {
  // The texts of this upload's check are freed with it: the robot judges
  // upload after upload, on several threads at once.
  TextPoolScope texts;
  Judgement judged;
  Judge(bytes, settings, countries, table, judged);
  judged.Verdict.Warnings = judged.Warnings.Lines(kWarningsPerKind);
  return std::move(judged.Verdict);
}
