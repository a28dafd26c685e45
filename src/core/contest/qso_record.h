// One stored QSO.
#pragma once

#include <cstdint>
#include <string>

#include "core/base/date_time.h"

struct QsoRecord {
  std::string Call;       // worked callsign, unchanged
  std::string Prefix;     // worked station's country prefix, as the rules fold it (IT9 as I)
  std::string Continent;  // as the host passed it
  std::string Band;       // band text, unchanged
  std::string Mode;
  std::string RstRcvd;
  std::string RstSent;
  std::string ExchRcvd;  // unchanged: not trimmed, not upper-cased
  std::string ExchSent;
  std::string District;  // normalised district code, or empty
  int32_t FreqKhz = 0;
  bool Excluded = false;  // from points and multipliers: a duplicate, or worth 0 points
  OleDateTime Time;
};

// A record counts for points and multipliers when it has a callsign and is
// neither a duplicate nor worth 0 points.
inline bool Counts(const QsoRecord& r) {
  return !r.Call.empty() && !r.Excluded;
}
