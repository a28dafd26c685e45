#include "logs/cabrillo_reader.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/base/text.h"
#include "logs/band_plan.h"
#include "logs/log_values.h"

std::string CabrilloModeName(const std::string& token) {
  std::string mode = ToUpper(token);
  if (mode == "PH")
    return "SSB";
  if (mode == "RY")
    return "RTTY";
  if (mode == "DG")
    return "DIGI";
  return mode;
}

// Tags are compared by length first: a file can hold millions of lines.
using namespace std::string_view_literals;

namespace {

const char kQsoLayout[] = "freq mode date time call rst exch call rst exch [transmitter id 0/1]";

// Empty when the fields after "QSO:" map; otherwise why not.
std::string MapQsoLine(const std::string& fields, LogQso& qso) {
  // A line of a million words is split no further than a QSO line goes.
  const std::vector<std::string> t = SplitWords(fields, kMostQsoFields + 1);
  // An exchange of more than one word, as other contests have, shows as a
  // field count this contest's one-word exchange cannot have.
  if (!HasQsoFieldCount(t)) {
    std::string found =
        "found " + std::to_string(t.size() > kMostQsoFields ? CountWords(fields) : t.size());
    if (t.size() == 11)
      found += ", and the 11th, " + Quoted(t[10]) + ", is no transmitter id";
    return std::string("expected 10 or 11 fields for this contest's exchange (") + kQsoLayout +
           "), " + found;
  }
  if (ParseKilohertz(t[0], qso.FrequencyHz))
    qso.Band = BandOfFrequency(qso.FrequencyHz);
  if (qso.Band.empty()) {
    qso.Band = BandOfDesignator(t[0]);
    qso.FrequencyHz = BandLowerEdge(qso.Band);
  }
  if (qso.Band.empty())
    return "frequency " + Quoted(t[0]) + " is neither kHz in an amateur band nor a band designator";
  qso.Mode = CabrilloModeName(t[1]);
  CalendarTime when{};
  if (!ParseIsoDate(t[2], when))
    return "date " + Quoted(t[2]) + " is not YYYY-MM-DD";
  if (t[3].size() != 4 || !ParseTimeOfDay(t[3], when))
    return "time " + Quoted(t[3]) + " is not HHMM";
  qso.Time = MakeOleDateTime(when);
  TakeStationFields(t, qso);
  return ControlCharacterFault(qso);
}

// "TAG" of a "TAG: value" line, upper case; empty when the line has none.
std::string TagOf(std::string_view line, std::string& value) {
  size_t colon = line.find(':');
  if (colon == std::string_view::npos)
    return "";
  value = Trim(std::string(line.substr(colon + 1)));
  return ToUpper(Trim(std::string(line.substr(0, colon))));
}

}  // namespace

bool HasQsoFieldCount(const std::vector<std::string>& fields) {
  return fields.size() == 10 || (fields.size() == 11 && (fields[10] == "0" || fields[10] == "1"));
}

void TakeStationFields(const std::vector<std::string>& t, LogQso& qso) {
  qso.OwnCall = ToUpper(t[4]);
  qso.RstSent = t[5];
  qso.ExchSent = t[6];
  qso.Call = ToUpper(t[7]);
  qso.RstRcvd = t[8];
  qso.ExchRcvd = t[9];
}

bool LooksLikeCabrillo(const std::string& text) {
  size_t start = text.find_first_not_of(" \t\r\n", TextStart(text));
  if (start == std::string::npos)
    return false;
  std::string first = text.substr(start, text.find('\n', start) - start);
  std::string value;
  std::string tag = TagOf(first, value);
  return tag == "START-OF-LOG"sv || tag == "QSO"sv;
}

LogContents ReadCabrilloLog(const std::string& text, const std::string& fileName) {
  LogContents log;
  log.Format = "Cabrillo";
  int lineNumber = 0;
  int unclaimed = 0;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line(text.data() + start, end - start);
    start = end + 1;
    ++lineNumber;
    std::string value;
    std::string tag = TagOf(line, value);
    if (tag.empty())
      continue;
    if (tag == "END-OF-LOG"sv)
      break;
    if (tag == "CALLSIGN"sv) {
      log.HeaderCall = ToUpper(value);
    } else if (tag == "CONTEST"sv) {
      log.Contest = PrintableText(value);
    } else if (tag == "X-QSO"sv) {
      ++unclaimed;
    } else if (tag == "QSO"sv) {
      LogQso qso;
      qso.Where = "line " + std::to_string(lineNumber);
      qso.Line = lineNumber;
      std::string fault = MapQsoLine(value, qso);
      if (fault.empty())
        log.Qsos.push_back(std::move(qso));
      else
        log.Skipped.Add(fileName + ": " + qso.Where + ": " + fault);
    }
  }
  if (unclaimed > 0) {
    log.Notes.push_back(fileName + ": " + std::to_string(unclaimed) +
                        (unclaimed == 1 ? " X-QSO: line, a QSO" : " X-QSO: lines, QSOs") +
                        " not claimed for score, left out");
  }
  return log;
}
