#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/engine/acceptance.h"
#include "scoring_input.h"

namespace {

class Acceptance : public ::testing::Test {
 protected:
  int Add(const QsoInput& qso) { return AcceptQso(state_, qso, lines_); }

  ContestState state_;
  std::string lines_;
};

TEST_F(Acceptance, RefusedQsosWriteOneLineEachAndStoreNothing) {
  state_.OwnPrefix = "JA";
  QsoInput warc = Qso();
  warc.Band = "30m";
  QsoInput warcPhone = warc;
  warcPhone.Band = "17m";
  warcPhone.Mode = "SSB";  // the band check comes first
  QsoInput lowerCw = Qso();
  lowerCw.Mode = "cw";
  QsoInput noSent = Qso();
  noSent.ExchSent = "";
  QsoInput noRcvd = Qso("JA2AAA", "");

  for (const QsoInput& q : {warc, warcPhone, lowerCw, noSent, noRcvd})
    EXPECT_EQ(Add(q), 0);
  EXPECT_EQ(
      lines_,
      "QSO:  7012  CW  2016-06-09 0705  JA1ZZZ  599  TK  JA2AAA  579  AC   NO CONTEST BAND "
      "!!!\r\n"
      "QSO:  7012  SSB  2016-06-09 0705  JA1ZZZ  599  TK  JA2AAA  579  AC   NO CONTEST BAND "
      "!!!\r\n"
      "QSO:  7012  cw  2016-06-09 0705  JA1ZZZ  599  TK  JA2AAA  579  AC   NO CONTEST MODE "
      "!!!\r\n"
      "QSO:  7012  CW  2016-06-09 0705  JA1ZZZ  599    JA2AAA  579  AC   NO RX NUMBER !!!\r\n"
      "QSO:  7012  CW  2016-06-09 0705  JA1ZZZ  599  TK  JA2AAA  579     NO RX NUMBER !!!\r\n");
  EXPECT_EQ(state_.Log.Count(), 0u);
  EXPECT_TRUE(state_.LogBands.empty());
}

TEST_F(Acceptance, StoredQsoLinesComeCodeThenOneDupePerEarlierMatchThenZeroPoints) {
  state_.OwnPrefix = "DL";  // a DX operator: QSOs with other DX stations are worth 0
  EXPECT_EQ(Add(Qso("JA2AAA", " tk ")), 1);  // normalised, no line
  EXPECT_EQ(Add(DxQso("UA1A", "123")), 1);   // a number is no district code
  EXPECT_EQ(Add(Qso("JA2AAA", "TK")), 1);    // first duplicate
  EXPECT_EQ(Add(Qso("JA2AAA", "TK", "20m")), 1);
  EXPECT_EQ(Add(DxQso("UA1A", "123")), 1);
  EXPECT_EQ(Add(DxQso("UA1A", "123")), 1);  // two earlier matches: two DUPE lines

  const std::string ua =
      "QSO:  7012  CW  2016-06-09 0705  JA1ZZZ  599  TK  UA1A  579  123  123  Code is not "
      "acceptable !!!\r\n";
  const std::string uaDupe = "QSO:  7012  CW  2016-06-09 0705  JA1ZZZ  599  TK  UA1A  579  123";
  EXPECT_EQ(lines_,
            ua +
                "QSO:  7012  CW  2016-06-09 0705  JA1ZZZ  599  TK  UA1A  579  123   QSO 0 points "
                "!!!\r\n"
                "QSO:  7012  CW  2016-06-09 0705  JA1ZZZ  599  TK  JA2AAA  579  TK   DUPE !!!\r\n" +
                ua + uaDupe + "   DUPE !!!\r\n" + uaDupe + "   QSO 0 points !!!\r\n" + ua + uaDupe +
                "   DUPE !!!\r\n" + uaDupe + "   DUPE !!!\r\n" + uaDupe +
                "   QSO 0 points !!!\r\n");

  ASSERT_EQ(state_.Log.Count(), 6u);
  const QsoRecord& first = state_.Log.At(0);
  EXPECT_EQ(first.ExchRcvd, " tk ");
  EXPECT_EQ(first.District, "TK");
  EXPECT_FALSE(first.Excluded);
  EXPECT_EQ(state_.Log.At(1).District, "");
  const bool excluded[] = {false, true, true, false, true, true};
  for (size_t i = 0; i < 6; ++i)
    EXPECT_EQ(state_.Log.At(i).Excluded, excluded[i]) << i;
  EXPECT_EQ(state_.LogBands, (TextList{"40m", "20m"}));
}

TEST_F(Acceptance, RecordKeepsTheHostsFieldsWithPrefixFoldedAndKilohertzRoundedDown) {
  state_.OwnPrefix = "JA";
  QsoInput q = Qso("IT9XYZ", "0599", "6m", "IT9", "EU");
  q.FrequencyHz = 50999999;
  EXPECT_EQ(Add(q), 1);
  q.Prefix = "IT9X";
  EXPECT_EQ(Add(q), 1);
  const QsoRecord& r = state_.Log.At(0);
  EXPECT_EQ(r.Call, "IT9XYZ");
  EXPECT_EQ(r.Prefix, "I");
  EXPECT_EQ(r.Continent, "EU");
  EXPECT_EQ(r.Band, "6m");  // outside the table, yet accepted
  EXPECT_EQ(r.Mode, "CW");
  EXPECT_EQ(r.RstSent, "599");
  EXPECT_EQ(r.RstRcvd, "579");
  EXPECT_EQ(r.ExchSent, "TK");
  EXPECT_EQ(r.ExchRcvd, "0599");
  EXPECT_EQ(r.FreqKhz, 50999);
  EXPECT_EQ(r.Time.Date, q.Time.Date);
  EXPECT_EQ(state_.Log.At(1).Prefix, "IT9X");
}

TEST_F(Acceptance, BeforeAnyResetEveryQsoWithAStationElsewhereIsWorthNothing) {
  EXPECT_EQ(Add(DxQso("W1AW", "5")), 1);
  EXPECT_TRUE(state_.Log.At(0).Excluded);
  EXPECT_EQ(Add(Qso("JA3CCC")), 1);
  EXPECT_FALSE(state_.Log.At(1).Excluded);
}

TEST_F(Acceptance, HostileTextsAreCopiedNeverInterpreted) {
  state_.OwnPrefix = "JA";
  QsoInput q = Qso("%s%n", "%s%n", "%s%n", "%s%n", "%s%n");
  q.OwnCall = q.RstSent = q.RstRcvd = q.ExchSent = "%s%n";
  q.Time.State = OleDateTime::kInvalid;
  EXPECT_EQ(Add(q), 1);
  EXPECT_EQ(lines_,
            "QSO:  7012  CW  Invalid DateTime  %s%n  %s%n  %s%n  %s%n  %s%n  %s%n  %S%N  Code is "
            "not acceptable !!!\r\n");
}

// 4,000 copies of one QSO once wrote 8 million lines: now a copy writes one
// line per earlier copy up to the cap, so the file grows linearly.
TEST_F(Acceptance, DupeLinesOfOneQsoStopAtTheCap) {
  state_.OwnPrefix = "JA";
  std::vector<size_t> linesPerCopy, expected;
  for (size_t i = 0; i < 200; ++i) {
    lines_.clear();
    ASSERT_EQ(Add(Qso("JA2AAA")), 1);
    linesPerCopy.push_back(static_cast<size_t>(std::count(lines_.begin(), lines_.end(), '\n')));
    expected.push_back(std::min<size_t>(i, 10));
  }
  EXPECT_EQ(linesPerCopy, expected);
  EXPECT_TRUE(state_.Log.At(199).Excluded);
}

TEST_F(Acceptance, ControlCharactersInFieldsAreBlanksAndBreakNoLine) {
  state_.OwnPrefix = "JA";
  QsoInput q = Qso("JA2\rAAA", "a\tc\r\nQSO: forged");
  q.OwnCall = "JA1\nZZZ";
  q.RstSent =
      "5\x7f"
      "9";
  EXPECT_EQ(Add(q), 1);
  EXPECT_EQ(
      lines_,
      "QSO:  7012  CW  2016-06-09 0705  JA1 ZZZ  5 9  TK  JA2 AAA  579  a c  QSO: forged  A C  "
      "QSO: FORGED  Code is not acceptable !!!\r\n");
}

}  // namespace
