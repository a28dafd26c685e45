#include "logs/log_qso.h"

#include <utility>

#include "core/base/text.h"
#include "logs/log_values.h"

std::string ControlCharacterFault(const LogQso& qso) {
  const std::pair<const char*, const std::string*> texts[] = {
      {"own call", &qso.OwnCall},
      {"call", &qso.Call},
      {"band", &qso.Band},
      {"mode", &qso.Mode},
      {"RST sent", &qso.RstSent},
      {"RST received", &qso.RstRcvd},
      {"sent exchange", &qso.ExchSent},
      {"received exchange", &qso.ExchRcvd},
  };
  for (const auto& text : texts) {
    std::string found = FirstControlCharacter(*text.second);
    if (!found.empty())
      return std::string("the ") + text.first + " holds a control character (" + found + ")";
  }
  return "";
}

std::string PrintableText(const std::string& text) {
  std::string printable = text;
  for (char& c : printable) {
    if (IsControlCharacter(c))
      c = ' ';
  }
  return Trim(printable);
}
