// The worked-before and continent windows, driven through the real DLL, the
// district window's live update and the fake host, and looked at pixel by
// pixel where colours matter.
#include <array>
#include <cstdio>
#include <set>

#include "driver/ui_driver.h"
#include "live_support.h"
#include "window_capture.h"

namespace {

constexpr int kList = 1003;
const int kContinentBoxes[6] = {1099, 1100, 1101, 1102, 1103, 1104};
const char* const kContinents[6] = {"EU", "NA", "SA", "AF", "AS", "OC"};
const char* const kBands[6] = {"160m", "80m", "40m", "20m", "15m", "10m"};

using Row = std::array<std::string, 4>;  // band, time, mode, district or exchange
using Rows = std::array<Row, 6>;

Rows DashedRows() {
  Rows rows;
  for (int b = 0; b < 6; ++b)
    rows[b] = {kBands[b], "   -", "   -", " -"};
  return rows;
}

// What the list should look like, drawn here from the texts we expect: the
// background, the current band's row, and the texts in the system font at
// their columns, rows bottom / 7 high.
Image ExpectedList(int width, int height, const std::string& call, int band, const Rows& rows) {
  ImageCanvas canvas(width, height);
  HDC dc = canvas.Dc();
  auto fill = [&](RECT rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
  };
  auto text = [&](int x, int y, const std::string& s) {
    TextOutA(dc, x, y, s.c_str(), static_cast<int>(s.size()));
  };
  fill({0, 0, width, height}, RGB(255, 255, 198));
  int h = height / 7;
  if (band >= 0)
    fill({0, (band + 1) * h, width, (band + 2) * h}, RGB(198, 255, 255));
  SetBkMode(dc, TRANSPARENT);
  text(180, 0, call);
  text(100, 18, "TIME");
  text(180, 18, "MODE");
  text(250, 18, "COUNTY/NR");
  const int columns[4] = {20, 100, 180, 270};
  for (int i = 1; i <= 6; ++i) {
    for (int c = 0; c < 4; ++c)
      text(columns[c], i * h, rows[i - 1][c]);
  }
  return canvas.Take();
}

// Windows of this process whose title names a worked-before list, hidden ones included.
std::vector<HWND> WorkedBeforeWindows() {
  std::vector<HWND> found;
  for (HWND window : ProcessWindows()) {
    if (WindowCaption(window).find(" worked with ") != std::string::npos)
      found.push_back(window);
  }
  return found;
}

HWND ContinentWindowHandle() {
  std::vector<HWND> found = FindProcessWindows("Continent");
  return found.size() == 1 && WindowTitle(found[0]) == "Continent" ? found[0] : nullptr;
}

std::set<std::string> TickedContinents(HWND window) {
  std::set<std::string> ticked;
  for (int i = 0; i < 6; ++i) {
    if (IsTicked(window, kContinentBoxes[i]))
      ticked.insert(kContinents[i]);
  }
  return ticked;
}

POINT TopLeft(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return {rect.left, rect.top};
}

void MouseComesOver(HWND window) {
  SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

class LiveSideWindows : public LiveTest {
 protected:
  // A scoring pass for `ownPrefix` with `qsos`, its summary, and the live
  // windows after their first update.
  void Start(const std::string& ownPrefix, const std::vector<HostQso>& qsos = {}) {
    HostReset reset;
    reset.OwnPrefix = ownPrefix;
    reset.OwnCall = ownPrefix == "JA" ? "JA1ZZZ" : "DL1ZZZ";
    plugin_->ResetStats0(reset);
    for (const HostQso& qso : qsos)
      plugin_->AddData0(qso);
    plugin_->GetResult0();
    district_ = Show();
    ASSERT_NE(district_, nullptr);
    ASSERT_TRUE(WaitForUpdates(1));
  }

  // One live update now: the timer message without its 330 ms wait. With
  // `settle`, pump on a little so that the update has finished.
  bool UpdateNow(bool settle = true) {
    int before = Updates();
    PostMessageA(district_, WM_TIMER, 1500, 0);
    if (settle)
      return WaitForUpdates(before + 1);
    return orvo_.PumpUntil([&] { return Updates() > before; }, 3000);
  }

  bool Type(const std::wstring& entry, bool settle = true) {
    orvo_.EntryText = entry;
    return UpdateNow(settle);
  }

  // The worked-before window once it shows after typing `entry`.
  HWND TypeAndFindList(const std::wstring& entry) {
    if (!Type(entry, false))
      return nullptr;
    HWND found = nullptr;
    orvo_.PumpUntil(
        [&] {
          for (HWND window : WorkedBeforeWindows()) {
            if (IsWindowVisible(window))
              found = window;
          }
          return found != nullptr;
        },
        3000);
    return found;
  }

  // Until no list is visible; whether a hidden one is left behind is for the
  // caller to find out.
  bool ClearAndWaitUntilClosed() {
    auto noneVisible = [] {
      for (HWND window : WorkedBeforeWindows()) {
        if (IsWindowVisible(window))
          return false;
      }
      return true;
    };
    return Type(L"", false) && orvo_.PumpUntil(noneVisible, 3000);
  }

  // The painted list, both as the control paints itself and as it stands on
  // the screen, each compared with what it should show.
  void ExpectList(HWND window, const std::string& call, int band, const Rows& rows) {
    HWND list = GetDlgItem(window, kList);
    ASSERT_NE(list, nullptr);
    orvo_.PumpFor(50);  // let the invalidated list repaint on the screen
    RECT client;
    GetClientRect(list, &client);
    Image expected = ExpectedList(client.right, client.bottom, call, band, rows);
    Image printed = PrintClientArea(list);
    Image onScreen = CopyClientAreaFromScreen(list);
    int printedOff = CountDifferentPixels(printed, expected);
    int screenOff = CountDifferentPixels(onScreen, expected);
    EXPECT_EQ(printedOff, 0) << call << " band " << band;
    EXPECT_EQ(screenOff, 0) << call << " band " << band;
    if (printedOff != 0 || screenOff != 0) {
      std::string base = ExecutableFolder() + "\\failed-list-" + call;
      expected.SaveBmp(base + "-expected.bmp");
      printed.SaveBmp(base + "-printed.bmp");
      onScreen.SaveBmp(base + "-screen.bmp");
    }
    // The rows' colours at their positions, left of the first column.
    int h = client.bottom / 7;
    for (int i = 0; i <= 6; ++i) {
      COLORREF want = i == band + 1 && band >= 0 ? RGB(198, 255, 255) : RGB(255, 255, 198);
      EXPECT_EQ(printed.At(5, i * h + h / 2), want) << "row " << i;
    }
  }

  HostQso Qso(const std::string& call, const std::string& band, int hour, int minute,
              const std::string& exchange, const std::string& prefix = "JA",
              const std::string& continent = "AS") {
    HostQso qso;
    qso.OwnCall = "DL1ZZZ";
    qso.Call = call;
    qso.Band = band;
    qso.Time = MakeOleDateTime(2016, 6, 10, hour, minute);
    qso.ExchRcvd = exchange;
    qso.Prefix = prefix;
    qso.Continent = continent;
    return qso;
  }

  HWND district_ = nullptr;
};

TEST_F(LiveSideWindows, ListShowsTheLastQsoPerBandAndMarksTheCurrentBand) {
  Start("DL", {
                  Qso("JA2AAA", "40m", 12, 0, "AC"),
                  Qso("JA2AAA", "40m", 12, 34, " tk"),  // later on 40 m, though a duplicate
                  Qso("JA2AAA", "20m", 13, 5, "HD"),
                  Qso("JA2AAA", "15m", 14, 10, "sb"),
                  Qso("W1AW", "40m", 12, 50, "0123", "K", "NA"),
                  Qso("W1AW", "10m", 15, 0, " 5 ", "K", "NA"),
              });
  orvo_.Frequency = 7025000;
  HWND window = TypeAndFindList(L"JA2AAA");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowTitle(window), "DKZ 2016 worked with JA2AAA");
  Rows rows = DashedRows();
  rows[2] = {"40m", "12:34", "CW", "TK"};  // a Japanese station: its district code
  rows[3] = {"20m", "13:05", "CW", "HD"};
  rows[4] = {"15m", "14:10", "CW", "SB"};
  ExpectList(window, "JA2AAA", 2, rows);

  orvo_.Frequency = 10100000;  // no contest band: no row marked, rows still drawn
  ASSERT_TRUE(Type(L"JA2AAA"));
  ExpectList(window, "JA2AAA", -1, rows);

  orvo_.Frequency = 28025000;
  ASSERT_TRUE(Type(L"W1AW"));
  EXPECT_EQ(WindowTitle(window), "DKZ 2016 worked with W1AW");
  rows = DashedRows();
  rows[2] = {"40m", "12:50", "CW", "0123"};  // others: the exchange as received
  rows[5] = {"10m", "15:00", "CW", " 5 "};
  ExpectList(window, "W1AW", 5, rows);

  ASSERT_TRUE(Type(L"JA9ZZZ"));  // not in the log: dashes, window and title all the same
  EXPECT_EQ(WindowTitle(window), "DKZ 2016 worked with JA9ZZZ");
  ExpectList(window, "JA9ZZZ", 5, DashedRows());
  EXPECT_EQ(WorkedBeforeWindows().size(), 1u);
}

TEST_F(LiveSideWindows, OpeningTakesNoKeyboardFromTheHostsEntryField) {
  Start("JA", {Qso("JA2AAA", "40m", 12, 0, "AC")});
  TestMainWindow host;
  HWND entry = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 120, 20, host.Handle(),
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(host.Handle());
  SetFocus(entry);
  orvo_.PumpFor(100);
  ASSERT_EQ(GetForegroundWindow(), host.Handle());
  ASSERT_EQ(GetFocus(), entry);

  HWND window = TypeAndFindList(L"JA2AAA");
  ASSERT_NE(window, nullptr);
  orvo_.PumpFor(100);
  EXPECT_EQ(GetForegroundWindow(), host.Handle());
  EXPECT_EQ(GetFocus(), entry);
}

TEST_F(LiveSideWindows, ResizingFitsTheListAndMakesRowsTaller) {
  Start("DL", {Qso("JA2AAA", "20m", 13, 5, "HD")});
  orvo_.Frequency = 14025000;
  HWND window = TypeAndFindList(L"JA2AAA");
  ASSERT_NE(window, nullptr);
  SetWindowPos(window, nullptr, 0, 0, 520, 430, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  orvo_.PumpFor(50);
  RECT client, list;
  GetClientRect(window, &client);
  GetWindowRect(GetDlgItem(window, kList), &list);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&list), 2);
  EXPECT_EQ(list.left, 5);
  EXPECT_EQ(list.top, 5);
  EXPECT_EQ(list.right - list.left, client.right - 10);
  EXPECT_EQ(list.bottom - list.top, client.bottom - 10);
  Rows rows = DashedRows();
  rows[3] = {"20m", "13:05", "CW", "HD"};
  ExpectList(window, "JA2AAA", 3, rows);
}

