#include <gtest/gtest.h>

#include "logs/cabrillo_reader.h"

namespace {

const char kLog[] =
    "START-OF-LOG: 3.0\r\n"
    "CALLSIGN: dl4mcf\r\n"
    "CONTEST: DKZ-CW\r\n"
    "QSO:  7012 CW 2023-06-10 1205 DL4MCF        599 001    JA1ABC        599 TK\r\n"
    "QSO: 14025 CW 2023-06-10 1210 DL4MCF 599 002 JA2XYZ 599 AC 1\r\n"
    "X-QSO: 14025 CW 2023-06-10 1211 DL4MCF 599 003 JA3XYZ 599 OS\r\n"
    "QSO: 10110 CW 2023-06-10 1215 DL4MCF 599 004 JA4XYZ 599 HS\r\n"
    "QSO: 50 ph 2023-06-10 1220 DL4MCF 59 005 JA5XYZ 59 KC\r\n"
    "QSO: 21025 CW 2023-06-10 1225 DL4MCF 599 006 JA6XYZ 599\r\n"
    "QSO: 21025 CW 2023-06-10 1230 DL4MCF 599 007 JA7XYZ 599 AM 2\r\n"
    "QSO: 8000 CW 2023-06-10 1235 DL4MCF 599 008 JA8XYZ 599 HD\r\n"
    "QSO: 21025 CW 10-06-2023 1240 DL4MCF 599 009 JA9XYZ 599 IS\r\n"
    "QSO: 21025 CW 2023-06-10 12:45 DL4MCF 599 010 JA0XYZ 599 NI\r\n"
    "END-OF-LOG:\r\n"
    "QSO: 21025 CW 2023-06-10 1250 DL4MCF 599 011 JA1ZZZ 599 TK\r\n";

TEST(CabrilloReader, ReadsQsoLinesByWhitespaceNotByColumn) {
  LogContents log = ReadCabrilloLog(kLog, "dl.cbr");
  EXPECT_EQ(log.Format, "Cabrillo");
  EXPECT_EQ(log.HeaderCall, "DL4MCF");
  ASSERT_EQ(log.Qsos.size(), 4u);
  const LogQso& q = log.Qsos[0];
  EXPECT_EQ(q.Where, "line 4");
  EXPECT_EQ(q.FrequencyHz, 7012000u);
  EXPECT_EQ(q.Band, "40m");
  EXPECT_EQ(q.Mode, "CW");
  EXPECT_EQ(FormatDateTime(q.Time, "%Y%m%d %H%M%S"), "20230610 120500");
  EXPECT_EQ(q.OwnCall, "DL4MCF");
  EXPECT_EQ(q.RstSent, "599");
  EXPECT_EQ(q.ExchSent, "001");
  EXPECT_EQ(q.Call, "JA1ABC");
  EXPECT_EQ(q.RstRcvd, "599");
  EXPECT_EQ(q.ExchRcvd, "TK");
  EXPECT_EQ(log.Qsos[1].Band, "20m");  // with a transmitter id
  EXPECT_EQ(log.Qsos[2].Band, "30m");  // handed over: the plug-in refuses it
  EXPECT_EQ(log.Qsos[3].Band, "6m");   // a band designator
  EXPECT_EQ(log.Qsos[3].FrequencyHz, 50000000u);
  EXPECT_EQ(log.Qsos[3].Mode, "SSB");
}

TEST(CabrilloReader, LinesThatCannotBeReadAreNamedAndSkipped) {
  LogContents log = ReadCabrilloLog(kLog, "dl.cbr");
  ASSERT_EQ(log.Skipped.size(), 5u);
  EXPECT_EQ(log.Skipped.Kept()[0],
            "dl.cbr: line 9: expected 10 or 11 fields for this contest's exchange (freq mode date "
            "time call rst exch call rst exch [transmitter id 0/1]), found 9");
  EXPECT_EQ(log.Skipped.Kept()[1].substr(17),
            "expected 10 or 11 fields for this contest's exchange (freq "
            "mode date time call rst exch call rst exch [transmitter id 0/1]), found 11, and the "
            "11th, '2', is no transmitter id");
  EXPECT_EQ(log.Skipped.Kept()[2],
            "dl.cbr: line 11: frequency '8000' is neither kHz in an amateur band nor a band "
            "designator");
  EXPECT_EQ(log.Skipped.Kept()[3], "dl.cbr: line 12: date '10-06-2023' is not YYYY-MM-DD");
  EXPECT_EQ(log.Skipped.Kept()[4], "dl.cbr: line 13: time '12:45' is not HHMM");
}

TEST(CabrilloReader, AMessageOfAHugeLineStaysShortAndCountsItsFields) {
  std::string words;
  for (int i = 0; i < 100000; ++i)
    words += " x";
  const std::string longCall(5000, 'A');
  LogContents log =
      ReadCabrilloLog("START-OF-LOG: 3.0\nQSO:" + words +
                          "\nQSO: 7012 CW 2023-06-10 1205 DL4MCF 599 1 JA1ABC 599 TK " + longCall +
                          "\nQSO: " + longCall + " CW 2023-06-10 1205 DL4MCF 599 1 JA1ABC 599 TK\n",
                      "a.log");
  ASSERT_EQ(log.Skipped.size(), 3u);
  EXPECT_NE(log.Skipped.Kept()[0].find("), found 100000"), std::string::npos);
  EXPECT_NE(log.Skipped.Kept()[1].find("found 11, and the 11th, '" + longCall.substr(0, 40) +
                                       "...', is no transmitter id"),
            std::string::npos);
  EXPECT_EQ(log.Skipped.Kept()[2], "a.log: line 4: frequency '" + longCall.substr(0, 40) +
                                       "...' is neither kHz in an amateur band nor a band "
                                       "designator");
}

TEST(CabrilloReader, IsRecognisedByItsFirstLine) {
  EXPECT_TRUE(LooksLikeCabrillo("START-OF-LOG: 3.0\nCALLSIGN: X\n"));
  EXPECT_TRUE(LooksLikeCabrillo("\xEF\xBB\xBFstart-of-log: 3.0\r\n"));
  EXPECT_TRUE(LooksLikeCabrillo("\r\n  QSO: 7012 CW 2023-06-10 1205 A 599 1 B 599 2\n"));
  EXPECT_FALSE(LooksLikeCabrillo("ADIF export\n<EOH>\n"));
  EXPECT_FALSE(LooksLikeCabrillo("<CALL:3>W1A<EOR>"));
  EXPECT_FALSE(LooksLikeCabrillo(""));
}

}  // namespace
