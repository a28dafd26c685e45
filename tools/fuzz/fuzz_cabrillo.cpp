// Whole Cabrillo files through the reader.
#include <string>

#include "cabrillo_log.h"
#include "fuzz_target.h"
#include "log_qso.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  LooksLikeCabrillo(text);
  try {
    LogContents log = ReadCabrilloLog(text, "fuzz.cbr");
    for (const LogQso& qso : log.Qsos)
      FuzzExpect(!qso.Band.empty() && !qso.Call.empty(), "a QSO read has a band and a call");
  } catch (const InputError&) {
  }
  return 0;
}
