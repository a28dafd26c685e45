// Bad input through the real exports: null texts and dates, huge and hostile
// texts, broken dates, a null status, no Plugins folder, an err.txt that
// cannot be created. The plug-in must answer safely and keep working.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "driver/plugin_host.h"

namespace {

using T = TextArg;  // as exports.h declares the arguments
using D = DateTimeArg;

// The exports called with every text and date argument the same raw pointer.
class RawExports {
 public:
  explicit RawExports(const PluginHost& host) : host_(host) {}

  int AddData0(T text, D date) { return Qso("AddData0", text, date); }
  int RemoveData0(T text, D date) { return Qso("RemoveData0", text, date); }
  int ResetStats0(T text, D date) {
    auto fn = DKZ_HOST_EXPORT(host_, ResetStats0);
    return fn(text, 0, text, date, date, text, text, text, text, text, text, text, text, text, text,
              0, 0, 0, 0.0, 0.0, text, text, text);
  }
  int CheckCall0(T text) {
    auto fn = DKZ_HOST_EXPORT(host_, CheckCall0);
    return fn(text, 0, 0, text, text, text, text, text, text, text, text, text, text, text, 0, 0, 0,
              0.0, 0.0, text, text, text, text, text, text, text, nullptr, nullptr);
  }
  int IsValidExchg0(T text) {
    auto fn = DKZ_HOST_EXPORT(host_, IsValidExchg0);
    return fn(text, text, text, text, 0, 0, 0);
  }

 private:
  int Qso(const char* name, T text, D date) {
    auto fn = host_.Export<decltype(&::AddData0)>(name);  // RemoveData0 has the same type
    return fn(text, text, date, date, date, date, 0, 7012000, text, text, text, text, text, text,
              text, text, text, text, text, text, text, text, text, 0, 0, 0, 0.0, 0.0, text, text,
              text, text, text);
  }