TEST_F(LiveSideWindows, ClearingTheEntryDestroysTheWindowWithoutLeaking) {
  Start("DL", {Qso("JA2AAA", "40m", 12, 0, "AC")});
  int cycles = 0;
  auto typeAndClear = [&] {
    ++cycles;
    return TypeAndFindList(L"JA2AAA") != nullptr && ClearAndWaitUntilClosed();
  };
  // A window being destroyed is hidden first and gone a moment later: count
  // once no list is left at all (a leaked hidden one stays and is counted).
  auto settle = [&] {
    orvo_.PumpUntil([] { return WorkedBeforeWindows().empty(); }, 1000);
    orvo_.PumpFor(100);  // and no paint runs while the GDI handles are probed
  };
  for (int i = 0; i < 5; ++i)
    ASSERT_TRUE(typeAndClear()) << "cycle " << cycles;
  settle();
  int windowsBefore = CountProcessWindows();
  int freeGdiBefore = ProbeFreeGdiHandles();
  // Exact counts: 30 cycles show a leak in every cycle or in every tenth.
  for (int i = 0; i < 30; ++i)
    ASSERT_TRUE(typeAndClear()) << "cycle " << cycles;
  settle();
  int windowsAfter = CountProcessWindows();
  int freeGdiAfter = ProbeFreeGdiHandles();
  std::printf("after 5 type-and-clear cycles: %d windows, %d free GDI handles\n", windowsBefore,
              freeGdiBefore);
  std::printf("after %d cycles: %d windows, %d free GDI handles\n", cycles, windowsAfter,
              freeGdiAfter);
  EXPECT_EQ(windowsAfter, windowsBefore);
  EXPECT_EQ(freeGdiAfter, freeGdiBefore);
  EXPECT_TRUE(WorkedBeforeWindows().empty()) << "no hidden list left behind";
  // The reference went with the window: the next callsign opens a fresh one.
  EXPECT_NE(TypeAndFindList(L"JA2AAA"), nullptr);
}

