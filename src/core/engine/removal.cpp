#include "core/engine/removal.h"

#include <cstring>

#include "core/contest/contest_rules.h"

namespace {

bool SameTime(const OleDateTime& a, const OleDateTime& b) {
  return a.State == b.State && std::memcmp(&a.Date, &b.Date, sizeof a.Date) == 0;
}

bool IsExactly(const QsoRecord& record, const QsoInput& qso) {
  return SameTime(record.Time, qso.Time) &&
         record.FreqKhz == static_cast<int32_t>(qso.FrequencyHz / 1000) &&
         record.ExchSent == qso.ExchSent && record.ExchRcvd == qso.ExchRcvd;
}

void DropUncarriedDistrict(ContestState& state, const std::string& band, const std::string& code) {
  int b = state.Rules->BandIndexOf(band);
  if (b == kNoBand || !state.Rules->IsDistrictCode(code) ||
      state.Log.HasCountedDistrict(band, code))
    return;
  TextList& list = state.DistrictsByBand[b];
  int i = IndexOf(list, code);
  if (i >= 0)
    list.erase(list.begin() + i);
}

}  // namespace

int RemoveQso(ContestState& state, const QsoInput& qso) {
  if (qso.ExchRcvd.empty() || qso.ExchSent.empty())
    return 0;
  QsoLog& log = state.Log;
  std::vector<size_t> same = log.FindSame(qso.Call, qso.Band, qso.Mode);
  if (same.empty())
    return 1;
  size_t victim = same.front();
  for (size_t i : same) {
    if (IsExactly(log.At(i), qso)) {
      victim = i;
      break;
    }
  }
  const std::string removedDistrict = log.At(victim).District;
  log.RemoveAt(victim);

  // The earliest remaining record of the station is no longer a duplicate.
  if (victim == same.front() && same.size() > 1) {
    size_t first = same[1] - 1;  // moved down by the removal
    log.SetExcluded(first, state.Rules->QsoPoints(state.OwnPrefix, log.At(first).Prefix) == 0);
  }
  DropUncarriedDistrict(state, qso.Band, NormalizeCode(qso.ExchRcvd));
  DropUncarriedDistrict(state, qso.Band, removedDistrict);
  return 1;
}
