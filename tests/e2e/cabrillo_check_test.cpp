// The structural check itself: it passes every golden file and refuses the
// faults a contest robot refuses.
#include <gtest/gtest.h>

#include "cabrillo_check.h"
#include "cabrillo_run.h"

namespace {

TEST(CabrilloCheck, EveryGoldenFilePasses) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((GoldenFolder() + "\\*.cbr").c_str(), &entry);
  ASSERT_NE(find, INVALID_HANDLE_VALUE) << GoldenFolder();
  int checked = 0;
  do {
    std::string bytes = ReadWholeFile(GoldenFolder() + "\\" + entry.cFileName);
    for (const std::string& problem : CabrilloProblems(bytes))
      ADD_FAILURE() << entry.cFileName << ": " << problem;
    ++checked;
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  EXPECT_GE(checked, 10);
}

const char kGood[] =
    "START-OF-LOG: 3.0\r\n"
    "CONTEST: DKZ\r\n"
    "CALLSIGN: JA1ZZZ\r\n"
    "CLAIMED-SCORE: 12\r\n"
    "SOAPBOX: \r\n"
    "QSO:  7012 CW 2016-06-10 2100 JA1ZZZ        599 TK     JA2AAA        599 AC\r\n"
    "QSO: 14012 CW 2016-06-10 2101 JA1ZZZ        599 TK     DL1ABC        599 1234\r\n"
    "END-OF-LOG:\r\n";

std::string Replaced(const std::string& from, const std::string& to) {
  std::string log = kGood;
  size_t at = log.find(from);
  return at == std::string::npos ? "<not found: " + from + ">" : log.replace(at, from.size(), to);
}

TEST(CabrilloCheck, RefusesWhatRobotsRefuse) {
  EXPECT_TRUE(CabrilloProblems(kGood).empty());
  const std::string broken[] = {
      Replaced("START-OF-LOG: 3.0", "START-OF-LOG: 2.0"),
      Replaced("END-OF-LOG:\r\n", "END-OF-LOG:"),
      Replaced("END-OF-LOG:\r\n", ""),
      Replaced("CONTEST: DKZ\r\n", "CONTEST: DKZ\n"),
      Replaced("CONTEST: DKZ", "CONTEST:DKZ"),
      Replaced("CONTEST: DKZ", "CONTEST: DKZ\r\nan untagged line"),
      Replaced("CLAIMED-SCORE: 12", "CLAIMED-SCORE: 12\r\nCLUB-NAME: DKZ"),
      Replaced("CALLSIGN: JA1ZZZ", "CALLSIGN: JA1ZZZ\r\nCALLSIGN: JA1ZZZ"),
      Replaced("CLAIMED-SCORE: 12", "CLAIMED-SCORE: 12 points"),
      Replaced("SOAPBOX: \r\n", "") + "SOAPBOX: late\r\n",
      Replaced("599 AC", "599 "),
      Replaced(" CW 2016-06-10 2100", " CX 2016-06-10 2100"),
      Replaced("2016-06-10 2100", "2016-13-10 2100"),
      Replaced("2016-06-10 2100", "2016-06-10 2460"),
      Replaced("2016-06-10 2100", "10.06.2016 2100"),
      Replaced("2016-06-10 2101", "2016-06-10 2059"),
      Replaced(" 7012 CW", " 7O12 CW"),
      Replaced("599 TK     JA2AAA", "599 TK\tJA2AAA"),
      Replaced("JA2AAA", "JA2\xc4"),
  };
  for (const std::string& log : broken) {
    EXPECT_FALSE(CabrilloProblems(log).empty()) << log;
  }
  // Header tags in any order, repeated ADDRESS and OPERATORS lines, X- lines.
  EXPECT_TRUE(CabrilloProblems(Replaced("CONTEST: DKZ\r\nCALLSIGN: JA1ZZZ",
                                        "CALLSIGN: JA1ZZZ\r\nCONTEST: DKZ\r\nADDRESS: a\r\n"
                                        "ADDRESS: b\r\nOPERATORS: A\r\nOPERATORS: B\r\nX-N: y"))
                  .empty());
}

}  // namespace
