// The live windows when the host is slow, absent or failing, when the
// library is unloaded under them, and under long runs of calls. Every case is
// bounded in time: the plug-in must never freeze or crash the host.
#include <winsock2.h>

#include <algorithm>
#include <cstdio>

#include "core/engine/settings.h"
#include "live_support.h"

namespace {

using Macros = std::vector<std::string>;

double ElapsedMs(const FakeOrvoHost& orvo, double since) {
  return orvo.NowMs() - since;
}

class LiveFaults : public LiveTest {};

TEST_F(LiveFaults, HideDuringASlowHostCallGivesUpWithinTwoSeconds) {
  orvo_.DelayMs[FakeOrvoHost::kEntryText] = 3000;
  double hideMs = -1;
  // The host hides the windows from a nested message loop while it is still
  // answering the info thread: that answer cannot come before the hide returns.
  orvo_.DuringSlowCall = [&] {
    double start = orvo_.NowMs();
    plugin_->RunCommand0("HIDEINFO");
    hideMs = ElapsedMs(orvo_, start);
  };
  ASSERT_NE(Show(), nullptr);
  ASSERT_TRUE(orvo_.PumpUntil([&] { return hideMs >= 0; }, 3000));
  std::printf("[figures] HIDEINFO inside a slow host call returned after %.0f ms\n", hideMs);
  EXPECT_LT(hideMs, 2600);
  ASSERT_TRUE(orvo_.PumpUntil([] { return DistrictWindows().empty(); }, 4000));
  EXPECT_EQ(orvo_.CountCalls(FakeOrvoHost::kFrequency), 0) << "the abandoned update went on";

  // Still usable: the windows come back and update.
  orvo_.DelayMs.clear();
  HWND window = Show();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitForUpdates(2));
  EXPECT_EQ(WindowTitle(window), "DKZ CNT on 40m 0  of 62");
}

TEST_F(LiveFaults, HideServesTheCallAnUpdateIsWaitingFor) {
  ASSERT_NE(Show(), nullptr);
  // The host's thread is busy: the first update (300 ms) waits for it.
  Sleep(700);
  double start = orvo_.NowMs();
  plugin_->RunCommand0("HIDEINFO");
  double hideMs = ElapsedMs(orvo_, start);
  std::printf("[figures] HIDEINFO while an update waited for the host: %.0f ms\n", hideMs);
  EXPECT_LT(hideMs, 1000);
  EXPECT_TRUE(DistrictWindows().empty());
  EXPECT_EQ(orvo_.CountCalls(FakeOrvoHost::kFrequency), 0);
}

// How long a stop may take when the info thread does not answer.
const double kUnansweredStopBoundMs = 3500;

DWORD WINAPI ResumeLater(void* thread) {
  // Just past the bound: a stop that waits for the thread then breaks it.
  Sleep(static_cast<DWORD>(kUnansweredStopBoundMs) + 300);
  ResumeThread(static_cast<HANDLE>(thread));
  return 0;
}

// The info thread does not answer at all for longer than the bound (here:
// suspended, as a thread stuck in a wait that lets nothing through would be).
// The stop's close requests share one deadline; one that finds the deadline
// already passed must not turn into a wait without end.
TEST_F(LiveFaults, HideGivesUpWithinTheBoundWhenTheInfoThreadDoesNotAnswer) {
  plugin_->ResetStats0(HostReset());  // a Japanese operator: the continent window too
  orvo_.EntryText = L"JA1ABC";        // and the worked-before window
  HWND window = Show();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitForUpdates(1));
  ASSERT_TRUE(orvo_.PumpUntil([] { return FindProcessWindows("Continent").size() == 1; }, 3000));
  orvo_.PumpFor(200);  // the info thread is idle in its message loop

  HANDLE infoThread =
      OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(window, nullptr));
  ASSERT_NE(infoThread, nullptr);
  ASSERT_NE(SuspendThread(infoThread), static_cast<DWORD>(-1));
  // A watchdog lets the thread go on after a while, so that a stop that does
  // wait without end shows as a slow stop rather than a hung test.
  HANDLE watchdog = CreateThread(nullptr, 0, ResumeLater, infoThread, 0, nullptr);
  ASSERT_NE(watchdog, nullptr);
  double start = orvo_.NowMs();
  plugin_->RunCommand0("HIDEINFO");
  double hideMs = ElapsedMs(orvo_, start);
  std::printf("[figures] HIDEINFO with the info thread not answering: %.0f ms\n", hideMs);
  EXPECT_LT(hideMs, kUnansweredStopBoundMs);

  // Once the thread answers again, it closes its windows and the plug-in is usable.
  orvo_.PumpUntil([&] { return WaitForSingleObject(watchdog, 0) == WAIT_OBJECT_0; }, 10000);
  CloseHandle(watchdog);
  CloseHandle(infoThread);
  EXPECT_TRUE(orvo_.PumpUntil([] { return DistrictWindows().empty(); }, 4000));
  int updates = Updates();
  ASSERT_NE(Show(), nullptr);
  EXPECT_TRUE(WaitForUpdates(updates + 1));
}

