// The district window and its live update, driven through the real DLL and
// the fake host's automation object.
#include <algorithm>
#include <set>

#include "live_support.h"

namespace {

using Macros = std::vector<std::string>;

struct Box {
  const char* Code;
  int Id, X, Y;
};

// Template 106 as the operator sees it: code, control id and position in
// dialog units, alphabetical, five to a row, a few boxes one unit off.
const Box kBoxes[] = {
    {"AC", 1015, 7, 6},     {"AM", 1033, 42, 7},    {"AT", 1087, 74, 7},    {"CB", 1081, 106, 7},
    {"EH", 1016, 136, 7},   {"FI", 1034, 7, 17},    {"FO", 1052, 42, 17},   {"FS", 1088, 74, 17},
    {"GF", 1082, 106, 18},  {"GM", 1017, 136, 17},  {"HD", 1035, 7, 28},    {"HG", 1070, 42, 28},
    {"HS", 1089, 74, 28},   {"HY", 1086, 106, 28},  {"IB", 1018, 136, 28},  {"IK", 1038, 7, 39},
    {"IR", 1069, 42, 39},   {"IS", 1053, 74, 39},   {"IT", 1071, 106, 39},  {"KA", 1051, 136, 39},
    {"KC", 1019, 7, 49},    {"KG", 1036, 42, 49},   {"KK", 1090, 73, 49},   {"KM", 1084, 106, 49},
    {"KN", 1020, 136, 49},  {"KR", 1037, 7, 60},    {"KT", 1055, 42, 60},   {"ME", 1091, 73, 60},
    {"MG", 1083, 106, 60},  {"MT", 1021, 136, 60},  {"MZ", 1039, 7, 71},    {"NI", 1073, 42, 71},
    {"NM", 1092, 73, 71},   {"NN", 1093, 106, 71},  {"NR", 1022, 136, 71},  {"NS", 1040, 7, 81},
    {"OG", 1074, 42, 81},   {"OH", 1056, 73, 81},   {"OM", 1072, 106, 81},  {"ON", 1054, 136, 81},
    {"OS", 1041, 7, 92},    {"OT", 1076, 42, 92},   {"OY", 1094, 73, 92},   {"RM", 1095, 106, 92},
    {"SB", 1023, 136, 92},  {"SC", 1042, 7, 103},   {"SG", 1077, 42, 103},  {"SI", 1058, 73, 103},
    {"SN", 1075, 106, 103}, {"SO", 1057, 136, 103}, {"ST", 1043, 7, 113},   {"SY", 1079, 42, 113},
    {"TC", 1060, 74, 113},  {"TG", 1078, 106, 113}, {"TK", 1059, 136, 113}, {"TS", 1044, 8, 124},
    {"TT", 1085, 42, 124},  {"TY", 1062, 74, 124},  {"WK", 1080, 106, 124}, {"YG", 1061, 136, 124},
    {"YM", 1096, 58, 134},  {"YN", 1097, 94, 134},
};

class LiveWindows : public LiveTest {
 protected:
  // One live update after the operator typed `call`; false on a timeout.
  bool UpdateAfterTyping(const std::string& call = "") {
    int before = Updates();
    plugin_->CheckCall0(Typing(call));
    return WaitForUpdates(before + 1);
  }

  // When the live updates read the entry field, in ms of the host's clock.
  std::vector<double> EntryReads() const {
    std::vector<double> times;
    for (const auto& call : orvo_.Calls()) {
      if (call.Id == FakeOrvoHost::kEntryText)
        times.push_back(call.AtMs);
    }
    return times;
  }

