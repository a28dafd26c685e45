#include "check/submission.h"

#include <algorithm>
#include <string_view>

#include "check/call_text.h"
#include "check/evidence_line.h"
#include "core/base/text.h"
#include "logs/log_file.h"
#include "logs/replay_plan.h"

// Tags are compared by length first: a file can hold millions of lines.
using namespace std::string_view_literals;

namespace {

// The header's tags, and the QSO lines the reader did not take, numbered as
// the reader numbers them (a lone CR ends a line too).
void ReadCabrilloRest(const std::string& bytes, Submission& s) {
  std::string text = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
      text[i] = '\n';
  }
  size_t next = 0;  // the reader's QSOs stand in line order
  int number = 0;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    const size_t at = start;
    const size_t length = end - at;
    start = end + 1;
    ++number;
    // Tags are short: only a line's head is searched for one, so that a file
    // of lines without a colon costs no more than its length.
    const size_t colon = std::string_view(text).substr(at, std::min<size_t>(length, 25)).find(':');
    if (colon == std::string_view::npos)
      continue;
    const std::string tag = MatchForm(text.substr(at, colon));
    if (tag == "END-OF-LOG"sv)
      break;
    const bool qso = tag == "QSO"sv || tag == "X-QSO"sv;
    while (next < s.Log.Qsos.size() && s.Log.Qsos[next].Line < number)
      ++next;
    if (qso && next < s.Log.Qsos.size() && s.Log.Qsos[next].Line == number)
      continue;
    const std::string value =
        BlankControlCharacters(Trim(text.substr(at + colon + 1, length - colon - 1)));
    SubmissionHeader& h = s.Header;
    if (tag == "CATEGORY-OPERATOR"sv)
      h.Categories.Operator = MatchForm(value);
    else if (tag == "CATEGORY-BAND"sv)
      h.Categories.Band = MatchForm(value);
    else if (tag == "CATEGORY-TRANSMITTER"sv)
      h.Categories.Transmitter = MatchForm(value);
    else if (tag == "CATEGORY-POWER"sv)
      h.Categories.Power = MatchForm(value);
    else if (tag == "CLAIMED-SCORE"sv)
      h.ClaimedScore = value;
    else if (tag == "SOAPBOX"sv && !value.empty())
      h.Soapbox.push_back(value);
    if (!qso)
      continue;
    LogQso read;
    read.Line = number;
    read.Where = "line " + std::to_string(number);
    if (ReadEvidenceLine(value, read))
      s.MoreEvidence.push_back(std::move(read));
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
