#include "report_gather.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <unordered_map>

#include "base/text.h"
#include "contest/districts.h"
#include "contest/rules.h"
#include "engine/acceptance.h"
#include "engine/error_file.h"
#include "summary_table.h"

namespace {

// The messages after which the plug-in no longer counts a stored QSO, and the
// one it writes for a code that is no district.
const char* const kDupeKind = "DUPE";
const char* const kZeroPointsKind = "QSO 0 points";
const char* const kCodeKind = "Code is not acceptable";

// The message is the text after the line's last double space, "!!!" cut off.
std::string KindOf(const std::string& line) {
  size_t gap = line.rfind("  ");
  std::string kind = Trim(gap == std::string::npos ? line : line.substr(gap));
  const std::string bangs = "!!!";
  if (kind.size() >= bangs.size() &&
      kind.compare(kind.size() - bangs.size(), bangs.size(), bangs) == 0)
    kind = Trim(kind.substr(0, kind.size() - bangs.size()));
  return kind;
}

std::vector<std::string> ErrorLines(const std::string& errText) {
  std::vector<std::string> lines;
  std::stringstream in(errText);
  const std::string header = Trim(kErrorFileHeader);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (!Trim(line).empty() && !(lines.empty() && Trim(line) == header))
      lines.push_back(line);
  }
  return lines;
}

// Every head is longer than this (its fixed fields alone are), so the start
// of a line picks the few QSOs of that minute, frequency and mode.
const size_t kKeyLength = 32;

class QsoOfLine {
 public:
  explicit QsoOfLine(const std::vector<QsoInput>& qsos) {
    for (const QsoInput& qso : qsos)
      heads_.push_back(ErrorLineHead(qso));
    for (size_t i = 0; i < heads_.size(); ++i)
      byKey_[heads_[i].substr(0, kKeyLength)].push_back(i);
  }

  // The QSO of `line`, or npos; lines must be asked in file order.
  size_t Find(const std::string& line) {
    auto found = byKey_.find(line.substr(0, kKeyLength));
    if (found == byKey_.end())
      return std::string::npos;
    const std::vector<size_t>& candidates = found->second;
    for (auto i = std::lower_bound(candidates.begin(), candidates.end(), from_);
         i != candidates.end(); ++i) {
      const std::string& head = heads_[*i];
      if (line.size() > head.size() && line.compare(0, head.size(), head) == 0 &&
          line[head.size()] == ' ') {
        from_ = *i;
        return *i;
      }
    }
    return std::string::npos;
  }

 private:
  std::vector<std::string> heads_;
  std::unordered_map<std::string, std::vector<size_t>> byKey_;
  size_t from_ = 0;
};

}  // namespace

int64_t MinuteOfOleDate(double days) {
  return static_cast<int64_t>(std::floor(days * 1440.0 + 0.5 / 60.0));
}

ReportFacts GatherReportFacts(const ResetInput& reset, const std::vector<QsoInput>& qsos,
                              const std::vector<bool>& stored, const std::string& errText,
                              const std::string& summaryText) {
  ReportFacts facts;
  facts.Summary = ParseSummaryTable(summaryText);
  facts.PeriodStartMinute = MinuteOfOleDate(reset.PeriodStart.Date);
  facts.PeriodEndMinute = MinuteOfOleDate(reset.PeriodEnd.Date) + 24 * 60;

  facts.Qsos.resize(qsos.size());
  for (size_t i = 0; i < qsos.size(); ++i) {
    ReportQso& qso = facts.Qsos[i];
    qso.Minute = MinuteOfOleDate(qsos[i].Time.Date);
    qso.Band = qsos[i].Band;
    qso.Continent = qsos[i].Continent;
    qso.Stored = i < stored.size() && stored[i];
    qso.Counts = qso.Stored;
    std::string code = NormalizeCode(qsos[i].ExchRcvd);
    if (qso.Stored && FindDistrict(code))
      qso.District = code;
  }

  QsoOfLine owner(qsos);
  std::vector<size_t> lineQso;
  for (std::string& line : ErrorLines(errText)) {
    ProblemLine problem{KindOf(line), std::move(line), false};
    size_t i = owner.Find(problem.Line);
    if (i != std::string::npos && (problem.Kind == kDupeKind || problem.Kind == kZeroPointsKind))
      facts.Qsos[i].Counts = false;
    lineQso.push_back(i);
    facts.Problems.push_back(std::move(problem));
  }
  // Only now is it known whether a line's QSO counts after all.
  for (size_t n = 0; n < facts.Problems.size(); ++n) {
    size_t i = lineQso[n];
    facts.Problems[n].Note = i != std::string::npos && facts.Problems[n].Kind == kCodeKind &&
                             facts.Qsos[i].Counts && !IsJapanese(FoldPrefix(qsos[i].Prefix));
  }
  return facts;
}