  std::set<std::string> TickedCodes(HWND window) {
    std::set<std::string> ticked;
    for (const Box& box : kBoxes) {
      if (IsDlgButtonChecked(window, box.Id) == BST_CHECKED)
        ticked.insert(box.Code);
    }
    return ticked;
  }
};

TEST_F(LiveWindows, FirstUpdateSendsTheOpeningMacrosOnceThenSpot) {
  orvo_.EntryText = L"JA1ABC";
  ASSERT_NE(Show(), nullptr);
  ASSERT_TRUE(WaitForUpdates(1));
  EXPECT_EQ(orvo_.Macros(), (Macros{"<MODE:CW>", "<BAUDRATE:27>", "<SP1>"}));
  EXPECT_EQ(orvo_.Calls()[2].Text, "5") << "the entry field asked for";

  // Later updates, summaries and a second info thread send no opening macro.
  ASSERT_TRUE(UpdateAfterTyping("JA1ABC"));
  plugin_->GetResult0();
  plugin_->RunCommand0("HIDEINFO");
  ASSERT_NE(Show(), nullptr);
  ASSERT_TRUE(WaitForUpdates(3));
  Macros macros = orvo_.Macros();
  EXPECT_EQ(std::count(macros.begin(), macros.end(), "<MODE:CW>"), 1);
  EXPECT_EQ(std::count(macros.begin(), macros.end(), "<BAUDRATE:27>"), 1);
}

TEST_F(LiveWindows, SpotGoesOutOnlyAfterMoreThan300HzInAll) {
  orvo_.Frequency = 7000000;
  ASSERT_NE(Show(), nullptr);
  ASSERT_TRUE(WaitForUpdates(1));
  struct {
    double Hz;
    bool Sends;
  } steps[] = {
      {7000300, false},  // exactly 300 Hz
      {7000301, true},   // 301 Hz from the last spot
      {7000501, false},  // 200 Hz
      {7000701, true},   // another 200 Hz: 400 Hz in all
      {7000401, false},  // 300 Hz back down
      {7000400, true},   // 301 Hz down
  };
  for (auto& step : steps) {
    orvo_.Frequency = step.Hz;
    size_t before = orvo_.Macros().size();
    ASSERT_TRUE(UpdateAfterTyping());
    EXPECT_EQ(orvo_.Macros().size(), before + (step.Sends ? 1 : 0)) << step.Hz;
  }
  EXPECT_EQ(orvo_.Macros().back(), "<SP1>");
}

TEST_F(LiveWindows, TitleNamesTheBandOfTheWholeMegahertz) {
  HWND window = Show();
  ASSERT_NE(window, nullptr);
  struct {
    double Hz;
    const char* Title;
  } cases[] = {
      {1800000, "DKZ CNT on 160m 0  of 62"}, {3999999, "DKZ CNT on 80m 0  of 62"},
      {4000000, "DKZ CNT on  0  of 62"},     {28999999, "DKZ CNT on 10m 0  of 62"},
      {29000000, "DKZ CNT on  0  of 62"},    {14000000, "DKZ CNT on 20m 0  of 62"},
  };
  for (auto& c : cases) {
    orvo_.Frequency = c.Hz;
    ASSERT_TRUE(UpdateAfterTyping());
    EXPECT_EQ(WindowTitle(window), c.Title) << c.Hz;
  }
}

TEST_F(LiveWindows, TicksExactlyTheDistrictsWorkedOnTheHostsBand) {
  const std::set<std::string> worked40 = {"AC", "AM", "FI", "HD", "KK", "ME",
                                          "NM", "OH", "SI", "TS", "YM", "YN"};
  plugin_->ResetStats0(HostReset());
  int n = 0;
  for (const std::string& code : worked40) {
    HostQso qso;
    qso.Call = "JA" + std::to_string(++n) + "AAA";
    qso.ExchRcvd = code;
    plugin_->AddData0(qso);
  }
  HostQso on20;
  on20.Call = "JA9ZZZ";
  on20.Band = "20m";
  on20.ExchRcvd = "TK";
  plugin_->AddData0(on20);
  plugin_->GetResult0();

  orvo_.Frequency = 7025000;
  HWND window = Show();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitForUpdates(1));
  EXPECT_EQ(WindowTitle(window), "DKZ CNT on 40m 12  of 62");
  EXPECT_EQ(TickedCodes(window), worked40);

  orvo_.Frequency = 14025000;
  ASSERT_TRUE(UpdateAfterTyping());
  EXPECT_EQ(WindowTitle(window), "DKZ CNT on 20m 1  of 62");
  EXPECT_EQ(TickedCodes(window), (std::set<std::string>{"TK"}));

  orvo_.Frequency = 10100000;  // 30 m: no band, no tick
  ASSERT_TRUE(UpdateAfterTyping());
  EXPECT_EQ(WindowTitle(window), "DKZ CNT on  0  of 62");
  EXPECT_TRUE(TickedCodes(window).empty());
}

TEST_F(LiveWindows, OneOrTwoByteEntryEndsTheUpdateEarly) {
  orvo_.EntryText = L"JA";
  HWND window = Show();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitForUpdates(1));
  EXPECT_EQ(orvo_.Macros(), (Macros{"<MODE:CW>", "<BAUDRATE:27>"}));
  EXPECT_EQ(orvo_.CountCalls(FakeOrvoHost::kFrequency), 0);
  EXPECT_EQ(WindowTitle(window), "Japan County");

  orvo_.EntryText = L"J";
  ASSERT_TRUE(UpdateAfterTyping("J"));
  EXPECT_EQ(WindowTitle(window), "Japan County");

  orvo_.EntryText = L"JA1";
  ASSERT_TRUE(UpdateAfterTyping("JA1"));
  EXPECT_EQ(WindowTitle(window), "DKZ CNT on 40m 0  of 62");
  EXPECT_EQ(orvo_.Macros().back(), "<SP1>");
}

