#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/base/text.h"
#include "core/cabrillo/cabrillo_log.h"

namespace {

TEST(CabrilloLog, QsoLinesKeepMinimumWidthsAndNeverCut) {
  struct Case {
    std::string call;
    int32_t freq;
    std::string mode;
    OleDateTime time;
    std::string rstSent, exchSent, rstRcvd, exchRcvd;
    std::string line;
  } cases[] = {
      {"JA2AAA", 7012, "CW", MakeOleDateTime(2016, 6, 10, 12, 0), "599", "TK", "599", "AC",
       "QSO:  7012 CW 2016-06-10 1200 JA1ZZZ        599 TK     JA2AAA        599 AC\r\n"},
      {"DL1ABC", 14025, "CW", MakeOleDateTime(2016, 6, 11, 7, 5), "599", "TK", "579", "1234",
       "QSO: 14025 CW 2016-06-11 0705 JA1ZZZ        599 TK     DL1ABC        579 1234\r\n"},
      {"JA2AAA", 3512, "??", MakeOleDateTime(2016, 6, 10, 23, 59), "5", "TK", "59", "",
       "QSO:  3512 ?? 2016-06-10 2359 JA1ZZZ        5   TK     JA2AAA        59  \r\n"},
      {"PT2/KC2BAAAAAAA", 123456, "CW", MakeOleDateTime(2016, 6, 10, 0, 1), "5999", "TOKYO12",
       "599", "AC",
       "QSO: 123456 CW 2016-06-10 0001 JA1ZZZ        5999 TOKYO12 PT2/KC2BAAAAAAA 599 AC\r\n"},
      {"", -5, "", OleDateTime{0, OleDateTime::kInvalid, 0}, "", "", "", "",
       "QSO:    -5    Invalid DateTime JA1ZZZ" + std::string(37, ' ') + "\r\n"},
  };
  for (const Case& c : cases) {
    CabrilloLog log;
    log.Callsign = "JA1ZZZ";
    log.AddQsoLine(c.call, c.freq, c.mode, c.time, c.rstSent, c.exchSent, c.rstRcvd, c.exchRcvd);
    ASSERT_EQ(log.QsoLines.size(), 1u);
    EXPECT_EQ(log.QsoLines[0], c.line);
  }
}

CabrilloLog Filled() {
  CabrilloLog log;
  log.Callsign = "JA1ZZZ/1";
  log.Name = "Taro Yamada";
  log.Address = "1-2-3 Chuo";
  log.AddressCity = "Tokyo";
  log.AddressPostalCode = "100-0001";
  log.AddressCountry = "Japan";
  log.Email = "ja1zzz@example.jp";
  log.Club = "";
  log.Location = "AS";
  log.Operators = "JA1ZZZ\r\nOPERATORS: JA1YYY";
  log.SoapBox = "first\r\nSOAPBOX: second";
  log.CategoryOperator = "SINGLE-OP";
  log.CategoryBand = "40M";
  log.CategoryTransmitter = "TWO";
  log.Contest = "not written";
  log.Claimed = "99999";
  log.Power = "100";
  log.AddQsoLine("JA2AAA", 7012, "CW", MakeOleDateTime(2016, 6, 10, 12, 0), "599", "TK", "599",
                 "AC");
  return log;
}

TEST(CabrilloLog, FileHoldsEveryHeaderLineInItsPlace) {
  EXPECT_EQ(Filled().FileBytes(1234, "2.19"),
            "START-OF-LOG: 3.0\r\n"
            "CONTEST: DKZ\r\n"
            "CALLSIGN: JA1ZZZ/1\r\n"
            "CATEGORY-OPERATOR: SINGLE-OP\r\n"
            "CATEGORY-BAND: 40M\r\n"
            "OPERATORS: JA1ZZZ\r\n"
            "OPERATORS: JA1YYY\r\n"
            "LOCATION: AS\r\n"
            "CLAIMED-SCORE: 1234\r\n"
            "CLUB: \r\n"
            "CREATED-BY: Orvo 2.19\r\n"
            "NAME: Taro Yamada\r\n"
            "ADDRESS: 1-2-3 Chuo\r\n"
            "ADDRESS-CITY: Tokyo\r\n"
            "ADDRESS-POSTALCODE: 100-0001\r\n"
            "ADDRESS-COUNTRY: Japan\r\n"
            "E-MAIL: ja1zzz@example.jp\r\n"
            "SOAPBOX: first\r\n"
            "SOAPBOX: second\r\n"
            "QSO:  7012 CW 2016-06-10 1200 JA1ZZZ/1      599 TK     JA2AAA        599 AC\r\n"
            "END-OF-LOG:\r\n");
}

TEST(CabrilloLog, OnlyExactMultiOpSwapsTheBandForTheTransmitterLine) {
  for (const char* category : {"MULTI-OP", "multi-op", "MULTI-OP ", "CHECKLOG"}) {
    CabrilloLog log = Filled();
    log.CategoryOperator = category;
    std::string file = log.FileBytes(0, "");
    bool multi = std::string(category) == "MULTI-OP";
    std::string expected = std::string("CATEGORY-OPERATOR: ") + category + "\r\n" +
                           (multi ? "CATEGORY-TRANSMITTER: TWO\r\n" : "CATEGORY-BAND: 40M\r\n") +
                           "OPERATORS: ";
    EXPECT_NE(file.find(expected), std::string::npos) << category;
    EXPECT_EQ(file.find(multi ? "CATEGORY-BAND" : "CATEGORY-TRANSMITTER"), std::string::npos);
  }
}

// A CR LF inside an exchange once forged a QSO line and a second score line.
TEST(CabrilloLog, ControlCharactersInFieldsBecomeBlanksAndForgeNoLine) {
  CabrilloLog log = Filled();
  log.Name = "Taro\r\nCLAIMED-SCORE: 999999";
  log.Email = "a\tb\x7f";
  log.SoapBox = "first\r\nSOAPBOX: sec\rond\nQSO: x";
  log.AddQsoLine("JA2\nAAA", 7012, "CW", MakeOleDateTime(2016, 6, 10, 12, 0), "599", "TK", "599",
                 "AC\r\nQSO:  7012 CW 2016-06-10 1200 JA1ZZZ 599 TK JA9FAKE 599 AC");
  const std::string file = log.FileBytes(1234, "2.19");

  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = file.find("\r\n", start)) != std::string::npos;
       start = end + 2)
    lines.push_back(file.substr(start, end - start));
  ASSERT_EQ(lines.size(), 22u);
  int qsoLines = 0, scoreLines = 0;
  for (const std::string& line : lines) {
    EXPECT_EQ(std::count_if(line.begin(), line.end(), IsControlCharacter), 0) << line;
    qsoLines += line.rfind("QSO:", 0) == 0;
    scoreLines += line.rfind("CLAIMED-SCORE:", 0) == 0;
  }
  EXPECT_EQ(qsoLines, 2);
  EXPECT_EQ(scoreLines, 1);
  EXPECT_EQ(lines[11], "NAME: Taro  CLAIMED-SCORE: 999999");
  EXPECT_EQ(lines[16], "E-MAIL: a b ");
  EXPECT_EQ(lines[17], "SOAPBOX: first");
  EXPECT_EQ(lines[18], "SOAPBOX: sec ond QSO: x");
  EXPECT_EQ(
      lines[20],
      "QSO:  7012 CW 2016-06-10 1200 JA1ZZZ/1      599 TK     JA2 AAA       599 AC  QSO:  7012 "
      "CW 2016-06-10 1200 JA1ZZZ 599 TK JA9FAKE 599 AC");
}

