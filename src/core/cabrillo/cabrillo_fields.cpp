#include "core/cabrillo/cabrillo_fields.h"

#include "plugin/resources/cabrillo_dialog_ids.h"

const std::vector<CabrilloField>& CabrilloFields() {
  using L = CabrilloLog;
  using B = HeaderBox;
  static const std::vector<CabrilloField> fields = {
      {&L::CategoryBand, "Band", false, true, B::kCombo, IDC_CABRILLO_CATEGORY_BAND,
       "--category-band"},
      {&L::Power, "Power", true, true, B::kNone, 0, nullptr},
      {&L::Operators, "Operators", true, true, B::kEdit, IDC_CABRILLO_OPERATORS, "--operators"},
      {&L::Name, "Name", true, true, B::kEdit, IDC_CABRILLO_NAME, "--name"},
      {&L::Address, "Address", true, true, B::kEdit, IDC_CABRILLO_ADDRESS, "--address"},
      {&L::AddressCity, "Address-City", true, true, B::kEdit, IDC_CABRILLO_ADDRESS_CITY,
       "--address-city"},
      {&L::AddressPostalCode, "Address-PostalCode", true, true, B::kEdit, IDC_CABRILLO_POSTALCODE,
       "--address-postalcode"},
      {&L::AddressCountry, "Address-Country", true, true, B::kEdit, IDC_CABRILLO_COUNTRY,
       "--address-country"},
      {&L::CategoryOperator, "Category", false, true, B::kCombo, IDC_CABRILLO_CATEGORY_OPERATOR,
       "--category-operator"},
      {&L::Contest, "Contest", false, true, B::kEdit, IDC_CABRILLO_CONTEST, nullptr},
      {&L::Email, "Email", true, true, B::kEdit, IDC_CABRILLO_EMAIL, "--email"},
      {&L::Club, "Club", true, true, B::kEdit, IDC_CABRILLO_CLUB, "--club"},
      {&L::SoapBox, "SoapBox", true, true, B::kEdit, IDC_CABRILLO_SOAPBOX, "--soapbox"},
      {&L::Location, "Loc", true, true, B::kEdit, IDC_CABRILLO_LOCATION, "--location"},
      // The file claims the summary's score: what is typed here is discarded.
      {&L::Claimed, "Claimed", true, false, B::kShownOnly, IDC_CABRILLO_CLAIMED, nullptr},
      {&L::Callsign, nullptr, false, false, B::kEdit, IDC_CABRILLO_CALLSIGN, nullptr},
      {&L::CategoryTransmitter, nullptr, false, false, B::kCombo, IDC_CABRILLO_CATEGORY_TRANSMITTER,
       "--category-transmitter"},
  };
  return fields;
}