TEST_F(LiveSideWindows, CloseBoxDismissesTheListUntilTheNextStart) {
  Start("DL");
  HWND window = TypeAndFindList(L"JA2AAA");
  ASSERT_NE(window, nullptr);
  PressCloseBox(window);
  ASSERT_TRUE(orvo_.PumpUntil([&] { return !IsWindowVisible(window); }, 3000));
  ASSERT_TRUE(Type(L"JA3BBB"));
  EXPECT_EQ(WorkedBeforeWindows(), std::vector<HWND>{window}) << "dismissed, not replaced";
  EXPECT_FALSE(IsWindowVisible(window));

  plugin_->RunCommand0("HIDEINFO");
  EXPECT_TRUE(WorkedBeforeWindows().empty()) << "the stop destroys the dismissed window";
  district_ = Show();
  ASSERT_NE(district_, nullptr);
  ASSERT_TRUE(WaitForUpdates(Updates() + 1));
  EXPECT_NE(TypeAndFindList(L"JA2AAA"), nullptr);
}

TEST_F(LiveSideWindows, ListOpensAtItsSavedPositionAndSavesMoves) {
  Start("DL");
  struct {
    const char* X;
    const char* Y;
    POINT At;
  } cases[] = {
      {nullptr, nullptr, {10, 400}},  // no keys: the default
      {"-1250", "30", {-1250, 30}},   // a monitor left of the main one
      {"0", "0", {10, 400}},          // a stored 0 counts as missing
      {"abc", "-5", {10, -5}},
  };
  for (auto& c : cases) {
    WriteSetting("dxcc_x", c.X);
    WriteSetting("dxcc_y", c.Y);
    HWND window = TypeAndFindList(L"JA2AAA");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(TopLeft(window).x, c.At.x) << (c.X ? c.X : "none");
    EXPECT_EQ(TopLeft(window).y, c.At.y) << (c.Y ? c.Y : "none");
    ASSERT_TRUE(ClearAndWaitUntilClosed());
  }

  HWND window = TypeAndFindList(L"JA2AAA");
  ASSERT_NE(window, nullptr);
  SetWindowPos(window, nullptr, -1250, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  MouseComesOver(window);
  EXPECT_EQ(ReadSetting("dxcc_x"), "-1250");
  EXPECT_EQ(ReadSetting("dxcc_y"), "77");
  ASSERT_TRUE(ClearAndWaitUntilClosed());
  window = TypeAndFindList(L"JA2AAA");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(TopLeft(window).x, -1250);
  EXPECT_EQ(TopLeft(window).y, 77);
}

TEST_F(LiveSideWindows, ThePositionLastReadOrWrittenIsSharedByTheWindows) {
  WriteSetting("oblast_x", "10");
  WriteSetting("oblast_y", "50");
  Start("DL");
  // The list opens at the default (10, 400), which becomes the shared position.
  ASSERT_NE(TypeAndFindList(L"JA2AAA"), nullptr);
  WriteSetting("oblast_x", "marker");
  WriteSetting("oblast_y", "marker");
  MouseComesOver(district_);
  EXPECT_EQ(ReadSetting("oblast_x"), "marker") << "x 10 equals the list's: not written";
  EXPECT_EQ(ReadSetting("oblast_y"), "50") << "y 50 differs from the list's 400";
}

class LiveContinentWindowPrefix : public LiveSideWindows,
                                  public ::testing::WithParamInterface<const char*> {};

TEST_P(LiveContinentWindowPrefix, ShowsOnlyForAJapaneseOperator) {
  Start(GetParam());
  ASSERT_TRUE(Type(L"JA2AAA"));
  HWND window = ContinentWindowHandle();
  if (std::string(GetParam()) != "JA") {
    EXPECT_EQ(window, nullptr);
    return;
  }
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) << "stays above the host";
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  Image client = PrintClientArea(window);
  EXPECT_EQ(client.At(1, 1), RGB(255, 250, 198));
  EXPECT_EQ(client.At(client.Width - 2, client.Height - 2), RGB(255, 250, 198));
}

