// What the check makes of a file as received: QSO lines read as evidence in
// the forms entrants write them, the header, the sponsor's table, the period
// and which of a station's files counts.
#include <gtest/gtest.h>

#include "check/contest_period.h"
#include "check/evidence_line.h"
#include "check/received_files.h"
#include "check/sponsor_table.h"
#include "check/submission.h"

namespace {

TEST(EvidenceLine, ReadsTheFormsEntrantsWrite) {
  struct Row {
    const char* Fields;
    const char* Expected;  // "band mode HH:MM:SS call exch-rcvd", or "" for unreadable
  };
  const Row rows[] = {
      {"7012 CW 2026-06-13 0003 JA1ABC 599 TK W1AW 599 5", "40m CW 00:03:00 W1AW 5"},
      {"7.012 CW 2026-06-13 00:03 JA1ABC 599 TK W1AW 599 5", "40m CW 00:03:00 W1AW 5"},
      {"14025.5 PH 2026-06-13 3 JA1ABC 599 TK w1aw 599 5", "20m SSB 00:03:00 W1AW 5"},
      {"21.025 CW 20260613 45 JA1ABC 599 TK W1AW 599 5", "15m CW 00:45:00 W1AW 5"},
      {"28025 CW 2026/06/13 905 JA1ABC 599 TK W1AW 599 5 1", "10m CW 09:05:00 W1AW 5"},
      {"40m CW 2026-06-13 12:34:56 JA1ABC 599 TK W1AW 599 5", "40m CW 12:34:56 W1AW 5"},
      {"7012 CW 2026-06-13 2400 JA1ABC 599 TK W1AW 599 5", ""},
      {"7012 CW 2026-06-13 12345 JA1ABC 599 TK W1AW 599 5", ""},
      {"7012 CW 2026-06-13 0003 JA1ABC 599 W1AW 599 5", ""},  // a field left out
      {"9999 CW 2026-06-13 0003 JA1ABC 599 TK W1AW 599 5", ""},
      {"7012 CW 13-06-2026 0003 JA1ABC 599 TK W1AW 599 5", ""},
      {"7012 CW 2026-06-13 0003 JA1ABC 599 TK W1AWABCDEFGHIJKLMNOPQRST 599 5",
       "40m CW 00:03:00 W1AWABCDEFGHIJKLMNOPQRST 5"},  // as long as a call can be
      {"7012 CW 2026-06-13 0003 JA1ABC 599 TK W1AWABCDEFGHIJKLMNOPQRSTU 599 5", ""},
  };
  for (const Row& row : rows) {
    LogQso qso;
    std::string found;
    if (ReadEvidenceLine(row.Fields, qso)) {
      std::string time = FormatDateTime(qso.Time, "%H:%M:%S");
      found = qso.Band + " " + qso.Mode + " " + time + " " + qso.Call + " " + qso.ExchRcvd;
    }
    EXPECT_EQ(found, row.Expected) << row.Fields;
  }
}

TEST(Submission, ReadsTheHeaderAndEveryQsoLineAsEvidence) {
  Submission s = ReadSubmission(
      "x.cbr",
      "START-OF-LOG: 3.0\r\nCONTEST: dkz-cw\r\nCALLSIGN: ja1abc\r\n"
      "CATEGORY-OPERATOR: single-op\r\nCATEGORY-BAND: 40M\r\nCATEGORY-POWER: LOW\r\n"
      "CLAIMED-SCORE: 1234\r\nSOAPBOX: fun\r\nSOAPBOX: thanks\r\n"
      "QSO:  7012 CW 2026-06-13 0003 JA1ABC        599 TK     W1AW          599 5\r\n"
      "QSO: 7.012 CW 2026-06-13 00:04 JA1ABC 599 TK W1AX 599 5\r\n"
      "X-QSO:  7012 CW 2026-06-13 0005 JA1ABC        599 TK     W1AY          599 5\r\n"
      "QSO:  7012 CW 2026-06-13 0006 JA1ABC        599        W1AZ          599 5\r\n"
      "END-OF-LOG:\r\nQSO:  7012 CW 2026-06-13 0007 JA1ABC 599 TK W1BB 599 5\r\n");
  EXPECT_EQ(s.Header.Contest, "DKZ-CW");
  EXPECT_EQ(s.Call, "JA1ABC");
  EXPECT_EQ(s.Header.Categories.Operator, "SINGLE-OP");
  EXPECT_EQ(s.Header.Categories.Band, "40M");
  EXPECT_EQ(s.Header.Categories.Power, "LOW");
  EXPECT_EQ(s.Header.ClaimedScore, "1234");
  EXPECT_EQ(s.Header.Soapbox, (std::vector<std::string>{"fun", "thanks"}));
  ASSERT_EQ(s.Log.Qsos.size(), 1u);
  ASSERT_EQ(s.MoreEvidence.size(), 2u);
  EXPECT_EQ(s.MoreEvidence[0].Call + " line " + std::to_string(s.MoreEvidence[0].Line),
            "W1AX line 11");
  EXPECT_EQ(s.MoreEvidence[1].Call + " line " + std::to_string(s.MoreEvidence[1].Line),
            "W1AY line 12");
  EXPECT_EQ(s.UnreadableLines, 1);
}

TEST(SponsorTable, TakesThisContestsNamesAndFindsTheCategory) {
  SponsorTable table = SponsorTable::Default();
  const std::pair<const char*, bool> names[] = {
      {"DKZ", true},    {"dkz ", true},      {"DKZ-CW", true}, {"DKZ-", true},
      {"DKZCW", false}, {"CQ-WW-CW", false}, {"XDKZ", false},  {"DK", false},
  };
  for (const auto& [name, ours] : names)
    EXPECT_EQ(table.IsThisContest(name), ours) << name;

  struct Row {
    CategoryHeaders Headers;
    const char* Code;  // "" for none
  };
  const Row rows[] = {
      {{"SINGLE-OP", "ALL", "", ""}, "SO-ALL-HP"},
      {{"SINGLE-OP", "", "", "LOW"}, "SO-ALL-LP"},
      {{"SINGLE-OP", "ALL", "ONE", "QRP"}, "SO-ALL-QRP"},
      {{"SINGLE-OP", "40M", "", "HIGH"}, "SO-40M-HP"},
      {{"SINGLE-OP", "15M", "", "QRP"}, "SO-15M-LP"},
      {{"MULTI-OP", "", "ONE", ""}, "MO-ONE"},
      {{"MULTI-OP", "ALL", "", "LOW"}, "MO-ONE"},
      {{"MULTI-OP", "", "UNLIMITED", ""}, "MO-MULTI"},
      {{"SINGLE-OP", "17M", "", ""}, ""},
      {{"", "", "", ""}, ""},
  };
  for (const Row& row : rows) {
    Category category;
    std::string code = table.CategoryOf(row.Headers, category) ? category.Code : "";
    EXPECT_EQ(code, row.Code) << row.Headers.Operator << " " << row.Headers.Band;
  }
  Category category;
  ASSERT_TRUE(table.CategoryOf({"SINGLE-OP", "40M", "", ""}, category));
  EXPECT_EQ(category.Title, "Single operator, 40M, high power");

  SponsorTable own = SponsorTable::Parse(
      "contest JIDX-CW # comment\ncategory SOAB-H SINGLE-OP * * HIGH Single Op\n", "t.txt");
  EXPECT_TRUE(own.IsThisContest("JIDX-CW"));
  EXPECT_FALSE(own.IsThisContest("DKZ"));
  EXPECT_THROW(SponsorTable::Parse("contest\n", "t.txt"), InputError);
  EXPECT_THROW(SponsorTable::Parse("category A B C\n", "t.txt"), InputError);
  EXPECT_THROW(SponsorTable::Parse("# nothing\n", "t.txt"), InputError);
}

CalendarTime Day(int day) {
  return CalendarTime{2026, 6, day, 12, 0, 0};
}

TEST(ContestPeriod, IsTheDaysGivenOrTheTwoDaysThatHoldMostQsos) {
  struct Row {
    std::optional<CalendarTime> From, To;
    std::vector<int> QsoDays;
    int First, Last;
  };
  const Row rows[] = {
      {{}, {}, {13, 13, 14, 14, 16}, 13, 14},
      {{}, {}, {12, 13, 13, 14, 14}, 13, 14},
      {{}, {}, {13, 15, 15}, 15, 16},
      {{}, {}, {13, 14, 15, 16}, 13, 14},  // equal pairs: the earliest
      {Day(10), Day(11), {13, 14}, 10, 11},
      {Day(10), {}, {13}, 10, 11},
      {{}, Day(11), {13}, 10, 11},
  };
  for (const Row& row : rows) {
    std::vector<CalendarTime> days;
    for (int d : row.QsoDays)
      days.push_back(Day(d));
    ContestPeriod period = ChoosePeriod(row.From, row.To, days);
    EXPECT_EQ(period.First.Day, row.First) << row.QsoDays.size();
    EXPECT_EQ(period.Last.Day, row.Last) << row.QsoDays.size();
  }
  ContestPeriod period = ChoosePeriod({}, {}, {Day(13)});
  EXPECT_TRUE(period.Holds(CalendarTime{2026, 6, 14, 23, 59, 59}));
  EXPECT_FALSE(period.Holds(CalendarTime{2026, 6, 15, 0, 0, 0}));
  EXPECT_FALSE(period.Holds(CalendarTime{2026, 6, 12, 23, 59, 59}));
}

TEST(ReceivedFiles, TheNewestFileOfAStationCountsNeverTheFirstByName) {
  struct Row {
    SubmissionOrder A, B;
    bool AReplacesB;
  };
  const Row rows[] = {
      {{20, 3, "000-fake.cbr"}, {10, 55, "JG6HRX.cbr"}, true},
      {{10, 3, "000-fake.cbr"}, {20, 55, "JG6HRX.cbr"}, false},
      {{10, 55, "b.cbr"}, {10, 3, "a.cbr"}, true},  // at the same time, the longer
      {{10, 3, "b.cbr"}, {10, 3, "a.cbr"}, true},   // then the later name
      {{10, 3, "a.cbr"}, {10, 3, "b.cbr"}, false},
  };
  for (const Row& row : rows)
    EXPECT_EQ(Replaces(row.A, row.B), row.AReplacesB) << row.A.Name << " " << row.B.Name;
}

}  // namespace