TEST_F(LiveWindows, OneUpdateAfterOpeningAndOnePerBurstOfCallChecks) {
  ASSERT_NE(Show(), nullptr);
  double opened = orvo_.NowMs();
  orvo_.PumpFor(1200);
  ASSERT_EQ(EntryReads().size(), 1u) << "one update after opening, no polling";
  EXPECT_LT(EntryReads()[0] - opened, 1000);

  double lastCheck = 0;
  for (int i = 0; i < 10; ++i) {
    plugin_->CheckCall0(Typing("JA1AB"));
    lastCheck = orvo_.NowMs();
    orvo_.PumpFor(100);
  }
  orvo_.PumpFor(1500);
  ASSERT_EQ(EntryReads().size(), 2u) << "one update for the whole burst";
  EXPECT_GE(EntryReads()[1] - lastCheck, 300);
  EXPECT_LT(EntryReads()[1] - lastCheck, 1000);
}

TEST_F(LiveWindows, ShowTwiceLeavesOneWindowAndHideReturnsWhenItIsGone) {
  HWND first = Show();
  ASSERT_NE(first, nullptr);
  plugin_->RunCommand0("SHOWINFO");
  EXPECT_FALSE(IsWindow(first)) << "the first window is closed before the second starts";
  orvo_.PumpUntil([] { return !DistrictWindows().empty(); }, 3000);
  EXPECT_EQ(DistrictWindows().size(), 1u);

  ASSERT_TRUE(WaitForUpdates(1));
  HWND second = DistrictWindow();
  plugin_->RunCommand0("HIDEINFO");
  EXPECT_FALSE(IsWindow(second));
  EXPECT_TRUE(DistrictWindows().empty());

  // Nothing is left to update: a call check arms nothing, a second hide does nothing.
  plugin_->CheckCall0(Typing("JA1ABC"));
  plugin_->RunCommand0("HIDEINFO");
  orvo_.PumpFor(700);
  EXPECT_EQ(Updates(), 1);
}

TEST_F(LiveWindows, ResetStartsTheWindowsUnderTheStartAndMultiplierRule) {
  WriteSetting("Multiplier", "1");
  plugin_->ResetStats0(HostReset());
  EXPECT_EQ(ReadSetting("Start"), "1");
  ASSERT_TRUE(orvo_.PumpUntil([] { return DistrictWindow() != nullptr; }, 3000));

  plugin_->ResetStats0(HostReset());  // "Start" was 1: nothing starts
  EXPECT_EQ(ReadSetting("Start"), "0");
  HWND window = DistrictWindow();
  plugin_->ResetStats0(HostReset());  // a Japanese operator: replaced, still one window
  EXPECT_EQ(ReadSetting("Start"), "1");
  EXPECT_FALSE(IsWindow(window));
  ASSERT_TRUE(orvo_.PumpUntil([] { return DistrictWindow() != nullptr; }, 3000));

  HostReset dx;
  dx.OwnPrefix = "DL";
  plugin_->ResetStats0(dx);  // "Start" 1 -> 0
  window = DistrictWindow();
  plugin_->ResetStats0(dx);  // another prefix with a window shown: left alone
  EXPECT_EQ(ReadSetting("Start"), "0");
  EXPECT_EQ(DistrictWindow(), window);
}

TEST_F(LiveWindows, CloseBoxEndsTheThreadAndLaterCallChecksArmNothing) {
  HWND window = Show();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitForUpdates(1));
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(orvo_.PumpUntil([] { return DistrictWindows().empty(); }, 3000));
  plugin_->CheckCall0(Typing("JA1ABC"));
  orvo_.PumpFor(700);
  EXPECT_EQ(Updates(), 1);

  // The reset sees no window any more: another prefix may start it again.
  WriteSetting("Multiplier", "1");
  HostReset dx;
  dx.OwnPrefix = "DL";
  plugin_->ResetStats0(dx);
  EXPECT_TRUE(orvo_.PumpUntil([] { return DistrictWindow() != nullptr; }, 3000));
}

