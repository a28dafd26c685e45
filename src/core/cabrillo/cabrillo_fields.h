// The Cabrillo header's fields in one table: the settings key each is kept
// under, whether it is read back and stored, and the dkz-score option that
// fills it in the header dialog. Which box of the dialog shows a field is the
// plug-in's (core/cabrillo/header_boxes.h).
#pragma once

#include <string>
#include <vector>

#include "core/cabrillo/cabrillo_log.h"

struct CabrilloField {
  std::string CabrilloLog::*Member;
  const char* SettingsKey;  // null: not kept in the settings
  bool Loaded;              // read back before the dialog (else each run starts afresh)
  bool Stored;              // written when the operator confirms the dialog
  const char* Option;       // null: not taken from dkz-score's command line
};

// In the order the keys are written.
const std::vector<CabrilloField>& CabrilloFields();

// The option that fills the header field `field` ("--name").
std::string HeaderOptionName(std::string CabrilloLog::*field);
