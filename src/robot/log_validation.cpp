#include "log_validation.h"

#include <algorithm>
#include <set>

#include "cabrillo_header_check.h"
#include "check_results.h"
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
  if (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0)
    return false;
  std::string head = bytes.substr(0, 512);
  if (std::count(head.begin(), head.end(), '\0') * 4 >= static_cast<std::ptrdiff_t>(head.size()))
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

bool IsCallText(const std::string& call) {
  return !call.empty() && call.size() <= kLongestCall &&
         call.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/") == std::string::npos;
}

std::string OwnCallOf(const LogContents& log) {
  if (!log.HeaderCall.empty())
    return log.HeaderCall;
  for (const LogQso& qso : log.Qsos) {
    if (!qso.OwnCall.empty())
      return qso.OwnCall;
  }
  return "";
}

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

void CheckHeader(const std::string& text, LogVerdict& verdict, CategoryReading& category) {
  CabrilloHeader header = ReadCabrilloHeader(text);
  auto contest = header.Values.find("CONTEST");
  if (contest == header.Values.end()) {
    Warn(verdict, "no CONTEST: line (this contest is DKZ)");
  } else if (!IsThisContest(contest->second)) {
    Refuse(verdict, "CONTEST: " + contest->second + " is another contest; this robot takes DKZ");
  }
  if (!header.StartOfLog)
    Warn(verdict, "no START-OF-LOG: line");
  if (!header.EndOfLog)
    Warn(verdict, "no END-OF-LOG: line: the file may have been cut short");
  for (const std::string& fault : header.Faults)
    Warn(verdict, fault);
  category = ReadCategory(header);
  for (const std::string& fault : category.Faults)
    Warn(verdict, fault);
  verdict.Category = category.Code;
  verdict.CategoryText = category.Text;
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

// QSOs that do not fit the category the header claims.
void CheckCategoryAgainstQsos(const LogContents& log, const CategoryReading& category,
                              LogVerdict& verdict) {
  size_t otherBand = 0, otherMode = 0;
  const LogQso* firstBand = nullptr;
  const LogQso* firstMode = nullptr;
  for (const LogQso& qso : log.Qsos) {
    if (!category.Band.empty() && ToLower(qso.Band) != category.Band && ++otherBand == 1)
      firstBand = &qso;
    if (qso.Mode != "CW" && ++otherMode == 1)
      firstMode = &qso;
  }
  if (otherBand > 0) {
    Warn(verdict, "the category is single-band " + category.Band + ", but " +
                      Counted(otherBand, "QSO is", "QSOs are") +
                      " on other bands (first: " + firstBand->Where + ", " + firstBand->Band + ")");
  }
  if (otherMode > 0) {
    Warn(verdict, Counted(otherMode, "QSO is", "QSOs are") + " not CW (first: " + firstMode->Where +
                      ", " + firstMode->Mode + "): this contest counts CW only");
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
  if (outside.size() == log.Qsos.size()) {
    Refuse(verdict, "none of its " + std::to_string(log.Qsos.size()) +
                        " QSOs is within the contest period, " + PeriodText(settings));
    return;
  }
  std::string lines;
  for (size_t i = 0; i < outside.size() && i < 5; ++i)
    lines += (i ? ", " : "") + outside[i];
  Warn(verdict, Counted(outside.size(), "QSO is", "QSOs are") + " outside the contest period, " +
                    PeriodText(settings) + ", and score nothing (" + lines +
                    (outside.size() > 5 ? ", ..." : "") + ")");
}

// The claimed score as the plug-in's own code gives it, and the QSOs it refused.
void Score(const LogContents& log, const RobotSettings& settings, const CountryFile& countries,
           LogVerdict& verdict) {
  ReplayOptions options;
  options.PeriodStart = settings.PeriodFrom;
  options.PeriodEnd = settings.PeriodTo;
  ReplayPlan plan = PlanReplay(log, countries, options, kShownName);
  NativePass pass = ScoreNatively(plan.Reset, plan.Qsos);
  verdict.ComputedScore = ScoreOfSummary(pass.Outcome.Summary);
  std::vector<std::string> refused;
  for (const ErrorProblem& problem : pass.Outcome.Problems) {
    if (!pass.Outcome.StoredQso[problem.Qso])
      refused.push_back(plan.Where[problem.Qso] + ": not counted: " + problem.Message);
  }
  for (const std::string& line : LimitEachKind(refused, 5))
    Warn(verdict, line);
  for (const std::string& note : LimitEachKind(plan.Notes, 5))
    Warn(verdict, Plain(note));
}

}  // namespace

LogVerdict ValidateLog(const std::string& bytes, const RobotSettings& settings,
                       const CountryFile& countries) {
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
  CategoryReading category;
  if (log.Format == "Cabrillo") {
    CheckHeader(bytes, verdict, category);
  } else {
    if (!log.Contest.empty() && !IsThisContest(log.Contest))
      Refuse(verdict, "CONTEST_ID " + log.Contest + " is another contest; this robot takes DKZ");
    Warn(verdict, "an ADIF log carries no category: send Cabrillo to enter one");
  }
  for (const std::string& line : LimitEachKind(log.Skipped, 10))
    Warn(verdict, Plain(line));
  for (const std::string& note : log.Notes)
    Warn(verdict, Plain(note));
  if (log.Qsos.empty()) {
    Refuse(verdict, log.Skipped.empty()
                        ? "no QSO found: this is not a contest log"
                        : "none of its " + Counted(log.Skipped.size(), "QSO line", "QSO lines") +
                              " could be read");
    return verdict;
  }
  verdict.Call = ToUpper(OwnCallOf(log));
  CountryMatch own;
  if (verdict.Call.empty()) {
    Refuse(verdict, "the log names no own call (CALLSIGN: in the header, or in its QSO lines)");
  } else if (!IsCallText(verdict.Call)) {
    Refuse(verdict, "the own call '" + verdict.Call + "' is not a callsign");
  } else if (!countries.Find(verdict.Call, own)) {
    Refuse(verdict, "the own call " + verdict.Call + " is of no country the country file knows");
  }
  CheckPeriod(log, settings, verdict);
  if (verdict.Refused)
    return verdict;
  if (category.Checklog)
    Warn(verdict, "a checklog: it helps check the other logs and is not ranked");
  CheckCategoryAgainstQsos(log, category, verdict);
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
  try {
    Score(log, settings, countries, verdict);
  } catch (const std::exception& error) {
    Warn(verdict, std::string("no score computed: ") + Plain(error.what()));
  }
  if (verdict.ClaimedScore && verdict.ComputedScore &&
      *verdict.ClaimedScore != *verdict.ComputedScore) {
    Warn(verdict, "the header claims " + std::to_string(*verdict.ClaimedScore) +
                      " points; the contest's rules give " +
                      std::to_string(*verdict.ComputedScore));
  }
  return verdict;
}
