#include "core/cabrillo/cabrillo_fields.h"

const std::vector<CabrilloField>& CabrilloFields() {
  using L = CabrilloLog;
  static const std::vector<CabrilloField> fields = {
      {&L::CategoryBand, "Band", false, true, "--category-band"},
      {&L::Power, "Power", true, true, nullptr},
      {&L::Operators, "Operators", true, true, "--operators"},
      {&L::Name, "Name", true, true, "--name"},
      {&L::Address, "Address", true, true, "--address"},
      {&L::AddressCity, "Address-City", true, true, "--address-city"},
      {&L::AddressPostalCode, "Address-PostalCode", true, true, "--address-postalcode"},
      {&L::AddressCountry, "Address-Country", true, true, "--address-country"},
      {&L::CategoryOperator, "Category", false, true, "--category-operator"},
      {&L::Contest, "Contest", false, true, nullptr},
      {&L::Email, "Email", true, true, "--email"},
      {&L::Club, "Club", true, true, "--club"},
      {&L::SoapBox, "SoapBox", true, true, "--soapbox"},
      {&L::Location, "Loc", true, true, "--location"},
      // Read back to be shown; the file claims the summary's score instead.
      {&L::Claimed, "Claimed", true, false, nullptr},
      {&L::Callsign, nullptr, false, false, nullptr},
      {&L::CategoryTransmitter, nullptr, false, false, "--category-transmitter"},
  };
  return fields;
}

std::string HeaderOptionName(std::string CabrilloLog::*field) {
  for (const CabrilloField& known : CabrilloFields()) {
    if (known.Option != nullptr && known.Member == field)
      return known.Option;
  }
  return "a header field";
}
