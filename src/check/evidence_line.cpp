#include "check/evidence_line.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "check/call_text.h"
#include "core/base/text.h"
#include "logs/band_plan.h"
#include "logs/cabrillo_reader.h"
#include "logs/log_values.h"

namespace {

bool Digits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
  });
}

// kHz ("7012"), kHz with a fraction ("7012.5"), MHz ("7.012"), a band
// designator ("144") or a band's name ("40m").
bool ReadBand(const std::string& token, LogQso& qso) {
  size_t dot = token.find('.');
  std::string whole = token.substr(0, dot);
  uint32_t hertz = 0;
  if (dot != std::string::npos && whole.size() >= 4) {
    std::string fraction = token.substr(dot + 1);
    if (!ParseKilohertz(whole, hertz) || (!fraction.empty() && !Digits(fraction)))
      return false;
    fraction = (fraction + "000").substr(0, 3);
    hertz += static_cast<uint32_t>(std::stoi(fraction));
  } else if (!(dot == std::string::npos ? ParseKilohertz(token, hertz)
                                        : ParseMegahertz(token, hertz))) {
    hertz = 0;
  }
  qso.FrequencyHz = hertz;
  qso.Band = hertz != 0 ? BandOfFrequency(hertz) : "";
  if (qso.Band.empty())
    qso.Band = BandOfDesignator(token);
  if (qso.Band.empty() && BandLowerEdge(token) != 0)
    qso.Band = ToLower(token);
  if (qso.Band.empty())
    return false;
  if (qso.FrequencyHz == 0 || BandOfFrequency(qso.FrequencyHz) != qso.Band)
    qso.FrequencyHz = BandLowerEdge(qso.Band);
  return true;
}

bool ReadDate(std::string token, CalendarTime& time) {
  std::replace(token.begin(), token.end(), '/', '-');
  return ParseIsoDate(token, time) || ParseCompactDate(token, time);
}

// "0003", "00:03", "3", "003", "00:03:20", "000320".
bool ReadTime(std::string token, CalendarTime& time) {
  token.erase(std::remove(token.begin(), token.end(), ':'), token.end());
  if (!Digits(token) || token.size() > 6 || token.size() == 5)
    return false;
  if (token.size() < 4)
    token.insert(0, 4 - token.size(), '0');
  return ParseTimeOfDay(token, time);
}

}  // namespace

bool ReadEvidenceLine(const std::string& fields, LogQso& qso) {
  std::vector<std::string> t = SplitWords(fields, kMostQsoFields + 1);
  CalendarTime when{};
  if (!HasQsoFieldCount(t) || !ReadBand(t[0], qso) || !ReadDate(t[2], when) ||
      !ReadTime(t[3], when))
    return false;
  qso.Time = MakeOleDateTime(when);
  qso.Mode = CabrilloModeName(t[1]);
  TakeStationFields(t, qso);
  return qso.Call.size() <= kLongestCall && ControlCharacterFault(qso).empty();
}
