// The boxes of the Cabrillo header dialog (template 101): the header field
// each shows, and how. The fields themselves are the core's table
// (core/cabrillo/cabrillo_fields.h).
#pragma once

#include <string>

#include "core/cabrillo/cabrillo_dialog_ids.h"
#include "core/cabrillo/cabrillo_log.h"

enum class HeaderBoxKind {
  kEdit,
  kCombo,
  kShownOnly,  // an edit box whose typed text is discarded
};

struct HeaderBox {
  std::string CabrilloLog::*Member;
  HeaderBoxKind Kind;
  int ControlId;
};

// In the order the dialog exchanges them.
inline constexpr HeaderBox kHeaderBoxes[] = {
    {&CabrilloLog::CategoryBand, HeaderBoxKind::kCombo, IDC_CABRILLO_CATEGORY_BAND},
    {&CabrilloLog::Operators, HeaderBoxKind::kEdit, IDC_CABRILLO_OPERATORS},
    {&CabrilloLog::Name, HeaderBoxKind::kEdit, IDC_CABRILLO_NAME},
    {&CabrilloLog::Address, HeaderBoxKind::kEdit, IDC_CABRILLO_ADDRESS},
    {&CabrilloLog::AddressCity, HeaderBoxKind::kEdit, IDC_CABRILLO_ADDRESS_CITY},
    {&CabrilloLog::AddressPostalCode, HeaderBoxKind::kEdit, IDC_CABRILLO_POSTALCODE},
    {&CabrilloLog::AddressCountry, HeaderBoxKind::kEdit, IDC_CABRILLO_COUNTRY},
    {&CabrilloLog::CategoryOperator, HeaderBoxKind::kCombo, IDC_CABRILLO_CATEGORY_OPERATOR},
    {&CabrilloLog::Contest, HeaderBoxKind::kEdit, IDC_CABRILLO_CONTEST},
    {&CabrilloLog::Email, HeaderBoxKind::kEdit, IDC_CABRILLO_EMAIL},
    {&CabrilloLog::Club, HeaderBoxKind::kEdit, IDC_CABRILLO_CLUB},
    {&CabrilloLog::SoapBox, HeaderBoxKind::kEdit, IDC_CABRILLO_SOAPBOX},
    {&CabrilloLog::Location, HeaderBoxKind::kEdit, IDC_CABRILLO_LOCATION},
    // The file claims the summary's score: what is typed here is discarded.
    {&CabrilloLog::Claimed, HeaderBoxKind::kShownOnly, IDC_CABRILLO_CLAIMED},
    {&CabrilloLog::Callsign, HeaderBoxKind::kEdit, IDC_CABRILLO_CALLSIGN},
    {&CabrilloLog::CategoryTransmitter, HeaderBoxKind::kCombo, IDC_CABRILLO_CATEGORY_TRANSMITTER},
};

// An entry of a combo box's list.
struct HeaderListEntry {
  int ControlId;
  const char* Text;
};

#define DKZ_HEADER_LIST_ENTRY(id, text) {id, text},
inline constexpr HeaderListEntry kHeaderListEntries[] = {
    DKZ_CABRILLO_COMBO_LISTS(DKZ_HEADER_LIST_ENTRY)};
#undef DKZ_HEADER_LIST_ENTRY

// The box that shows `member`; null when none does.
inline const HeaderBox* HeaderBoxOf(std::string CabrilloLog::*member) {
  for (const HeaderBox& box : kHeaderBoxes) {
    if (box.Member == member)
      return &box;
  }
  return nullptr;
}
