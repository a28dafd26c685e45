#include "check/check_types.h"

const char* VerdictName(Verdict verdict) {
  static const char* const kNames[kVerdictCount] = {
      "confirmed", "busted_exchange", "busted_call", "nil",          "unique",
      "unchecked", "repeat",          "unverified",  "mode_differs", "evidence"};
  int index = static_cast<int>(verdict);
  return index >= 0 && index < kVerdictCount ? kNames[index] : "?";
}