struct FailureCase {
  DISPID Failing;
  Macros AfterRecovery;  // everything the host was asked to run, failed calls included
};

class LiveFailingCalls : public LiveTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(LiveFailingCalls, AbandonTheUpdateAndRecoverWithTheNext) {
  orvo_.Failing = {GetParam().Failing};
  HWND window = Show();
  ASSERT_NE(window, nullptr);
  orvo_.PumpFor(800);
  EXPECT_EQ(WindowTitle(window), "Japan County") << "the failed update changed nothing";

  orvo_.Failing.clear();
  plugin_->CheckCall0(Typing("JA1ABC"));
  ASSERT_TRUE(
      orvo_.PumpUntil([&] { return WindowTitle(window) == "DKZ CNT on 40m 0  of 62"; }, 3000));
  orvo_.PumpFor(50);
  EXPECT_EQ(orvo_.Macros(), GetParam().AfterRecovery);
}

INSTANTIATE_TEST_SUITE_P(
    ByCall, LiveFailingCalls,
    ::testing::Values(
        FailureCase{FakeOrvoHost::kEntryText, {"<MODE:CW>", "<BAUDRATE:27>", "<SP1>"}},
        FailureCase{FakeOrvoHost::kFrequency, {"<MODE:CW>", "<BAUDRATE:27>", "<SP1>"}},
        // The opening macros are claimed once, even when the host refuses them.
        FailureCase{FakeOrvoHost::kMacro, {"<MODE:CW>", "<SP1>"}}),
    [](const ::testing::TestParamInfo<FailureCase>& info) {
      return "Dispid" + std::to_string(info.param.Failing);
    });

// The ProgID registered without a running host, or not registered at all.
class LiveNoHost : public LiveTest, public ::testing::WithParamInterface<bool> {
 protected:
  LiveNoHost() : LiveTest(FakeOrvoHost::Presence::kProgIdOnly) {
    if (!GetParam())
      UnregisterHostProgId();
  }
};

TEST_P(LiveNoHost, UpdatesGoOnWithNoEntryAndNoBandThenFindALateHostQuietly) {
  HWND window = Show();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(orvo_.PumpUntil([&] { return WindowTitle(window) == "DKZ CNT on  0  of 62"; }, 3000));
  plugin_->GetResult0();  // the windows' attach counts: the summary does not try

  FakeOrvoHost late;
  late.EntryText = L"JA1ABC";
  plugin_->CheckCall0(Typing("JA1ABC"));
  ASSERT_TRUE(
      late.PumpUntil([&] { return WindowTitle(window) == "DKZ CNT on 40m 0  of 62"; }, 3000));
  plugin_->GetResult0();
  late.PumpFor(50);
  EXPECT_EQ(late.Macros(), (Macros{"<SP1>"})) << "no opening macros after the first attach";

  double start = orvo_.NowMs();
  plugin_->RunCommand0("HIDEINFO");
  EXPECT_LT(ElapsedMs(orvo_, start), 1000);
}

INSTANTIATE_TEST_SUITE_P(ProgId, LiveNoHost, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Registered" : "Missing";
                         });

class LiveSummaryAttach : public LiveTest {};

TEST_F(LiveSummaryAttach, FirstSummaryThatFindsTheHostSendsTheOpeningMacros) {
  plugin_->GetResult0();
  plugin_->GetResult0();
  orvo_.PumpFor(50);
  EXPECT_EQ(orvo_.Macros(), (Macros{"<MODE:CW>", "<BAUDRATE:27>"}));
  EXPECT_EQ(orvo_.CountCalls(FakeOrvoHost::kEntryText), 0);
}

TEST_F(LiveSummaryAttach, MasterOrMultiplierOnKeepsTheSummaryAway) {
  for (const char* key : {"Master", "Multiplier"}) {
    WriteSetting("Master", "0");
    WriteSetting("Multiplier", "0");
    WriteSetting(key, "1");
    WriteSetting("Start", "1");  // the reset then starts no windows
    plugin_->ResetStats0(HostReset());
    plugin_->GetResult0();
    orvo_.PumpFor(50);
    EXPECT_TRUE(orvo_.Calls().empty()) << key;
  }
}

enum class UnloadMoment { kRightAfterShow, kWindowShown, kAfterAnUpdate };

class LiveUnload : public LiveTest, public ::testing::WithParamInterface<UnloadMoment> {};