INSTANTIATE_TEST_SUITE_P(Prefixes, LiveContinentWindowPrefix,
                         ::testing::Values("JA", "DL", "ja", "JA "));

TEST_F(LiveSideWindows, ContinentTicksFollowTheBandForExactCodesOnly) {
  auto dx = [&](const char* call, const char* band, const char* continent) {
    HostQso qso = Qso(call, band, 12, 0, "0123", "DL", continent);
    qso.OwnCall = "JA1ZZZ";
    return qso;
  };
  Start("JA", {dx("DL1AAA", "40m", "EU"), dx("W1AW", "40m", "NA"), dx("DL2BBB", "15m", "eu"),
               dx("PY1AA", "10m", "SA"), dx("ZS1A", "10m", "AF"), dx("VK2A", "10m", "OC"),
               dx("XX1X", "10m", "XX")});
  HWND window = ContinentWindowHandle();
  ASSERT_NE(window, nullptr);
  struct {
    double Hz;
    std::set<std::string> Ticked;
  } cases[] = {
      {7025000, {"EU", "NA"}},
      {21025000, {}},  // "eu" is no continent code
      {28025000, {"SA", "AF", "OC"}},
      {10100000, {}},  // no band
      {3525000, {}},
      {7001000, {"EU", "NA"}},
  };
  for (auto& c : cases) {
    orvo_.Frequency = c.Hz;
    ASSERT_TRUE(Type(L"JA2AAA"));
    EXPECT_EQ(TickedContinents(window), c.Ticked) << c.Hz;
  }

  // A click changes the box on the screen only; the next update puts the flag back.
  ClickButton(window, 1102);  // AF
  ClickButton(window, 1099);  // EU
  std::set<std::string> clicked{"NA", "AF"};
  EXPECT_TRUE(orvo_.PumpUntil([&] { return TickedContinents(window) == clicked; }, 3000));
  ASSERT_TRUE(Type(L""));
  EXPECT_EQ(TickedContinents(window), (std::set<std::string>{"EU", "NA"}));
}

