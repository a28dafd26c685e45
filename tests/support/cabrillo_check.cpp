#include "cabrillo_check.h"

#include <cctype>
#include <set>
#include <sstream>

#include "core/base/text.h"

namespace {

// Tags of the header, and which of them may appear more than once. OPERATORS
// repeats when the operator list is entered on several lines.
const std::set<std::string> kSingleTags = {
    "START-OF-LOG",
    "END-OF-LOG",
    "CALLSIGN",
    "CONTEST",
    "CATEGORY-ASSISTED",
    "CATEGORY-BAND",
    "CATEGORY-MODE",
    "CATEGORY-OPERATOR",
    "CATEGORY-POWER",
    "CATEGORY-STATION",
    "CATEGORY-TIME",
    "CATEGORY-TRANSMITTER",
    "CATEGORY-OVERLAY",
    "CERTIFICATE",
    "CLAIMED-SCORE",
    "CLUB",
    "CREATED-BY",
    "EMAIL",
    "E-MAIL",
    "GRID-LOCATOR",
    "LOCATION",
    "NAME",
    "ADDRESS-CITY",
    "ADDRESS-STATE-PROVINCE",
    "ADDRESS-POSTALCODE",
    "ADDRESS-COUNTRY",
};
const std::set<std::string> kRepeatableTags = {"ADDRESS",   "SOAPBOX", "OFFTIME",
                                               "OPERATORS", "QSO",     "X-QSO"};
const std::set<std::string> kModes = {"CW", "PH", "FM", "RY", "DG"};

bool AllDigits(const std::string& text) {
  if (text.empty())
    return false;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c)))
      return false;
  }
  return true;
}

bool ValidDate(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-')
    return false;
  std::string y = text.substr(0, 4), m = text.substr(5, 2), d = text.substr(8, 2);
  if (!AllDigits(y) || !AllDigits(m) || !AllDigits(d))
    return false;
  int year = std::stoi(y), month = std::stoi(m), day = std::stoi(d);
  static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1 || day > kDays[month - 1])
    return false;
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return !(month == 2 && day == 29 && !leap);
}

bool ValidTime(const std::string& text) {
  return text.size() == 4 && AllDigits(text) && std::stoi(text.substr(0, 2)) < 24 &&
         std::stoi(text.substr(2, 2)) < 60;
}

class Checker {
 public:
  std::vector<std::string> Run(const std::string& log) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < log.size()) {
      size_t end = log.find("\r\n", start);
      if (end == std::string::npos) {
        Problem(lines.size() + 1, "does not end in CR LF");
        end = log.size();
      }
      lines.push_back(log.substr(start, end - start));
      start = end + 2;
    }
    if (lines.empty() || lines.front() != "START-OF-LOG: 3.0")
      Problem(1, "the log does not begin with START-OF-LOG: 3.0");
    if (lines.empty() || lines.back() != "END-OF-LOG:")
      Problem(lines.size(), "the log does not end with END-OF-LOG:");
    for (size_t i = 0; i < lines.size(); ++i)
      Line(i + 1, lines[i]);
    return problems_;
  }

 private:
  void Problem(size_t line, const std::string& what) {
    problems_.push_back("line " + std::to_string(line) + ": " + what);
  }

  void Line(size_t number, const std::string& line) {
    for (char c : line) {
      if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e) {
        Problem(number, "holds a character other than printable ASCII and space");
        break;
      }
    }
    size_t colon = line.find(':');
    std::string tag = line.substr(0, colon);
    if (colon == std::string::npos || (colon + 1 < line.size() && line[colon + 1] != ' ')) {
      Problem(number, "is not a tag followed by \": \"");
      return;
    }
    bool single = kSingleTags.count(tag) != 0;
    if (!single && kRepeatableTags.count(tag) == 0 && tag.rfind("X-", 0) != 0) {
      Problem(number, "unknown tag " + tag);
      return;
    }
    if (single && !seen_.insert(tag).second)
      Problem(number, "tag " + tag + " appears again");
    std::string value = colon + 2 <= line.size() ? line.substr(colon + 2) : "";
    if (tag == "QSO" || tag == "X-QSO") {
      inQsos_ = true;
      Qso(number, line);
    } else if (inQsos_ && tag != "END-OF-LOG" && tag.rfind("X-", 0) != 0) {
      Problem(number, "header tag " + tag + " after the QSO lines began");
    }
    if (tag == "CLAIMED-SCORE" &&
        !AllDigits(!value.empty() && value[0] == '-' ? value.substr(1) : value))
      Problem(number, "CLAIMED-SCORE is not an integer");
    if (tag == "END-OF-LOG" && !value.empty())
      Problem(number, "END-OF-LOG: carries a value");
  }

  // QSO: freq mo date time call rst exch call rst exch
  void Qso(size_t number, const std::string& line) {
    std::vector<std::string> t = SplitWords(line);
    if (t.size() != 11) {
      Problem(number, "QSO line has " + std::to_string(t.size()) + " tokens, not 11");
      return;
    }
    if (!AllDigits(t[1]))
      Problem(number, "frequency " + t[1] + " is not a whole number of kHz");
    if (kModes.count(t[2]) == 0)
      Problem(number, "unknown mode " + t[2]);
    if (!ValidDate(t[3]))
      Problem(number, "date " + t[3] + " is not yyyy-mm-dd");
    if (!ValidTime(t[4]))
      Problem(number, "time " + t[4] + " is not hhmm");
    std::string when = t[3] + " " + t[4];
    if (when < lastQso_)
      Problem(number, "QSO is earlier than the one before it");
    lastQso_ = when;
  }

  std::vector<std::string> problems_;
  std::set<std::string> seen_;
  bool inQsos_ = false;
  std::string lastQso_;
};

}  // namespace

std::vector<std::string> CabrilloProblems(const std::string& log) {
  return Checker().Run(log);
}
