#include "core/cabrillo/cabrillo_log.h"

#include "core/base/text.h"

const char* const kCabrilloContest = "DKZ";

namespace {

// printf's minimum widths without a format string: host texts never reach one.
std::string PadLeft(const std::string& text, size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}
std::string PadRight(const std::string& text, size_t width) {
  return text.size() < width ? text + std::string(width - text.size(), ' ') : text;
}

// A header value after its tag, its control characters written as blanks. The
// only line breaks kept are those of a multi-line text's file form: CR LF
// followed by the same tag again.
void AppendHeaderValue(std::string& out, const std::string& tag, const std::string& value,
                       bool multiLine) {
  const std::string lineBreak = "\r\n" + tag;
  for (size_t i = 0; i < value.size(); ++i) {
    if (multiLine && value.compare(i, lineBreak.size(), lineBreak) == 0) {
      out += lineBreak;
      i += lineBreak.size() - 1;
    } else {
      out += IsControlCharacter(value[i]) ? ' ' : value[i];
    }
  }
}

}  // namespace

void CabrilloLog::AddQsoLine(const std::string& call, int32_t freqKhz, const std::string& mode,
                             const OleDateTime& time, const std::string& rstSent,
                             const std::string& exchSent, const std::string& rstRcvd,
                             const std::string& exchRcvd) {
  std::string line = "QSO: ";
  line += PadLeft(std::to_string(freqKhz), 5) + ' ';
  line += PadLeft(mode, 2) + ' ';
  line += FormatDateTime(time, "%Y-%m-%d %H%M") + ' ';
  line += PadRight(Callsign, 13) + ' ';
  line += PadRight(rstSent, 3) + ' ';
  line += PadRight(exchSent, 6) + ' ';
  line += PadRight(call, 13) + ' ';
  line += PadRight(rstRcvd, 3) + ' ';
  line += exchRcvd;
  QsoLines.push_back(BlankControlCharacters(line) + "\r\n");
}

std::string CabrilloLog::FileBytes(int32_t claimedScore, const std::string& hostVersion) const {
  std::string out;
  auto tag = [&out](const char* name, const std::string& value, bool multiLine = false) {
    out += name;
    AppendHeaderValue(out, name, value, multiLine);
    out += "\r\n";
  };
  tag("START-OF-LOG: ", "3.0");
  tag("CONTEST: ", kCabrilloContest);
  tag("CALLSIGN: ", Callsign);
  tag("CATEGORY-OPERATOR: ", CategoryOperator);
  if (CategoryOperator == "MULTI-OP") {
    tag("CATEGORY-TRANSMITTER: ", CategoryTransmitter);
  } else {
    tag("CATEGORY-BAND: ", CategoryBand);
  }
  tag("OPERATORS: ", Operators, true);
  tag("LOCATION: ", Location);
  tag("CLAIMED-SCORE: ", std::to_string(claimedScore));
  tag("CLUB: ", Club);
  tag("CREATED-BY: ", "Orvo " + hostVersion);
  tag("NAME: ", Name);
  tag("ADDRESS: ", Address);
  tag("ADDRESS-CITY: ", AddressCity);
  tag("ADDRESS-POSTALCODE: ", AddressPostalCode);
  tag("ADDRESS-COUNTRY: ", AddressCountry);
  tag("E-MAIL: ", Email);
  tag("SOAPBOX: ", SoapBox, true);
  for (const std::string& line : QsoLines)
    out += line;
  out += "END-OF-LOG:\r\n";
  return out;
}

std::string CabrilloBaseName(const std::string& ownCall) {
  // The characters Windows refuses in a file name: a colon would name a
  // drive or a stream, a slash a folder.
  const std::string forbidden = "/\\<>:\"|?*";
  std::string name = Trim(ownCall);
  for (char& c : name) {
    if (IsControlCharacter(c) || forbidden.find(c) != std::string::npos)
      c = '_';
  }
  return name.empty() ? "VUNT" : name;
}

std::string HostVersionText(unsigned major, unsigned minor, unsigned build) {
  std::string text = std::to_string(major) + "." + std::to_string(minor);
  if (major != 2)
    text += "." + std::to_string(build);
  return text;
}

CabrilloLog& TheCabrilloLog(const LockHeld&) {
  static CabrilloLog log;
  return log;
}
