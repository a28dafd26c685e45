#include "contest_cabrillo.h"

#include <algorithm>

#include "core/base/date_time.h"
#include "core/cabrillo/cabrillo_log.h"

namespace {

CabrilloLog Header(const std::string& call) {
  CabrilloLog cabrillo;
  cabrillo.Callsign = call;
  cabrillo.CategoryOperator = "SINGLE-OP";
  cabrillo.CategoryBand = "ALL";
  cabrillo.BaseName = CabrilloBaseName(call);
  return cabrillo;
}

// The host version the CREATED-BY line names, as in an entrant's file.
const char kHostVersion[] = "2.19";

}  // namespace

std::string CabrilloText(const GeneratedLog& log) {
  CabrilloLog cabrillo = Header(log.Log.Call);
  for (size_t q = 0; q < log.Log.Qsos.size(); ++q) {
    const CheckQso& qso = log.Log.Qsos[q];
    CalendarTime t = CalendarOf(qso.Time);
    cabrillo.AddQsoLine(qso.Call, log.Kilohertz[q], "CW",
                        MakeOleDateTime(t.Year, t.Month, t.Day, t.Hour, t.Minute), "599",
                        qso.ExchSent, "599", qso.ExchRcvd);
  }
  return cabrillo.FileBytes(0, kHostVersion);
}

int FirstQsoLine() {
  std::string empty = Header("X").FileBytes(0, kHostVersion);
  // Every header line, then END-OF-LOG: where the first QSO line would be.
  return static_cast<int>(std::count(empty.begin(), empty.end(), '\n'));
}

std::string CabrilloFileName(const std::string& call) {
  return Header(call).FileName();
}
