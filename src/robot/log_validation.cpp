#include "log_validation.h"

#include <algorithm>
#include <memory>
#include <set>

#include "cabrillo_header_check.h"
#include "check_run.h"
#include "entrant_facts.h"
#include "core/base/text.h"
#include "log_file.h"
#include "log_values.h"
#include "native_pass.h"
#include "reading_notes.h"
#include "replay_plan.h"
#include "robot_text.h"

namespace {

// How the log is named in the readers' messages, and taken off them again.
const char kShownName[] = "log";
const size_t kWarningBytes = 300;
const size_t kLongestCall = 20;

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

void Refuse(LogVerdict& verdict, const std::string& reason) {
  verdict.Refused = true;
  verdict.Reasons.push_back(Clipped(reason, kWarningBytes));
}

void Warn(LogVerdict& verdict, const std::string& warning) {
  verdict.Warnings.push_back(Clipped(warning, kWarningBytes));
}

void CheckHeader(const std::string& text, LogVerdict& verdict) {
  CabrilloHeader header = ReadCabrilloHeader(text);
  auto contest = header.Values.find("CONTEST");
  if (contest == header.Values.end())
    Warn(verdict, "no CONTEST: line (this contest is DKZ)");
  if (!header.StartOfLog)
    Warn(verdict, "no START-OF-LOG: line");
  if (!header.EndOfLog)
    Warn(verdict, "no END-OF-LOG: line: the file may have been cut short");
  for (const std::string& fault : header.Faults)
    Warn(verdict, fault);
  for (const std::string& fault : CategoryFaults(header))
    Warn(verdict, fault);
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
      Warn(verdict, "CLAIMED-SCORE: '" + claimed->second + "' is not a number");
  }
}

// QSOs in another mode: the plug-in refuses them, and a CW entry says it has none.
void CheckModes(const LogContents& log, LogVerdict& verdict) {
  size_t otherMode = 0;
  const LogQso* first = nullptr;
  for (const LogQso& qso : log.Qsos) {
    if (qso.Mode != "CW" && ++otherMode == 1)
      first = &qso;
  }
  if (otherMode > 0) {
    Warn(verdict, Counted(otherMode, "QSO is", "QSOs are") + " not CW (first: " + first->Where +
                      ", " + first->Mode + "): this contest counts CW only");
  }
}

void CheckPeriod(const LogContents& log, const RobotSettings& settings, LogVerdict& verdict) {
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
  Warn(verdict, Counted(outside.size(), "QSO is", "QSOs are") + " outside the contest period, " +
                    PeriodText(settings) + ", and score nothing (" + lines +
                    (outside.size() > 5 ? ", ..." : "") + ")");
}

// The plug-in's own code run natively for the check, keeping what it said of
// each QSO in the pass that scores the whole log (its err.txt lines).
class ClaimedPassScorer : public LogScorer {
 public:
  explicit ClaimedPassScorer(ScoreOutcome& claimed) : claimed_(claimed) {}
  std::string Score(const ResetInput& reset, const std::vector<QsoInput>& qsos,
                    std::vector<bool>* stored) override {
    NativePass pass = ScoreNatively(reset, qsos);
    if (stored != nullptr) {
      *stored = pass.Outcome.StoredQso;
      claimed_ = pass.Outcome;
    }
    return pass.Outcome.Summary;
  }

 private:
  ScoreOutcome& claimed_;
};

// The plan of the one log, which the check holds only while the log is done.
class PlanKept : public CheckSink {
 public:
  void EntrantDone(const CheckedContest& contest, int entrant) override {
    Plan = contest.Entrants[entrant].Plan;
  }
  ReplayPlan Plan;
};

