#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>

#include "core/engine/scoring_pass.h"
#include "scoring_input.h"

namespace {

// A pass with its state, settings and calls out in memory, and err.txt in /tmp.
class RecordedPass : public PassSurroundings {
 public:
  RecordedPass() : errors_(ErrorPath()) {}
  ~RecordedPass() override { std::remove(ErrorPath().c_str()); }
  static std::string ErrorPath() { return "/tmp/dkz-pass-" + std::to_string(getpid()) + ".txt"; }

  void WithPassState(const std::function<void(ContestState&)>& body) override { body(State); }
  void WithCabrilloLog(const std::function<void(CabrilloLog&)>& body) override { body(Log); }
  Settings& PassSettings() override { return Stored; }
  ErrorFile& PassErrors() override { return errors_; }
  bool ShowCabrilloHeader(CabrilloLog& log) override {
    Calls += "dialog ";
    log.Name = "Typed";
    return true;
  }
  std::string HostVersion() override { return "2.19"; }
  bool WriteCabrilloFile(const std::string& name, const std::string& bytes, std::string&) override {
    Calls += "write " + name + " ";
    Written = bytes;
    return true;
  }
  void TellCabrilloOutput(const std::string& message, bool) override {
    Calls += "tell '" + message + "' ";
  }
  bool LiveWindowsRunning() override { return false; }
  void StartInfoWindows() override { Calls += "windows "; }
  void AttachForSummary(int32_t, int32_t) override { Calls += "attach"; }

  ContestState State;
  CabrilloLog Log;
  MemorySettings Stored;
  std::string Calls, Written;

 private:
  ErrorFile errors_;
};

ResetInput ReportReset() {
  ResetInput input;
  input.CabrilloRequest = 1;
  input.OwnCall = "JA1ZZZ";
  input.OwnPrefix = "JA";
  input.PeriodStart = MakeOleDateTime(2016, 6, 9, 0);
  input.PeriodEnd = MakeOleDateTime(2016, 6, 10, 0);
  return input;
}

TEST(ScoringPass, AReportPassConfirmsTheHeaderStoresItAndWritesTheFileAtTheSummary) {
  RecordedPass pass;
  pass.Stored.Values["Multiplier"] = "1";
  EXPECT_EQ(PassResetStats(pass, ReportReset()), 1);
  EXPECT_EQ(pass.Calls, "dialog ");
  EXPECT_EQ(pass.Stored.Values["Name"], "Typed");
  EXPECT_EQ(pass.Stored.Values["Start"], "0");  // the header's "1", then the alternation
  EXPECT_EQ(PassAddData(pass, Qso()), 1);
  EXPECT_EQ(PassAddData(pass, Qso("JA3CCC", "", "2m")), 0);

  int status = 0;
  const std::string summary = PassGetResult(pass, &status);
  EXPECT_EQ(summary, pass.State.SummaryText);
  EXPECT_EQ(status, -1);
  EXPECT_EQ(pass.Stored.Values["Claimed"], std::to_string(pass.State.ClaimedScore));
  EXPECT_EQ(pass.Calls, "dialog write JA1ZZZ.cbr tell 'File produced: JA1ZZZ.cbr' attach");
  EXPECT_NE(pass.Written.find("NAME: Typed\r\n"), std::string::npos);
  EXPECT_NE(pass.Written.find("CREATED-BY: Orvo 2.19\r\n"), std::string::npos);
  EXPECT_NE(pass.Written.find("JA2AAA"), std::string::npos);
}

}  // namespace