TEST(CabrilloLog, ScoreAndVersionLines) {
  CabrilloLog log;
  std::string file = log.FileBytes(-42, "");
  EXPECT_NE(file.find("\r\nCLAIMED-SCORE: -42\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nCREATED-BY: Orvo \r\n"), std::string::npos);
  EXPECT_NE(log.FileBytes(0, "3.1.4").find("\r\nCREATED-BY: Orvo 3.1.4\r\n"), std::string::npos);
  EXPECT_NE(log.FileBytes(0, "").find("\r\nCLAIMED-SCORE: 0\r\n"), std::string::npos);
}

TEST(CabrilloLog, BaseNameFromTheOwnCall) {
  const char* cases[][2] = {
      {"JA1ZZZ", "JA1ZZZ"},      {"JA1ZZZ/1", "JA1ZZZ_1"},
      {"JA1ZZZ\\P", "JA1ZZZ_P"}, {"/JA1ZZZ/", "_JA1ZZZ_"},
      {"  JA1ZZZ \t", "JA1ZZZ"}, {"", "VUNT"},
      {"   ", "VUNT"},           {" / ", "_"},
      {"C:EVIL", "C_EVIL"},      {"a<b>c\"d|e?f*g", "a_b_c_d_e_f_g"},
      {"JA1*ZZZ:", "JA1_ZZZ_"},  {"JA1\tZZZ\x7f", "JA1_ZZZ_"},
      {"..\\..\\X", ".._.._X"},
  };
  for (auto& c : cases)
    EXPECT_EQ(CabrilloBaseName(c[0]), c[1]) << "'" << c[0] << "'";
}

TEST(CabrilloLog, HostVersionShowsTwoPartsOnlyForMajorTwo) {
  EXPECT_EQ(HostVersionText(2, 19, 7), "2.19");
  EXPECT_EQ(HostVersionText(3, 1, 4), "3.1.4");
  EXPECT_EQ(HostVersionText(1, 0, 0), "1.0.0");
  EXPECT_EQ(HostVersionText(65535, 65535, 65535), "65535.65535.65535");
}

}  // namespace