TEST_P(LiveUnload, LeavesNoWindowAndNeitherHangsNorCrashes) {
  UnloadMoment moment = GetParam();
  int windowsBefore = CountProcessWindows();
  if (moment == UnloadMoment::kRightAfterShow) {
    plugin_->RunCommand0("SHOWINFO");
  } else {
    ASSERT_NE(Show(), nullptr);
    EXPECT_GT(CountProcessWindows(), windowsBefore + 62) << "the window and its boxes count";
  }
  if (moment == UnloadMoment::kAfterAnUpdate) {
    ASSERT_TRUE(WaitForUpdates(1));
  }
  double start = orvo_.NowMs();
  plugin_.reset();
  double unloadMs = ElapsedMs(orvo_, start);
  EXPECT_LT(unloadMs, 2500);
  EXPECT_TRUE(DistrictWindows().empty());
  // The thread's own last windows go with it once the loader lets it end.
  EXPECT_TRUE(orvo_.PumpUntil([&] { return CountProcessWindows() == windowsBefore; }, 2000));
  std::printf("[figures] unload (moment %d): %.0f ms; windows %d before, %d after\n",
              static_cast<int>(moment), unloadMs, windowsBefore, CountProcessWindows());

  // A fresh load works, and sends its own opening macros once.
  int updatesBefore = Updates();
  plugin_ = std::make_unique<PluginHost>();
  ASSERT_NE(Show(), nullptr);
  ASSERT_TRUE(WaitForUpdates(updatesBefore + 1));
  Macros macros = orvo_.Macros();
  EXPECT_EQ(std::count(macros.begin(), macros.end(), "<MODE:CW>"), updatesBefore + 1);
}

const char* const kUnloadMomentNames[] = {"RightAfterShow", "WindowShown", "AfterAnUpdate"};

INSTANTIATE_TEST_SUITE_P(When, LiveUnload,
                         ::testing::Values(UnloadMoment::kRightAfterShow,
                                           UnloadMoment::kWindowShown,
                                           UnloadMoment::kAfterAnUpdate),
                         [](const ::testing::TestParamInfo<UnloadMoment>& info) {
                           return kUnloadMomentNames[static_cast<int>(info.param)];
                         });

// A scoreboard on 127.0.0.1 that takes the post's connection and never answers.
class SilentBoard {
 public:
  SilentBoard() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    bind(listener_, reinterpret_cast<sockaddr*>(&address), length);
    listen(listener_, 4);
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    url_ = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/api/scores";
  }
  ~SilentBoard() {
    for (SOCKET s : {taken_, listener_})
      closesocket(s);
    WSACleanup();
  }
  const std::string& Url() const { return url_; }
  // Whether the post's connection has come; it is then held, unanswered.
  bool Taken() {
    if (taken_ == INVALID_SOCKET) {
      fd_set readable;
      FD_ZERO(&readable);
      FD_SET(listener_, &readable);
      timeval none = {0, 0};
      if (select(0, &readable, nullptr, nullptr, &none) == 1)
        taken_ = accept(listener_, nullptr, nullptr);
    }
    return taken_ != INVALID_SOCKET;
  }

 private:
  SOCKET listener_ = INVALID_SOCKET, taken_ = INVALID_SOCKET;
  std::string url_;
};

class LiveBoard : public LiveTest {};

// With a post in flight, an unload ends the plug-in as any other does: its
// windows close, the library goes, and a load afterwards works.
TEST_F(LiveBoard, UnloadWithAPostInFlightEndsThePlugin) {
  SilentBoard board;
  WritePrivateProfileStringA("Scoreboard", "Url", board.Url().c_str(), SettingsFile);
  int windowsBefore = CountProcessWindows();
  ASSERT_NE(Show(), nullptr);
  plugin_->ResetStats0(HostReset());
  plugin_->AddData0(HostQso());
  plugin_->GetResult0();
  ASSERT_TRUE(orvo_.PumpUntil([&] { return board.Taken(); }, 5000));

  double start = orvo_.NowMs();
  plugin_.reset();
  double unloadMs = ElapsedMs(orvo_, start);
  EXPECT_LT(unloadMs, 2500);
  EXPECT_EQ(GetModuleHandleA("Stats.dll"), nullptr);
  EXPECT_TRUE(orvo_.PumpUntil([&] { return CountProcessWindows() == windowsBefore; }, 2000));
  std::printf("[figures] unload with the windows open and a post in flight: %.0f ms\n", unloadMs);

  plugin_ = std::make_unique<PluginHost>();
  ASSERT_NE(Show(), nullptr);
  EXPECT_TRUE(WaitForUpdates(Updates() + 1));
}

}  // namespace
