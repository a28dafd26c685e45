#include "reports/cabrillo_dialog_win.h"

#include "resources/cabrillo_dialog_ids.h"
#include "resources/resource_ids.h"

Cabrillo::Cabrillo(CabrilloLog& log) : DialogBase(IDD_CABRILLO), log_(log) {}

void Cabrillo::DoDataExchange(DataExchange& exchange) {
  exchange.Text(IDC_CABRILLO_CONTEST, log_.Contest);
  exchange.Text(IDC_CABRILLO_CALLSIGN, log_.Callsign);
  // The file claims the summary's score: what is typed here is discarded.
  std::string claimed = log_.Claimed;
  exchange.Text(IDC_CABRILLO_CLAIMED, claimed);
  exchange.ComboText(IDC_CABRILLO_CATEGORY_OPERATOR, log_.CategoryOperator);
  exchange.Text(IDC_CABRILLO_LOCATION, log_.Location);
  exchange.ComboText(IDC_CABRILLO_CATEGORY_BAND, log_.CategoryBand);
  exchange.ComboText(IDC_CABRILLO_CATEGORY_TRANSMITTER, log_.CategoryTransmitter);
  exchange.Text(IDC_CABRILLO_NAME, log_.Name);
  exchange.Text(IDC_CABRILLO_ADDRESS, log_.Address);
  exchange.Text(IDC_CABRILLO_ADDRESS_CITY, log_.AddressCity);
  exchange.Text(IDC_CABRILLO_POSTALCODE, log_.AddressPostalCode);
  exchange.Text(IDC_CABRILLO_COUNTRY, log_.AddressCountry);
  exchange.Text(IDC_CABRILLO_OPERATORS, log_.Operators);
  exchange.Text(IDC_CABRILLO_CLUB, log_.Club);
  exchange.Text(IDC_CABRILLO_SOAPBOX, log_.SoapBox);
  exchange.Text(IDC_CABRILLO_EMAIL, log_.Email);
}
