// A scoring pass through the real Stats.dll: err.txt, the summary, the call
// check, removal and the settings keys, by plain and by decorated names.
#include <gtest/gtest.h>

#include <string>

#include "driver/plugin_host.h"

namespace {

HostQso Q(const std::string& call, const std::string& exchRcvd, const std::string& band = "40m",
          const std::string& prefix = "JA", const std::string& continent = "AS") {
  HostQso q;
  q.Call = call;
  q.ExchRcvd = exchRcvd;
  q.Band = band;
  q.Prefix = prefix;
  q.Continent = continent;
  return q;
}

const char kHeader[] = "DKZ Contest UBN file \r\n";

// By the decorated names, as the logging program calls them: ExportTable checks
// that the plain names reach the same functions.
class Scoring : public ::testing::Test {
 protected:
  std::string ErrFile() const { return ReadWholeFile("err.txt"); }

  ScratchFolder folder_;
  PluginHost host_{true};
};

TEST_F(Scoring, ErrFileHoldsTheHeaderAndOneLinePerProblemInOrder) {
  WriteWholeFile("err.txt", "lines of an earlier pass\r\n");
  HostReset dx;
  dx.OwnCall = "DL1ZZZ";
  dx.OwnPrefix = "DL";
  ASSERT_EQ(host_.ResetStats0(dx), 1);
  EXPECT_EQ(ErrFile(), kHeader);

  HostQso warc = Q("JA2AAA", "AC", "30m");
  warc.Mode = "SSB";
  HostQso phone = Q("JA2AAA", "AC");
  phone.Mode = "cw";
  HostQso noNumber = Q("JA2AAA", "");
  HostQso dupe = Q("JA2AAA", " ac");
  dupe.Time = MakeOleDateTime(2016, 6, 10, 7, 5);
  dupe.FrequencyHz = 7012999;
  HostQso ua = Q("UA1A", "123", "40m", "UA", "EU");
  ua.OwnCall = "DL1ZZZ";

  EXPECT_EQ(host_.AddData0(warc), 0);
  EXPECT_EQ(host_.AddData0(phone), 0);
  EXPECT_EQ(host_.AddData0(noNumber), 0);
  EXPECT_EQ(host_.AddData0(Q("JA2AAA", "AC")), 1);
  EXPECT_EQ(host_.AddData0(dupe), 1);
  EXPECT_EQ(host_.AddData0(dupe), 1);
  EXPECT_EQ(host_.AddData0(ua), 1);
  EXPECT_EQ(
      ErrFile(),
      std::string(kHeader) +
          "QSO:  7012  SSB  2016-06-10 1200  JA1ZZZ  599  TK  JA2AAA  599  AC   NO CONTEST "
          "BAND !!!\r\n"
          "QSO:  7012  cw  2016-06-10 1200  JA1ZZZ  599  TK  JA2AAA  599  AC   NO CONTEST "
          "MODE !!!\r\n"
          "QSO:  7012  CW  2016-06-10 1200  JA1ZZZ  599  TK  JA2AAA  599     NO RX NUMBER "
          "!!!\r\n"
          "QSO:  7012  CW  2016-06-10 0705  JA1ZZZ  599  TK  JA2AAA  599   ac   DUPE !!!\r\n"
          "QSO:  7012  CW  2016-06-10 0705  JA1ZZZ  599  TK  JA2AAA  599   ac   DUPE !!!\r\n"
          "QSO:  7012  CW  2016-06-10 0705  JA1ZZZ  599  TK  JA2AAA  599   ac   DUPE !!!\r\n"
          "QSO:  7012  CW  2016-06-10 1200  DL1ZZZ  599  TK  UA1A  599  123  123  Code is not "
          "acceptable !!!\r\n"
          "QSO:  7012  CW  2016-06-10 1200  DL1ZZZ  599  TK  UA1A  599  123   QSO 0 points "
          "!!!\r\n");

  // A new pass starts the file afresh.
  ASSERT_EQ(host_.ResetStats0(dx), 1);
  EXPECT_EQ(ErrFile(), kHeader);
}

TEST_F(Scoring, ErrFileExistsAfterEveryAcceptanceEvenWhenDeletedBetweenPasses) {
  host_.ResetStats0(HostReset());
  host_.AddData0(Q("JA2AAA", "AC"));
  host_.GetResult0();
  ASSERT_TRUE(DeleteFileA("err.txt"));  // the summary let go of the file
  EXPECT_EQ(host_.AddData0(Q("JA3BBB", "TK")), 1);
  EXPECT_TRUE(FileExists("err.txt"));
  EXPECT_EQ(ErrFile(), "");
  host_.AddData0(Q("JA3BBB", "TK"));
  EXPECT_EQ(ErrFile(),
            "QSO:  7012  CW  2016-06-10 1200  JA1ZZZ  599  TK  JA3BBB  599  TK   DUPE !!!\r\n");
}

TEST_F(Scoring, JapaneseSummaryAndClaimedKey) {
  host_.ResetStats0(HostReset());
  host_.AddData0(Q("JA2AAA", "AC", "20m"));
  host_.AddData0(Q("W1AW", "5", "20m", "K", "NA"));
  host_.AddData0(Q("JA3BBB", "TK", "160m"));
  host_.AddData0(Q("JA2AAA", "AC", "40m"));
  host_.AddData0(Q("DL1ABC", "12", "40m", "DL", "EU"));
  host_.AddData0(Q("JA2AAA", "AC", "40m"));
  int status = 42;
  std::string summary = host_.GetResult0(&status);
  EXPECT_EQ(summary,
            "    DKZ CONTEST 10.06-11.06.2016\r\n"
            "\tContestant: JA1ZZZ \r\n"
            "\tQSOs\tPoints\tCounty\tCont\r\n"
            "160m\t 1\t 1\t 1\t 1\r\n"
            "40m\t 2\t 6\t 1\t 2\r\n"
            "20m\t 2\t 6\t 1\t 2\r\n"
            "Total\t 5\t 13\t 3\t 5\r\n"
            "Score\t 104");
  EXPECT_EQ(status, 42);  // no report run: the status is the host's
  EXPECT_EQ(ReadSetting("Claimed"), "104");
  // Asking again gives the same text.
  EXPECT_EQ(host_.GetResult0(), summary);
}

TEST_F(Scoring, RemovalAndCallCheckFollowTheStore) {
  host_.ResetStats0(HostReset());
  HostQso first = Q("W1AW", "5", "15m", "K", "NA");
  HostQso dupe = first;
  dupe.Time = MakeOleDateTime(2016, 6, 10, 13, 0);
  host_.AddData0(first);
  host_.AddData0(dupe);
  host_.AddData0(Q("JA2AAA", "AC", "15m"));

  HostCallCheck check;
  check.Call = "W1AW";
  check.Band = "15m";
  check.Continent = "NA";
  EXPECT_EQ(host_.CheckCall0(check), 0);
  check.Call = "K1ABC";
  EXPECT_EQ(host_.CheckCall0(check), 1);
  check.Continent = "OC";
  EXPECT_EQ(host_.CheckCall0(check), 2);  // also for a Japanese operator

  // The host deletes the first QSO: the later one counts now; the number the
  // station sent is no district code, yet the QSO leaves the store.
  EXPECT_EQ(host_.RemoveData0(first), 1);
  EXPECT_NE(host_.GetResult0().find("\r\n15m\t 2\t 6\t 1\t 2\r\n"), std::string::npos);
  EXPECT_EQ(host_.RemoveData0(dupe), 1);
  EXPECT_NE(host_.GetResult0().find("\r\n15m\t 1\t 1\t 1\t 1\r\n"), std::string::npos);
  check.Call = "W1AW";
  check.Continent = "NA";
  EXPECT_EQ(host_.CheckCall0(check), 2);
  HostQso noExchange = Q("JA2AAA", "");
  EXPECT_EQ(host_.RemoveData0(noExchange), 0);
}

TEST_F(Scoring, TheStartKeyAlternatesBetweenPasses) {
  struct {
    const char* before;  // nullptr: no key
    const char* ownPrefix;
    const char* after;
  } cases[] = {
      {nullptr, "JA", "1"}, {"0", "JA", "1"}, {"1", "JA", "0"},
      {"7", "DL", "0"},     {"0", "DL", "1"},  // no district window exists
  };
  for (auto& c : cases) {
    WriteSetting("Start", c.before);
    HostReset reset;
    reset.OwnPrefix = c.ownPrefix;
    host_.ResetStats0(reset);
    EXPECT_EQ(ReadSetting("Start"), c.after) << (c.before ? c.before : "none") << c.ownPrefix;
  }
  host_.ResetStats0(HostReset());
  EXPECT_EQ(ReadSetting("Start"), "0");
  host_.ResetStats0(HostReset());
  EXPECT_EQ(ReadSetting("Start"), "1");
}

TEST_F(Scoring, TheResetLeavesTheSwitchesAsTheyAre) {
  WriteSetting("Master", "1");
  WriteSetting("Multiplier", "1");
  WriteSetting("Start", "1");  // this pass starts no info windows
  host_.ResetStats0(HostReset());
  host_.GetResult0();
  EXPECT_EQ(ReadSetting("Master"), "1");
  EXPECT_EQ(ReadSetting("Multiplier"), "1");
}

}  // namespace