TEST_F(LiveWindows, PositionIsSavedWhenTheMouseComesAndReusedAtOpening) {
  WriteSetting("oblast_x", "-1200");
  WriteSetting("oblast_y", "40");
  HWND window = Show();
  ASSERT_NE(window, nullptr);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, -1200);
  EXPECT_EQ(rect.top, 40);

  struct {
    int X, Y;
  } moves[] = {{100, 120}, {-1200, 30}, {-5, -7}};
  for (auto& move : moves) {
    SetWindowPos(window, nullptr, move.X, move.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(ReadSetting("oblast_x"), std::to_string(move.X));
    EXPECT_EQ(ReadSetting("oblast_y"), std::to_string(move.Y));
  }
  // Unmoved: nothing is written again.
  WriteSetting("oblast_x", "marker");
  SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(ReadSetting("oblast_x"), "marker");

  WriteSetting("oblast_x", "-1200");
  plugin_->RunCommand0("HIDEINFO");
  window = Show();
  ASSERT_NE(window, nullptr);
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, -1200);
  EXPECT_EQ(rect.top, -7);
}

TEST_F(LiveWindows, WindowFollowsTemplate106) {
  HWND window = Show();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowTitle(window), "Japan County");
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr) << "no owner: the host stays usable";
  EXPECT_NE(GetWindowThreadProcessId(window, nullptr), GetCurrentThreadId());
  DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
  const DWORD kStyles[] = {WS_POPUP,       WS_VISIBLE,      WS_CAPTION,
                           WS_SYSMENU,     WS_THICKFRAME,   WS_MINIMIZEBOX,
                           WS_MAXIMIZEBOX, WS_CLIPCHILDREN, WS_CLIPSIBLINGS};
  for (DWORD bit : kStyles)
    EXPECT_EQ(style & bit, bit) << std::hex << bit;
  DWORD exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
  EXPECT_EQ(exStyle & WS_EX_TOPMOST, 0u);
  EXPECT_EQ(exStyle & WS_EX_STATICEDGE, WS_EX_STATICEDGE);
  EXPECT_EQ(exStyle & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
  EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);

  int children = 0;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    ++children;
  EXPECT_EQ(children, 62);
  RECT size22 = {0, 0, 22, 10}, size28 = {0, 0, 28, 10};
  MapDialogRect(window, &size22);
  MapDialogRect(window, &size28);
  for (const Box& box : kBoxes) {
    HWND control = GetDlgItem(window, box.Id);
    ASSERT_NE(control, nullptr) << box.Code;
    EXPECT_EQ(WindowTitle(control), box.Code);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)) & (BS_TYPEMASK | WS_TABSTOP),
              static_cast<DWORD>(BS_AUTOCHECKBOX | WS_TABSTOP))
        << box.Code;
    RECT expected = {box.X, box.Y, box.X, box.Y};
    MapDialogRect(window, &expected);
    RECT actual;
    GetWindowRect(control, &actual);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, expected.left) << box.Code;
    EXPECT_EQ(actual.top, expected.top) << box.Code;
    EXPECT_EQ(actual.bottom - actual.top, size22.bottom) << box.Code;
    EXPECT_GE(actual.right - actual.left, size22.right) << box.Code;
    EXPECT_LE(actual.right - actual.left, size28.right) << box.Code;
  }

  // Colours: black text on the cream background, and the cream brush.
  HDC dc = CreateCompatibleDC(nullptr);
  auto brush =
      reinterpret_cast<HBRUSH>(SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                            reinterpret_cast<LPARAM>(GetDlgItem(window, 1015))));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  EXPECT_EQ(GetBkColor(dc), RGB(255, 250, 198));
  LOGBRUSH logBrush = {};
  ASSERT_NE(brush, nullptr);
  GetObjectA(brush, sizeof logBrush, &logBrush);
  EXPECT_EQ(logBrush.lbColor, RGB(255, 250, 198));
  DeleteDC(dc);
}

TEST_F(LiveWindows, IconHoldsA16And32PixelImage) {
  HRSRC group = FindResourceA(plugin_->Module(), MAKEINTRESOURCEA(110), MAKEINTRESOURCEA(14));
  ASSERT_NE(group, nullptr);
  auto data = static_cast<const BYTE*>(LockResource(LoadResource(plugin_->Module(), group)));
  // GRPICONDIR: reserved, type, count, then 14-byte entries starting with width and height.
  WORD count = *reinterpret_cast<const WORD*>(data + 4);
  std::set<int> sizes;
  for (WORD i = 0; i < count; ++i) {
    const BYTE* entry = data + 6 + 14 * i;
    EXPECT_EQ(entry[0], entry[1]);
    sizes.insert(entry[0]);
  }
  EXPECT_EQ(sizes, (std::set<int>{16, 32}));
}

}  // namespace
