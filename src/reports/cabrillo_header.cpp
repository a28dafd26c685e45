#include "reports/cabrillo_header.h"

#include "base/text.h"

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
  log.Operators = settings.ReadText("Operators", ownCall);
  log.Name = settings.ReadText("Name");
  log.Address = settings.ReadText("Address");
  log.AddressCity = settings.ReadText("Address-City");
  log.AddressPostalCode = settings.ReadText("Address-PostalCode");
  log.AddressCountry = settings.ReadText("Address-Country");
  log.Claimed = settings.ReadText("Claimed");
  log.Power = settings.ReadText("Power");
  log.Location = settings.ReadText("Loc");
  log.Email = settings.ReadText("Email");
  log.Club = settings.ReadText("Club");
  log.SoapBox = UnescapeLineBreaks(settings.ReadText("SoapBox"));
  // Every run starts from these, whatever an earlier run stored.
  log.Contest = "DKZ";
  log.CategoryOperator = "SINGLE-OP";
  log.CategoryBand = "ALL";
  log.CategoryTransmitter = "ONE";
  return log;
}

void FinishCabrilloHeader(CabrilloLog& log, Settings& settings, bool confirmed) {
  log.Operators = EscapeLineBreaks(log.Operators);
  log.SoapBox = EscapeLineBreaks(log.SoapBox);
  if (confirmed) {
    settings.WriteText("Band", log.CategoryBand);
    settings.WriteText("Power", log.Power);
    settings.WriteText("Operators", log.Operators);
    settings.WriteText("Name", log.Name);
    settings.WriteText("Address", log.Address);
    settings.WriteText("Address-City", log.AddressCity);
    settings.WriteText("Address-PostalCode", log.AddressPostalCode);
    settings.WriteText("Address-Country", log.AddressCountry);
    settings.WriteText("Category", log.CategoryOperator);
    settings.WriteText("Contest", log.Contest);
    settings.WriteText("Email", log.Email);
    settings.WriteText("Club", log.Club);
    settings.WriteText("SoapBox", log.SoapBox);
    settings.WriteText("Loc", log.Location);
  }
  log.Operators = ToFileForm(log.Operators, "OPERATORS: ");
  log.SoapBox = ToFileForm(log.SoapBox, "SOAPBOX: ");
  log.QsoLines.clear();
}