// The check's own reading of the log (src/check), as `dkz-score check` takes
// a file: refused for what it rejects, and otherwise its category from the
// sponsor's table, the QSOs that contradict it and the score the plug-in's
// own code gives it.
void JudgeAsTheCheckDoes(const std::string& bytes, const RobotSettings& settings,
                         const CountryFile& countries, const SponsorTable& table,
                         LogVerdict& verdict) {
  CheckSettings check;
  check.From = settings.PeriodFrom;
  check.To = settings.PeriodTo;
  check.Table = table;
  ScoreOutcome claimed;
  auto makeScorer = [&claimed](int) { return std::make_unique<ClaimedPassScorer>(claimed); };
  PlanKept sink;
  CheckedContest contest = CheckSubmissions(
      {ReceivedFile{kShownName, bytes.size(), 0}}, [&bytes](const ReceivedFile&) { return bytes; },
      countries, check, makeScorer, sink);
  const Receipt& receipt = contest.Received.at(0);
  if (receipt.Status == ReceiptStatus::kRejected || contest.Entrants.empty()) {
    Refuse(verdict, Plain(receipt.Reason));
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
    Warn(verdict, "its CATEGORY- headers fit none of this contest's categories");
  }
  if (!entrant.CategoryFault.empty())
    Warn(verdict, "the category contradicts its QSOs: " + entrant.CategoryFault);
  if (entrant.Kind == EntrantKind::kChecklog)
    Warn(verdict, "a checklog: it helps check the other logs and is not ranked");
  if (entrant.Kind == EntrantKind::kNotScored)
    Warn(verdict, "it scores nothing: " + entrant.NotScoredWhy);
  if (entrant.EvidenceOnlyLines > 0) {
    Warn(verdict, Counted(entrant.EvidenceOnlyLines, "QSO line was", "QSO lines were") +
                      " read only as evidence for the other logs: they score nothing for this one");
  }
  for (const std::string& note : LimitEachKind(sink.Plan.Notes, 5))
    Warn(verdict, Plain(note));
  if (!entrant.ClaimedSummary.empty()) {
    verdict.ComputedScore = ScoreOfSummary(entrant.ClaimedSummary);
    std::vector<std::string> refused;
    for (const ErrorProblem& problem : claimed.Problems) {
      if (!claimed.StoredQso[problem.Qso])
        refused.push_back(sink.Plan.Where[problem.Qso] + ": not counted: " + problem.Message);
    }
    for (const std::string& line : LimitEachKind(refused, 5))
      Warn(verdict, line);
  }
}

}  // namespace

LogVerdict ValidateLog(const std::string& bytes, const RobotSettings& settings,
                       const CountryFile& countries, const SponsorTable& table) {
  LogVerdict verdict;
  if (Trim(bytes).empty()) {
    Refuse(verdict, "the file is empty");
    return verdict;
  }
  if (LooksBinary(bytes)) {
    Refuse(verdict, "the file holds binary data: send the log as a text file (Cabrillo or ADIF)");
    return verdict;
  }
  LogContents log;
  try {
    log = ReadLogText(bytes, kShownName);
  } catch (const InputError& error) {
    Refuse(verdict, Plain(error.what()));
    return verdict;
  }
  verdict.Format = log.Format;
  verdict.LinesRead = static_cast<int64_t>(log.Qsos.size());
  verdict.LinesUnreadable = static_cast<int64_t>(log.Skipped.size());
  if (log.Format == "Cabrillo")
    CheckHeader(bytes, verdict);
  else
    Warn(verdict, "an ADIF log carries no category: send Cabrillo to enter one");
  for (const std::string& line : LimitEachKind(log.Skipped, 10))
    Warn(verdict, Plain(line));
  for (const std::string& note : log.Notes)
    Warn(verdict, Plain(note));
  // The own call is judged by the check alone, so that both take the same calls.
  JudgeAsTheCheckDoes(bytes, settings, countries, table, verdict);
  if (verdict.Refused)
    return verdict;
  CheckPeriod(log, settings, verdict);
  CheckModes(log, verdict);
  std::set<std::string> worked;
  std::vector<std::string> notCalls;
  for (const LogQso& qso : log.Qsos) {
    if (IsCallText(qso.Call))
      worked.insert(qso.Call);
    else
      notCalls.push_back(qso.Where + ": the worked call '" + Clipped(qso.Call, 30) +
                         "' is not a callsign");
  }
  for (const std::string& line : LimitEachKind(notCalls, 5))
    Warn(verdict, line);
  verdict.WorkedCalls.assign(worked.begin(), worked.end());
  if (verdict.ClaimedScore && verdict.ComputedScore &&
      *verdict.ClaimedScore != *verdict.ComputedScore) {
    Warn(verdict, "the header claims " + std::to_string(*verdict.ClaimedScore) +
                      " points; the contest's rules give " +
                      std::to_string(*verdict.ComputedScore));
  }
  return verdict;
}
