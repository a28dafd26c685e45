// QSOs as the host hands them over, for the engine's unit tests.
#pragma once

#include <string>

#include "core/engine/host_input.h"

// A valid QSO of JA1ZZZ with a Japanese station on 40 m, logged 9 June 2016, 07:05.
inline QsoInput Qso(const std::string& call = "JA2AAA", const std::string& exchRcvd = "AC",
                    const std::string& band = "40m", const std::string& prefix = "JA",
                    const std::string& continent = "AS") {
  QsoInput q;
  q.OwnCall = "JA1ZZZ";
  q.Call = call;
  q.Time = MakeOleDateTime(2016, 6, 9, 7, 5);
  q.FrequencyHz = 7012999;
  q.Mode = "CW";
  q.RstSent = "599";
  q.RstRcvd = "579";
  q.ExchSent = "TK";
  q.ExchRcvd = exchRcvd;
  q.Prefix = prefix;
  q.Continent = continent;
  q.Band = band;
  return q;
}

// A station elsewhere: sends a number.
inline QsoInput DxQso(const std::string& call, const std::string& number = "12",
                      const std::string& band = "40m", const std::string& continent = "EU") {
  return Qso(call, number, band, "DL", continent);
}
