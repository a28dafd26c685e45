#include "submission.h"

#include <algorithm>
#include <unordered_set>

#include "call_text.h"
#include "core/base/text.h"
#include "evidence_line.h"
#include "log_file.h"
#include "replay_plan.h"

namespace {

// "TAG" of a "TAG: value" line, upper case; empty when the line has none.
std::string TagOf(const std::string& line, std::string& value) {
  size_t colon = line.find(':');
  if (colon == std::string::npos)
    return "";
  value = BlankControlCharacters(Trim(line.substr(colon + 1)));
  return MatchForm(line.substr(0, colon));
}

// The header's tags, and the QSO lines the reader did not take, numbered as
// the reader numbers them (a lone CR ends a line too).
void ReadCabrilloRest(const std::string& bytes, Submission& s) {
  std::unordered_set<int> taken;
  for (const LogQso& qso : s.Log.Qsos)
    taken.insert(qso.Line);
  std::string text = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
      text[i] = '\n';
  }
  int number = 0;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    std::string line = text.substr(start, end - start);
    start = end == std::string::npos ? text.size() : end + 1;
    ++number;
    std::string value;
    std::string tag = TagOf(line, value);
    SubmissionHeader& h = s.Header;
    if (tag == "END-OF-LOG")
      break;
    if (tag == "CATEGORY-OPERATOR")
      h.Categories.Operator = MatchForm(value);
    else if (tag == "CATEGORY-BAND")
      h.Categories.Band = MatchForm(value);
    else if (tag == "CATEGORY-TRANSMITTER")
      h.Categories.Transmitter = MatchForm(value);
    else if (tag == "CATEGORY-POWER")
      h.Categories.Power = MatchForm(value);
    else if (tag == "CLAIMED-SCORE")
      h.ClaimedScore = value;
    else if (tag == "SOAPBOX" && !value.empty())
      h.Soapbox.push_back(value);
    if ((tag != "QSO" && tag != "X-QSO") || taken.count(number) != 0)
      continue;
    LogQso qso;
    qso.Line = number;
    qso.Where = "line " + std::to_string(number);
    if (ReadEvidenceLine(value, qso))
      s.MoreEvidence.push_back(std::move(qso));
    else
      ++s.UnreadableLines;
  }
}

}  // namespace

Submission ReadSubmission(const std::string& file, const std::string& bytes) {
  Submission s;
  s.File = file;
  s.Log = ReadLogText(bytes, file);
  s.Header.Contest = MatchForm(s.Log.Contest);
  if (s.Log.Format == "Cabrillo")
    ReadCabrilloRest(bytes, s);
  else
    s.UnreadableLines = static_cast<int>(s.Log.Skipped.size());
  s.Call = BlankControlCharacters(LogOwnCall(s.Log));
  if (s.Call.empty()) {
    for (const LogQso& qso : s.MoreEvidence) {
      if (!qso.OwnCall.empty()) {
        s.Call = qso.OwnCall;
        break;
      }
    }
  }
  return s;
}
