// Whole Cabrillo files through the reader.
#include <string>

#include "fuzz_target.h"
#include "logs/cabrillo_reader.h"
#include "logs/log_qso.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  LooksLikeCabrillo(text);
  try {
    LogContents log = ReadCabrilloLog(text, "fuzz.cbr");
    for (const LogQso& qso : log.Qsos)
      FuzzExpect(!qso.Band.empty() && !qso.Call.empty(), "a QSO read has a band and a call");
    // A good line after the text is read, unless the text ended the log.
    LogContents longer = ReadCabrilloLog(
        text + "\nQSO: 7005 CW 2009-05-30 0002 AA1ZZZ 599 1 S50A 599 4\n", "fuzz.cbr");
    FuzzExpect(longer.Qsos.size() == log.Qsos.size() ||
                   (longer.Qsos.size() == log.Qsos.size() + 1 && longer.Qsos.back().Call == "S50A"),
               "a fault costs only its own line");
  } catch (const InputError&) {
  }
  return 0;
}
