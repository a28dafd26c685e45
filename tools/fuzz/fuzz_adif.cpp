// Whole ADIF files through the reader and the mapping to QSOs.
#include <string>

#include "fuzz_target.h"
#include "logs/adif_log.h"
#include "logs/adif_reader.h"
#include "logs/log_qso.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  try {
    AdifFile file = ParseAdi(text, "fuzz.adi");
    int last = 0;
    for (const AdifRecord& record : file.Records) {
      FuzzExpect(record.Number > last, "records are numbered in file order");
      last = record.Number;
    }
    LogContents log = ReadAdifLog(text, "fuzz.adi");
    FuzzExpect(log.Qsos.size() + log.Skipped.size() == file.Records.size() + file.Problems.size(),
               "every record is either read or named as skipped");
    // Whatever went wrong before it, a good record after an <EOR> is read.
    AdifFile longer = ParseAdi(text + "\n<EOR><CALL:3>W9Z<EOR>", "fuzz.adi");
    FuzzExpect(!longer.Records.empty() && longer.Records.back().Fields.size() == 1 &&
                   *longer.Records.back().Find("CALL") == "W9Z",
               "a fault costs only its own record");
  } catch (const InputError&) {
    // A header without <EOH>: a clear refusal is a safe outcome.
  }
  return 0;
}
