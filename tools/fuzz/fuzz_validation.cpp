// Whole files through the robot's judgement of an upload.
#include <string>

#include "fuzz_target.h"
#include "logs/limited_messages.h"
#include "robot/log_validation.h"

namespace {

// Enough of a country file for the calls of the seeds: Japan, Germany, the USA.
const char kCountries[] =
    "Japan: 25: 45: AS: 36.40: -138.38: -9.0: JA:\n"
    "    7J,7K,7L,7M,7N,8J,8K,8L,8M,8N,JA,JE,JF,JG,JH,JI,JJ,JK,JL,JM,JN,JO,JP,JQ,JR,JS;\n"
    "Fed. Rep. of Germany: 14: 28: EU: 51.00: -10.00: -1.0: DL:\n"
    "    DA,DB,DC,DD,DE,DF,DG,DH,DI,DJ,DK,DL,DM,DN,DO,DP,DQ,DR;\n"
    "United States: 05: 08: NA: 37.53: 91.67: 5.0: K:\n"
    "    AA,AB,AC,AD,AE,AF,AG,AI,AJ,AK,K,N,W;\n";

const char kGarbage[] = "\nQSO: 7012 CW 2023-06-10 0900 ^^^ ~~\nQSO:\n";
const char kGoodLine[] = "QSO: 7012 CW 2023-06-10 0900 DL4MCF 599 1 JA1AAA 599 AT\n";

// Five of each kind and its count, for at most kMostKinds kinds, and a line
// for the kinds beyond.
const size_t kMostWarnings = LimitedMessages::kMostKinds * 6 + 1;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const CountryFile countries = CountryFile::Parse(kCountries, "fuzz.dat");
  static const SponsorTable table = SponsorTable::Default();
  RobotSettings settings;
  settings.PeriodFrom = CalendarTime{2023, 6, 10, 0, 0, 0};
  settings.PeriodTo = CalendarTime{2023, 6, 11, 0, 0, 0};
  std::string text(reinterpret_cast<const char*>(data), size);
  LogVerdict before = ValidateLog(text, settings, countries, table);
  FuzzExpect(before.Warnings.size() <= kMostWarnings, "the warnings stay within their cap");
  for (const std::string& line : before.Warnings)
    FuzzExpect(line.size() <= 310, "a warning stays one short line");
  if (before.Refused)
    return 0;
  LogVerdict after = ValidateLog(text + kGarbage + kGoodLine, settings, countries, table);
  FuzzExpect(!after.Refused && after.LinesRead >= before.LinesRead,
             "a fault costs only its own line");
  return 0;
}
