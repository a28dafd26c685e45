#include "core/cabrillo/cabrillo_header.h"

#include "core/base/text.h"
#include "core/cabrillo/cabrillo_fields.h"

std::string EscapeLineBreaks(const std::string& text) {
  return ReplaceAll(ReplaceAll(text, "\r", "<CR>"), "\n", "<LF>");
}

std::string UnescapeLineBreaks(const std::string& escaped) {
  return ReplaceAll(ReplaceAll(escaped, "<CR>", "\r"), "<LF>", "\n");
}

std::string ToFileForm(const std::string& escaped, const std::string& tag) {
  return ReplaceAll(ReplaceAll(escaped, "<CR>", "\r\n" + tag), "<LF>", "");
}

CabrilloLog LoadCabrilloHeader(Settings& settings, const std::string& ownCall) {
  CabrilloLog log;
  log.Callsign = ownCall;
  log.BaseName = CabrilloBaseName(ownCall);
  for (const CabrilloField& field : CabrilloFields()) {
    // Operators missing from the settings: the own call operated alone.
    std::string fallback = field.Member == &CabrilloLog::Operators ? ownCall : "";
    if (field.Loaded)
      log.*field.Member = settings.ReadText(field.SettingsKey, fallback);
  }
  log.SoapBox = UnescapeLineBreaks(log.SoapBox);
  // Every run starts from these, whatever an earlier run stored.
  log.Contest = kCabrilloContest;
  log.CategoryOperator = "SINGLE-OP";
  log.CategoryBand = "ALL";
  log.CategoryTransmitter = "ONE";
  return log;
}

void FinishCabrilloHeader(CabrilloLog& log, Settings& settings, bool confirmed) {
  log.Operators = EscapeLineBreaks(log.Operators);
  log.SoapBox = EscapeLineBreaks(log.SoapBox);
  if (confirmed) {
    for (const CabrilloField& field : CabrilloFields()) {
      if (field.Stored)
        settings.WriteText(field.SettingsKey, log.*field.Member);
    }
  }
  log.Operators = ToFileForm(log.Operators, "OPERATORS: ");
  log.SoapBox = ToFileForm(log.SoapBox, "SOAPBOX: ");
  log.QsoLines.clear();
}
