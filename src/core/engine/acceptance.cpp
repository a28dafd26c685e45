#include "core/engine/acceptance.h"

#include <algorithm>
#include <utility>

#include "core/base/text.h"
#include "core/contest/contest_rules.h"

namespace {

// An error line repeats the QSO in the column order of a Cabrillo QSO line,
// then carries its message. Built only when there is something to report. A
// control character in a field is written as a blank, so that no field can
// end the line or forge another.
class ErrorLines {
 public:
  ErrorLines(const QsoInput& qso, std::string& out) : qso_(qso), out_(out) {}

  void Add(const char* message, const std::string* code = nullptr) {
    if (head_.empty())
      head_ = Head();
    out_ += head_;
    if (code != nullptr)
      out_.append("  ").append(BlankControlCharacters(*code));
    out_.append(message).append("\r\n");
  }

 private:
  std::string Head() const {
    const char* const gap = "  ";
    std::string head = "QSO:  ";
    head.append(std::to_string(qso_.FrequencyHz / 1000)).append(gap);
    head.append(qso_.Mode).append(gap);
    head.append(FormatDateTime(qso_.Time, "%Y-%m-%d %H%M")).append(gap);
    head.append(qso_.OwnCall).append(gap);
    head.append(qso_.RstSent).append(gap);
    head.append(qso_.ExchSent).append(gap);
    head.append(qso_.Call).append(gap);
    head.append(qso_.RstRcvd).append(gap);
    head.append(qso_.ExchRcvd);
    return BlankControlCharacters(head);
  }

  const QsoInput& qso_;
  std::string& out_;
  std::string head_;
};

}  // namespace

int AcceptQso(ContestState& state, const QsoInput& qso, std::string& errorLines) {
  const ContestRules& rules = *state.Rules;
  ErrorLines errors(qso, errorLines);
  if (rules.IsRefusedBand(qso.Band)) {
    errors.Add("   NO CONTEST BAND !!!");
    return 0;
  }
  if (!SameShortText(qso.Mode, rules.Mode)) {
    errors.Add("   NO CONTEST MODE !!!");
    return 0;
  }
  if (qso.ExchRcvd.empty() || qso.ExchSent.empty()) {
    errors.Add("   NO RX NUMBER !!!");
    return 0;
  }
  if (state.LogBandSet.insert(qso.Band).second)
    state.LogBands.push_back(qso.Band);

  QsoRecord& record = state.Log.StartAppend();
  record.Call = qso.Call;
  record.Prefix = rules.FoldPrefix(qso.Prefix);
  record.Continent = qso.Continent;
  record.Band = qso.Band;
  record.Mode = qso.Mode;
  record.RstRcvd = qso.RstRcvd;
  record.RstSent = qso.RstSent;
  record.ExchRcvd = qso.ExchRcvd;
  record.ExchSent = qso.ExchSent;
  record.FreqKhz = static_cast<int32_t>(qso.FrequencyHz / 1000);
  record.Time = qso.Time;

  std::string code = NormalizeCode(qso.ExchRcvd);
  if (rules.IsDistrictCode(code))
    record.District = code;
  else
    errors.Add("  Code is not acceptable !!!", &code);

  // One line per earlier record of the same station, band and mode, up to a
  // cap: one QSO repeated thousands of times would otherwise write lines by
  // the square of its count and fill the disk.
  const QsoLog::SameGroupId same = state.Log.SameGroupOf(record.Call, record.Band, record.Mode);
  size_t earlier = state.Log.CountSame(same);
  for (size_t i = 0; i < std::min(earlier, kMaxDupeLinesPerQso); ++i)
    errors.Add("   DUPE !!!");
  if (earlier > 0)
    record.Excluded = true;
  if (rules.QsoPoints(state.OwnPrefix, record.Prefix) == 0) {
    record.Excluded = true;
    errors.Add("   QSO 0 points !!!");
  }
  state.Log.FinishAppend(same);
  return 1;
}
