// The Cabrillo header's fields in one table: the settings key each is kept
// under, the box of the header dialog that shows it, and the dkz-score option
// that fills that box.
#pragma once

#include <string>
#include <vector>

#include "core/cabrillo/cabrillo_log.h"

enum class HeaderBox {
  kNone,
  kEdit,
  kCombo,
  kShownOnly,  // an edit box whose typed text is discarded
};

struct CabrilloField {
  std::string CabrilloLog::*Member;
  const char* SettingsKey;  // null: not kept in the settings
  bool Loaded;              // read back before the dialog (else each run starts afresh)
  bool Stored;              // written when the operator confirms the dialog
  HeaderBox Box;
  int ControlId;       // 0: no box
  const char* Option;  // null: not taken from dkz-score's command line
};

// In the order the keys are written.
const std::vector<CabrilloField>& CabrilloFields();
