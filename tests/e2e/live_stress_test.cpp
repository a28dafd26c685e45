// Long runs through the real DLL: many show/hide cycles, and a flood of
// scoring calls racing the live updates. No crash, no deadlock, and the
// process's windows and GDI objects back where they started.
#include <cstdio>

#include "live_support.h"

namespace {

class LiveStress : public LiveTest {
 protected:
  // One show, update and hide first: what the first use loads once stays.
  void WarmUp() {
    ASSERT_NE(Show(), nullptr);
    ASSERT_TRUE(WaitForUpdates(Updates() + 1));
    plugin_->RunCommand0("HIDEINFO");
    orvo_.PumpFor(100);
    windowsBefore_ = CountProcessWindows();
    gdiFreeBefore_ = ProbeFreeGdiHandles();
  }

  void ExpectNothingLeaked(const char* what) {
    orvo_.PumpUntil([&] { return CountProcessWindows() == windowsBefore_; }, 2000);
    int windowsAfter = CountProcessWindows();
    int gdiFreeAfter = ProbeFreeGdiHandles();
    std::printf("[figures] %s: windows %d before, %d after; free GDI handles %d before, %d after\n",
                what, windowsBefore_, windowsAfter, gdiFreeBefore_, gdiFreeAfter);
    EXPECT_EQ(windowsAfter, windowsBefore_);
    EXPECT_EQ(gdiFreeAfter, gdiFreeBefore_);
  }

  int windowsBefore_ = 0;
  int gdiFreeBefore_ = 0;
};

// The counts are exact, so a few cycles show a leak of one object per cycle,
// and two a leak of one per update cycle (every tenth).
TEST_F(LiveStress, ShowHideCycles) {
  const int kCycles = 20, kUpdateEvery = 10;
  orvo_.EntryText = L"JA1ABC";
  WarmUp();
  double start = orvo_.NowMs();
  int updatesBefore = Updates();
  for (int i = 0; i < kCycles; ++i) {
    plugin_->RunCommand0("SHOWINFO");
    // Now and then let an update run, so that a thread connects to the host.
    if (i % kUpdateEvery == kUpdateEvery / 2) {
      ASSERT_TRUE(WaitForUpdates(Updates() + 1)) << i;
    }
    plugin_->RunCommand0("HIDEINFO");
    ASSERT_TRUE(DistrictWindows().empty()) << i;
  }
  std::printf("[figures] %d SHOWINFO/HIDEINFO cycles (%d with an update): %.0f ms\n", kCycles,
              Updates() - updatesBefore, orvo_.NowMs() - start);
  ExpectNothingLeaked("show/hide cycles");
}

TEST_F(LiveStress, ScoringCallsRaceTheLiveUpdates) {
  WriteSetting("Multiplier", "1");
  WriteSetting("Start", "1");  // the reset itself starts nothing
  plugin_->ResetStats0(HostReset());
  // The callsign being typed: worked on two bands for good, and coming and
  // going on 40 m during the run.
  HostQso kept;
  kept.Call = "JA1RACE";
  for (const char* band : {"80m", "20m"}) {
    kept.Band = band;
    plugin_->AddData0(kept);
  }
  plugin_->GetResult0();
  orvo_.EntryText = L"JA1RACE";
  WarmUp();
  ASSERT_NE(Show(), nullptr);
  int updatesBefore = Updates();

  // Call checks come in bursts; in the quiet 350 ms after each burst the
  // timer fires while the other calls go on. Adds and removals balance, so
  // the log stays small and the run stays linear. The run ends once enough
  // calls have met enough updates (or after a bound, and fails).
  const double kSliceMs = 400, kBurstMs = 50, kBoundMs = 20000;
  const int kMinCalls = 20000, kMinUpdates = 3;
  double start = orvo_.NowMs();
  int calls = 0;
  HostQso qso;
  auto going = [&] {
    bool enough = calls >= kMinCalls && Updates() - updatesBefore >= kMinUpdates;
    return !enough && orvo_.NowMs() - start < kBoundMs;
  };
  for (int group = 0; going(); ++group) {
    double inSlice = orvo_.NowMs() - start;
    bool burst = inSlice - kSliceMs * static_cast<int>(inSlice / kSliceMs) < kBurstMs;
    qso.Call = group % 5 == 0 ? "JA1RACE" : "JA" + std::to_string(group % 40) + "XX";
    qso.ExchRcvd = group % 3 == 0 ? "TK" : "AC";
    for (int k = 0; k < 10; ++k, ++calls) {
      if (k == 9) {
        plugin_->GetResult0();
      } else if (k % 3 == 0) {
        if (burst)
          plugin_->CheckCall0(Typing(qso.Call));
        else
          plugin_->RemoveData0(qso);
      } else if (k % 3 == 1) {
        plugin_->AddData0(qso);
      } else {
        plugin_->RemoveData0(qso);
      }
    }
    orvo_.PumpFor(0);  // serve the info thread's host calls
  }
  double elapsed = orvo_.NowMs() - start;
  int updates = Updates() - updatesBefore;
  std::printf("[figures] %d scoring calls in %.0f ms with %d live updates racing them\n", calls,
              elapsed, updates);
  EXPECT_GE(updates, kMinUpdates);
  plugin_->RunCommand0("HIDEINFO");
  EXPECT_TRUE(DistrictWindows().empty());
  ExpectNothingLeaked("racing calls");
}

}  // namespace