  const PluginHost& host_;
};

HostQso Q(const std::string& call, const std::string& exchRcvd) {
  HostQso q;
  q.Call = call;
  q.ExchRcvd = exchRcvd;
  return q;
}

const char kCleanPass[] =
    "    DKZ CONTEST 10.06-11.06.2016\r\n\tContestant: JA1ZZZ \r\n"
    "\tQSOs\tPoints\tCounty\tCont\r\n40m\t 2\t 2\t 2\t 1\r\nTotal\t 2\t 2\t 2\t 1\r\nScore\t 6";

// After whatever came before, a normal pass must still score right.
void ExpectAWorkingPlugin(PluginHost& host) {
  ASSERT_EQ(host.ResetStats0(HostReset()), 1);
  EXPECT_EQ(host.AddData0(Q("JA2AAA", "AC")), 1);
  EXPECT_EQ(host.AddData0(Q("JA3BBB", "TK")), 1);
  EXPECT_EQ(host.GetResult0(), kCleanPass);
}

// By the decorated names, as the logging program calls them: ExportTable checks
// that the plain names reach the same functions.
class HostileInput : public ::testing::Test {
 protected:
  ScratchFolder folder_;
  PluginHost host_{true};
  RawExports raw_{host_};
};

TEST_F(HostileInput, NullTextsAndDatesReadAsEmpty) {
  EXPECT_EQ(raw_.ResetStats0(nullptr, nullptr), 1);
  EXPECT_EQ(host_.GetResult0(),
            "    DKZ CONTEST -\r\n\tContestant:  \r\n\tQSOs\tPoints\tCounty\r\nTotal\t 0\t 0\t "
            "0\r\nScore\t 0");
  EXPECT_EQ(raw_.AddData0(nullptr, nullptr), 0);  // the empty mode is not CW
  // Eight empty pieces after the frequency, each after its two blanks, then
  // the message with its own three.
  EXPECT_EQ(ReadWholeFile("err.txt"), std::string("DKZ Contest UBN file \r\nQSO:  7012") +
                                          std::string(8 * 2 + 3, ' ') + "NO CONTEST MODE !!!\r\n");
  EXPECT_EQ(raw_.RemoveData0(nullptr, nullptr), 0);
  EXPECT_EQ(raw_.CheckCall0(nullptr), 2);
  EXPECT_EQ(raw_.IsValidExchg0(nullptr), 0);
  EXPECT_EQ(host_.GetExchgCount0(nullptr, nullptr, nullptr), 1);
  ExpectAWorkingPlugin(host_);
}

TEST_F(HostileInput, HugeCallsign) {
  host_.ResetStats0(HostReset());
  const std::string huge(100000, 'W');
  EXPECT_EQ(host_.AddData0(Q(huge, "AC")), 1);
  EXPECT_EQ(host_.AddData0(Q(huge, "AC")), 1);
  HostCallCheck check;
  check.Call = huge;
  EXPECT_EQ(host_.CheckCall0(check), 0);
  EXPECT_NE(host_.GetResult0().find("40m\t 1\t 1\t 1\t 1\r\n"), std::string::npos);
  std::string err = ReadWholeFile("err.txt");
  EXPECT_EQ(err.size(), 23u +
                            std::string("QSO:  7012  CW  2016-06-10 1200  JA1ZZZ  599  TK    599  "
                                        "AC   DUPE !!!\r\n")
                                .size() +
                            huge.size());
  EXPECT_EQ(host_.RemoveData0(Q(huge, "AC")), 1);
  EXPECT_EQ(host_.CheckCall0(check), 0);
  EXPECT_EQ(host_.RemoveData0(Q(huge, "AC")), 1);
  EXPECT_EQ(host_.CheckCall0(check), 2);
  ExpectAWorkingPlugin(host_);
}

TEST_F(HostileInput, FormatDirectivesInEveryTextArePlainText) {
  const char* h = "%s%n";
  EXPECT_EQ(raw_.ResetStats0(h, nullptr), 1);
  EXPECT_EQ(raw_.AddData0(h, nullptr), 0);
  EXPECT_EQ(raw_.RemoveData0(h, nullptr), 1);
  EXPECT_EQ(raw_.CheckCall0(h), 2);
  EXPECT_EQ(raw_.IsValidExchg0(h), 0);
  HostReset reset;
  reset.OwnCall = h;
  host_.ResetStats0(reset);
  HostQso q = Q(h, h);
  q.OwnCall = q.RstSent = q.RstRcvd = q.ExchSent = q.Continent = h;
  EXPECT_EQ(host_.AddData0(q), 1);
  EXPECT_EQ(
      ReadWholeFile("err.txt"),
      "DKZ Contest UBN file \r\n"
      "QSO:  7012  CW  2016-06-10 1200  %s%n  %s%n  %s%n  %s%n  %s%n  %s%n  %S%N  Code is not "
      "acceptable !!!\r\n");
  EXPECT_EQ(host_.GetResult0(),
            "    DKZ CONTEST 10.06-11.06.2016\r\n\tContestant: %s%n \r\n"
            "\tQSOs\tPoints\tCounty\tCont\r\n40m\t 1\t 1\t 0\t 1\r\nTotal\t 1\t 1\t 0\t 1\r\n"
            "Score\t 1");
  ExpectAWorkingPlugin(host_);
}

TEST_F(HostileInput, BrokenDatesFormatSafely) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct {
    double date;
    int32_t status;
    const char* text;
  } cases[] = {
      {nan, OleDateTime::kValid, "Invalid DateTime"},
      {1e300, OleDateTime::kValid, "Invalid DateTime"},
      {-1e9, OleDateTime::kValid, "Invalid DateTime"},
      {std::numeric_limits<double>::infinity(), OleDateTime::kValid, "Invalid DateTime"},
      {42530.0, OleDateTime::kInvalid, "Invalid DateTime"},
      {42530.0, OleDateTime::kNull, ""},
      {42530.0, 12345, "Invalid DateTime"},
  };
  for (auto& c : cases) {
    HostReset reset;
    reset.PeriodStart.Date = reset.PeriodEnd.Date = c.date;
    reset.PeriodStart.State = reset.PeriodEnd.State = c.status;
    ASSERT_EQ(host_.ResetStats0(reset), 1);
    HostQso q = Q("JA2AAA", "123");
    q.Time = reset.PeriodStart;
    EXPECT_EQ(host_.AddData0(q), 1);
    std::string text = c.text;
    EXPECT_EQ(ReadWholeFile("err.txt"), "DKZ Contest UBN file \r\nQSO:  7012  CW  " + text +
                                            "  JA1ZZZ  599  TK  JA2AAA  599  123  123  Code is "
                                            "not acceptable !!!\r\n");
    EXPECT_EQ(host_.GetResult0().find("    DKZ CONTEST " + text + "-" + text + "\r\n"), 0u);
    // Removal matches the stored time even when it is not a number.
    EXPECT_EQ(host_.RemoveData0(q), 1);
    EXPECT_NE(host_.GetResult0().find("Total\t 0\t 0\t 0\t 0\r\n"), std::string::npos);
  }
  ExpectAWorkingPlugin(host_);
}

TEST_F(HostileInput, NullStatusPointer) {
  host_.ResetStats0(HostReset());
  host_.AddData0(Q("JA2AAA", "AC"));
  host_.AddData0(Q("JA3BBB", "TK"));
  const char* text = host_.GetResult0(nullptr);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, kCleanPass);
}

TEST(HostileFolders, NoPluginsFolderScoresWithoutSettings) {
  ScratchFolder folder(false);
  PluginHost host;
  ExpectAWorkingPlugin(host);
  EXPECT_FALSE(FileExists("Plugins"));
  EXPECT_EQ(ReadWholeFile("err.txt"), "DKZ Contest UBN file \r\n");
}

// Running as root under Wine, read-only files are writable; a folder of that
// name is what cannot be opened as a file.
TEST(HostileFolders, AnErrFileThatCannotBeCreatedLosesOnlyItsLines) {
  ScratchFolder folder;
  ASSERT_TRUE(CreateDirectoryA("err.txt", nullptr));
  PluginHost host;
  ExpectAWorkingPlugin(host);
  EXPECT_EQ(host.AddData0(Q("JA2AAA", "AC")), 1);  // a duplicate: its line is lost
  EXPECT_NE(host.GetResult0().find("40m\t 2\t 2\t 2\t 1\r\n"), std::string::npos);
  EXPECT_EQ(ReadSetting("Claimed"), "6");
  EXPECT_TRUE(GetFileAttributesA("err.txt") & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