TEST_F(LiveSideWindows, ContinentWindowOpensAtItsSavedPositionAndSavesMoves) {
  WriteSetting("cont_x", "-300");
  WriteSetting("cont_y", "0");  // 0 counts as missing
  Start("JA");
  HWND window = ContinentWindowHandle();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(TopLeft(window).x, -300);
  EXPECT_EQ(TopLeft(window).y, 400);

  SetWindowPos(window, nullptr, -1234, -56, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  MouseComesOver(window);
  EXPECT_EQ(ReadSetting("cont_x"), "-1234");
  EXPECT_EQ(ReadSetting("cont_y"), "-56");
  WriteSetting("cont_x", "marker");
  MouseComesOver(window);
  EXPECT_EQ(ReadSetting("cont_x"), "marker") << "unmoved: nothing written";

  WriteSetting("cont_x", "-1234");
  plugin_->RunCommand0("HIDEINFO");
  EXPECT_EQ(ContinentWindowHandle(), nullptr);
  district_ = Show();
  ASSERT_NE(district_, nullptr);
  ASSERT_TRUE(orvo_.PumpUntil([] { return ContinentWindowHandle() != nullptr; }, 3000));
  window = ContinentWindowHandle();
  EXPECT_EQ(TopLeft(window).x, -1234);
  EXPECT_EQ(TopLeft(window).y, -56);
}

TEST_F(LiveSideWindows, StopAndStartLeaveNoSideWindowBehind) {
  Start("JA", {Qso("JA2AAA", "40m", 12, 0, "AC")});
  auto cycle = [&] {
    plugin_->RunCommand0("HIDEINFO");
    if (!WorkedBeforeWindows().empty() || ContinentWindowHandle() != nullptr)
      return false;
    district_ = Show();
    return district_ != nullptr && TypeAndFindList(L"JA2AAA") != nullptr &&
           ContinentWindowHandle() != nullptr;
  };
  ASSERT_NE(TypeAndFindList(L"JA2AAA"), nullptr);
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(cycle());
  orvo_.PumpFor(100);  // no paint runs while the GDI handles are probed
  int windowsBefore = CountProcessWindows();
  int freeGdiBefore = ProbeFreeGdiHandles();
  const int kCycles = 20;  // exact counts: enough for a leak in every tenth
  for (int i = 0; i < kCycles; ++i)
    ASSERT_TRUE(cycle()) << "cycle " << i;
  orvo_.PumpFor(100);
  int windowsAfter = CountProcessWindows();
  int freeGdiAfter = ProbeFreeGdiHandles();
  std::printf(
      "stop and start with both side windows: %d -> %d windows, %d -> %d free GDI "
      "handles over %d cycles\n",
      windowsBefore, windowsAfter, freeGdiBefore, freeGdiAfter, kCycles);
  EXPECT_EQ(windowsAfter, windowsBefore);
  EXPECT_EQ(freeGdiAfter, freeGdiBefore);
}

}  // namespace
