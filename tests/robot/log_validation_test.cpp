// The robot's verdict on what is uploaded: refused with its reasons, or taken
// with warnings that name the line and what was expected.
#include <gtest/gtest.h>

#include "check/interned_text.h"
#include "core/base/text.h"
#include "robot/cabrillo_header_check.h"
#include "robot/log_validation.h"
#include "robot_test_logs.h"

namespace {

RobotSettings ContestPeriod() {
  RobotSettings settings;
  settings.PeriodFrom = CalendarTime{2023, 6, 10, 0, 0, 0};
  settings.PeriodTo = CalendarTime{2023, 6, 11, 0, 0, 0};
  return settings;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

bool AnyHolds(const std::vector<std::string>& lines, const std::string& part) {
  for (const std::string& line : lines) {
    if (line.find(part) != std::string::npos)
      return true;
  }
  return false;
}

struct VerdictCase {
  const char* Name;
  std::string Log;
  bool Refused;
  const char* Expected;  // in a reason when refused, in a warning otherwise
};

class VerdictTest : public testing::TestWithParam<VerdictCase> {};

TEST_P(VerdictTest, RefusesOrWarnsWithTheReason) {
  const VerdictCase& c = GetParam();
  LogVerdict verdict =
      ValidateLog(c.Log, ContestPeriod(), TestCountries(), SponsorTable::Default());
  EXPECT_EQ(verdict.Refused, c.Refused);
  const std::vector<std::string>& said = c.Refused ? verdict.Reasons : verdict.Warnings;
  EXPECT_TRUE(AnyHolds(said, c.Expected)) << testing::PrintToString(said);
  for (const std::string& line : verdict.Warnings)
    EXPECT_LE(line.size(), 310u) << "a warning stays one short line";
}

const std::string kGood = TestLog();
const std::string kSecondDay = Replaced(kGood, "2023-06-10 0901", "2023-06-12 0901");

const VerdictCase kCases[] = {

    VerdictCase{"Empty", "  \r\n", true, "empty"},
    VerdictCase{"Binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + kGood, true, "binary"},
    VerdictCase{"Utf16", std::string("\xFF\xFE", 2) + "S\0T\0", true, "UTF-16"},
    VerdictCase{"Utf16WithoutMark", std::string("S\0T\0A\0R\0T\0-\0", 12), true, "UTF-16"},
    VerdictCase{"ZerosFirst", std::string(600, '\0') + kGood, true, "binary"},
    VerdictCase{"AnotherContest", Replaced(kGood, "DKZ-CW", "CQ-WW-CW"), true, "another contest"},
    VerdictCase{"NoCall",
                "<CALL:6>JA1AAA <QSO_DATE:8>20230610 <TIME_ON:4>0900 <BAND:3>40m "
                "<MODE:2>CW <SRX_STRING:2>AT <EOR>\n",
                true, "names no own call"},
    VerdictCase{"AnotherContestInAdif",
                "<STATION_CALLSIGN:6>DL4MCF <CONTEST_ID:9>CQ-WPX-CW <CALL:6>JA1AAA "
                "<QSO_DATE:8>20230610 <TIME_ON:4>0900 <BAND:3>40m <MODE:2>CW <SRX_STRING:2>AT "
                "<EOR>\n",
                true, "names CQ-WPX-CW, another contest"},
    VerdictCase{"NoQsoReadable", ReplaceAll(kGood, "DL4MCF ", ""), true,
                "none of its 20 QSO lines could be read"},
    VerdictCase{"MarkupForCall", Replaced(kGood, "CALLSIGN: DL4MCF", "CALLSIGN: <b>X</b>"), true,
                "not a callsign"},
    VerdictCase{"NoDigitInCall", Replaced(kGood, "CALLSIGN: DL4MCF", "CALLSIGN: RESULTS"), true,
                "'RESULTS' is not a callsign"},
    VerdictCase{"AnotherYear",
                TestLogWithLines("DL4MCF", "",
                                 "QSO:  7012 CW 2022-06-10 0900 DL4MCF 599 1 JA1AAA 599 AT\n"),
                true, "no QSO of it lies in the contest period"},
    VerdictCase{"SomeOutsidePeriod", kSecondDay, false, "1 QSO is outside the contest period"},
    VerdictCase{"MisspeltTag", Replaced(kGood, "CATEGORY-POWER", "CATAGORY-POWER"), false,
                "did you mean CATEGORY-POWER:"},
    VerdictCase{"BandNotOfThisContest", Replaced(kGood, "CATEGORY-BAND: ALL", "CATEGORY-BAND: 30M"),
                false, "'30M' is not a value this contest takes"},
    VerdictCase{"MultiOpWithoutTransmitter", Replaced(kGood, "SINGLE-OP", "MULTI-OP"), false,
                "CATEGORY-TRANSMITTER"},
    VerdictCase{"CategoryContradicted", Replaced(kGood, "CATEGORY-BAND: ALL", "CATEGORY-BAND: 20M"),
                false, "CATEGORY-BAND 20M, but 20 QSOs are on other bands"},
    VerdictCase{"UnreadableLine", Replaced(kGood, "2023-06-10 0903", "2023-06-10 09:03"), false,
                "line 10: time '09:03' is not HHMM"},
    VerdictCase{"ClaimedScoreDiffers",
                Replaced(kGood, "CONTEST: DKZ-CW\n", "CONTEST: DKZ-CW\nCLAIMED-SCORE: 99999\n"),
                false, "the header claims 99999 points"},
    VerdictCase{"CutShort", Replaced(kGood, "END-OF-LOG:\n", ""), false, "cut short"},
    VerdictCase{"MegabyteQsoLine",
                Replaced(kGood, "END-OF-LOG:",
                         "QSO:  7012 CW 2023-06-10 1000 DL4MCF 599 1 " + std::string(2 << 20, 'A') +
                             " 599 AT\nEND-OF-LOG:"),
                false,
                "line 27: the worked call 'AAAAAAAAAAAAAAAAAAAAAAAAAAAAAA...' is not a callsign"},
    VerdictCase{"MegabyteHeaderLine",
                Replaced(kGood, "CONTEST: DKZ-CW\n",
                         "CONTEST: DKZ-CW\nCATEGORY-X" + std::string(2 << 20, 'Y') + ": 1\n"),
                false, "not a 'TAG: value' line"}};

INSTANTIATE_TEST_SUITE_P(Uploads, VerdictTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<VerdictCase>& info) {
                           return info.param.Name;
                         });

// Warnings that must be given, or must not, at the edges of what is allowed.
struct EdgeCase {
  const char* Name;
  std::string Log;
  const char* Said;     // in a warning; empty: nothing asked
  const char* NotSaid;  // in none; empty: nothing asked
};

class EdgeTest : public testing::TestWithParam<EdgeCase> {};

TEST_P(EdgeTest, WarnsExactlyPastTheEdge) {
  const EdgeCase& c = GetParam();
  LogVerdict verdict =
      ValidateLog(c.Log, ContestPeriod(), TestCountries(), SponsorTable::Default());
  ASSERT_FALSE(verdict.Refused) << testing::PrintToString(verdict.Reasons);
  if (*c.Said) {
    EXPECT_TRUE(AnyHolds(verdict.Warnings, c.Said)) << testing::PrintToString(verdict.Warnings);
  }
  if (*c.NotSaid) {
    EXPECT_FALSE(AnyHolds(verdict.Warnings, c.NotSaid)) << testing::PrintToString(verdict.Warnings);
  }
}

const EdgeCase kEdges[] = {
    {"WorkedCallOfTheLongestLength", Replaced(kGood, "JA1BAA ", "JA1BAAAAAAAAAAAAAAAA "), "",
     "is not a callsign"},
    {"WorkedCallOneLonger", Replaced(kGood, "JA1BAA ", "JA1BAAAAAAAAAAAAAAAAA "),
     "line 8: the worked call 'JA1BAAAAAAAAAAAAAAAAA' is not a callsign", ""},
    {"QsoOnTheLastDayOfThePeriod", Replaced(kGood, "2023-06-10 0901", "2023-06-11 2359"), "",
     "outside the contest period"},
    {"OwnTag", Replaced(kGood, "CONTEST: DKZ-CW\n", "CONTEST: DKZ-CW\nX-RIG: 100 W\n"), "",
     "unknown tag"},
    {"LinesEndedByLoneCarriageReturns", ReplaceAll(kGood, "\n", "\r"), "", "cut short"},
    {"QsoThePlugInRefuses", Replaced(kGood, "7012 CW 2023-06-10 0901", "7012 PH 2023-06-10 0901"),
     "line 8: not counted: ", ""},
};

INSTANTIATE_TEST_SUITE_P(Uploads, EdgeTest, testing::ValuesIn(kEdges),
                         [](const testing::TestParamInfo<EdgeCase>& info) {
                           return info.param.Name;
                         });

TEST(LogValidation, TakesTheValueOfAMisspeltTag) {
  std::string log = Replaced(kGood, "CONTEST: DKZ-CW\n",
                             "CONTEST: DKZ-CW\nEMIAL: op@example.org\nCLAIMED-SCROE: 99999\n");
  LogVerdict verdict = ValidateLog(log, ContestPeriod(), TestCountries(), SponsorTable::Default());
  EXPECT_EQ(verdict.Email, "op@example.org");
  EXPECT_EQ(verdict.ClaimedScore, 99999);
  EXPECT_TRUE(AnyHolds(verdict.Warnings, "did you mean CLAIMED-SCORE:?"));
}

// Thousands of lines that each draw the same warning.
struct RepeatedFault {
  const char* Name;
  std::string Line;  // put 3,000 times before the QSOs (or in their stead)
  const char* Kind;  // in each warning of the kind
};

TEST(LogValidation, KeepsFiveWarningsOfAKindAndCountsTheRest) {
  const RepeatedFault faults[] = {
      {"header lines", "x\n", "not a 'TAG: value' line"},
      {"unknown tags", "ABCD: x\n", "unknown tag 'ABCD:'"},
      {"unreadable QSO lines", "QSO:  7012 CW 2023-06-10 09:0 DL4MCF 599 1 JA1AAA 599 AT\n",
       "is not HHMM"},
      {"worked calls that are none", "QSO:  7012 CW 2023-06-10 0900 DL4MCF 599 1 JA1AA# 599 AT\n",
       "is not a callsign"},
  };
  for (const RepeatedFault& fault : faults) {
    SCOPED_TRACE(fault.Name);
    std::string lines;
    for (int i = 0; i < 3000; ++i)
      lines += fault.Line;
    std::string log = Replaced(kGood, "QSO:", lines + "QSO:");
    LogVerdict verdict =
        ValidateLog(log, ContestPeriod(), TestCountries(), SponsorTable::Default());
    size_t shown = 0;
    for (size_t i = 0; i < verdict.Warnings.size(); ++i) {
      if (verdict.Warnings[i].find(fault.Kind) == std::string::npos)
        continue;
      ++shown;
      ASSERT_LT(i + 1, verdict.Warnings.size());
      if (shown == 5) {
        EXPECT_EQ(verdict.Warnings[i + 1],
                  "  ... and 2995 more like the one above, not shown (3000 in all)");
      }
    }
    EXPECT_EQ(shown, 5u) << testing::PrintToString(verdict.Warnings);
    EXPECT_LT(verdict.Warnings.size(), 30u) << testing::PrintToString(verdict.Warnings);
  }
}

TEST(LogValidation, ReadsTheEntryOfAGoodLog) {
  LogVerdict verdict =
      ValidateLog(kGood, ContestPeriod(), TestCountries(), SponsorTable::Default());
  ASSERT_FALSE(verdict.Refused);
  EXPECT_EQ(verdict.Call, "DL4MCF");
  EXPECT_EQ(verdict.Category, "SO-ALL-LP");
  EXPECT_EQ(verdict.CategoryText, "Single operator, all bands, low power");
  EXPECT_EQ(verdict.LinesRead, 20);
  EXPECT_EQ(verdict.LinesUnreadable, 0);
  // 20 Japanese stations in 10 districts on one band: 20 points x 10 multipliers.
  ASSERT_TRUE(verdict.ComputedScore.has_value());
  EXPECT_EQ(*verdict.ComputedScore, 200);
  EXPECT_EQ(verdict.WorkedCalls.size(), 20u);
  EXPECT_TRUE(verdict.Warnings.empty()) << testing::PrintToString(verdict.Warnings);
}

TEST(LogValidation, KeepsNoTextOfAJudgedLog) {
  const size_t before = TextsHeld(CurrentTextPool());
  for (const char* call : {"DL4MCF", "OK1XX", "G3ZZZ"})
    ValidateLog(TestLog(call), ContestPeriod(), TestCountries(), SponsorTable::Default());
  EXPECT_EQ(TextsHeld(CurrentTextPool()), before);
}

TEST(CabrilloHeaderCheck, SuggestsTheNearestTagOnlyWhenOneIsNear) {
  EXPECT_EQ(NearestTag("CATAGORY-POWER"), "CATEGORY-POWER");
  EXPECT_EQ(NearestTag("CALSIGN"), "CALLSIGN");
  EXPECT_EQ(NearestTag("START-OF-LOGS"), "START-OF-LOG");
  EXPECT_EQ(NearestTag("FREQUENCY"), "");
  // Two edits at either end, and three.
  EXPECT_EQ(NearestTag("XXCALLSIGN"), "CALLSIGN");
  EXPECT_EQ(NearestTag("CALLSIGNXX"), "CALLSIGN");
  EXPECT_EQ(NearestTag("CALLSIGNXXX"), "");
  EXPECT_EQ(NearestTag("ADDRESS-STATE-PROVINCEX"), "ADDRESS-STATE-PROVINCE");
  EXPECT_EQ(NearestTag(std::string(100000, 'Q')), "");
}

}  // namespace
