// Plays a logging program with a small JA contest log, opens every window and
// dialog of Stats.dll and saves each, frame included, as a BMP file into the
// folder given as the only argument. Needs a display whose windows Wine
// frames itself (no window manager).
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "driver/modal_window.h"
#include "driver/plugin_host.h"
#include "driver/ui_driver.h"
#include "fake_orvo_host.h"
#include "window_capture.h"

namespace {

std::string g_folder;
int g_failures = 0;

RECT WindowArea(HWND window) {
  RECT area = {};
  GetWindowRect(window, &area);
  return area;
}

void Save(const Image& image, const char* name) {
  std::string path = g_folder + "\\" + name + ".bmp";
  if (image.Empty() || !image.SaveBmp(path)) {
    std::fprintf(stderr, "could not save %s\n", path.c_str());
    ++g_failures;
    return;
  }
  std::printf("saved %s (%d x %d)\n", name, image.Width, image.Height);
}

HWND FindByCaption(const std::string& start) {
  for (HWND window : ProcessWindows()) {
    if (IsWindowVisible(window) && WindowCaption(window).rfind(start, 0) == 0)
      return window;
  }
  return nullptr;
}

HostQso Qso(const char* call, const char* band, unsigned hz, int hour, int minute,
            const char* exchange, const char* prefix = "JA", const char* continent = "AS") {
  HostQso qso;
  qso.OwnCall = "JA1ZZZ";
  qso.Call = call;
  qso.Band = band;
  qso.FrequencyHz = hz;
  qso.Time = MakeOleDateTime(2016, 6, 11, hour, minute);
  qso.ExchSent = "TK";
  qso.ExchRcvd = exchange;
  qso.Prefix = prefix;
  qso.Continent = continent;
  return qso;
}

// A dozen districts on 40 m, a station worked on three bands, a few DX.
const std::vector<HostQso> kLog = {
    Qso("JA1AAA", "40m", 7012000, 12, 1, "AC"),
    Qso("JA3YKC", "40m", 7015000, 12, 3, "OS"),
    Qso("JA8BBB", "40m", 7011000, 12, 7, "SI"),
    Qso("JA6CCC", "40m", 7018000, 12, 12, "KN"),
    Qso("JA2DDD", "40m", 7021000, 12, 15, "AT"),
    Qso("JA5EEE", "40m", 7013000, 12, 21, "EH"),
    Qso("JA7FFF", "40m", 7016000, 12, 26, "MG"),
    Qso("JA0GGG", "40m", 7019000, 12, 30, "NN"),
    Qso("JA9HHH", "40m", 7022000, 12, 34, "IK"),
    Qso("JA4III", "40m", 7014000, 12, 41, "HS"),
    Qso("JA1JJJ", "40m", 7017000, 12, 47, "IB"),
    Qso("JA6KKK", "40m", 7020000, 12, 52, "ON"),
    Qso("DL1ABC", "40m", 7023000, 12, 58, "0421", "DL", "EU"),
    Qso("W1AW", "40m", 7024000, 13, 2, "1103", "K", "NA"),
    Qso("VK2XYZ", "40m", 7025000, 13, 6, "0088", "VK", "OC"),
    Qso("JA3YKC", "20m", 14021000, 13, 41, "OS"),
    Qso("JA3YKC", "15m", 21034000, 14, 22, "OS"),
};

bool PumpUntil(FakeOrvoHost& orvo, HWND& found, const char* caption) {
  return orvo.PumpUntil([&] { return (found = FindByCaption(caption)) != nullptr; }, 5000);
}

void LiveWindows(PluginHost& plugin, FakeOrvoHost& orvo) {
  WriteSetting("oblast_x", "16");
  WriteSetting("oblast_y", "16");
  WriteSetting("dxcc_x", "300");
  WriteSetting("dxcc_y", "16");
  WriteSetting("cont_x", "300");
  WriteSetting("cont_y", "290");
  orvo.Frequency = 7025000;
  orvo.EntryText = L"JA3YKC";
  plugin.RunCommand0("SHOWINFO");
  HWND district = nullptr, list = nullptr, continents = nullptr;
  if (!PumpUntil(orvo, district, "DKZ CNT on ") || !PumpUntil(orvo, list, "DKZ 2016 worked with") ||
      !PumpUntil(orvo, continents, "Continent")) {
    std::fprintf(stderr, "the live windows did not show\n");
    ++g_failures;
    return;
  }
  orvo.PumpFor(500);  // every window painted
  Save(CopyScreenArea(WindowArea(district)), "district-window");
  Save(CopyScreenArea(WindowArea(list)), "worked-before-window");
  Save(CopyScreenArea(WindowArea(continents)), "continent-window");
  // The three together, on a desktop colour rather than the bare display.
  RECT areas[3] = {WindowArea(district), WindowArea(list), WindowArea(continents)};
  RECT all = areas[0];
  for (const RECT& area : areas)
    UnionRect(&all, &all, &area);
  Image together = CopyScreenArea(all);
  for (int y = 0; y < together.Height; ++y) {
    for (int x = 0; x < together.Width; ++x) {
      POINT at = {all.left + x, all.top + y};
      bool onWindow = false;
      for (const RECT& area : areas)
        onWindow = onWindow || PtInRect(&area, at);
      if (!onWindow)
        together.Pixels[static_cast<size_t>(y) * together.Width + x] = 0x3A6EA5;
    }
  }
  Save(together, "live-windows");
  plugin.RunCommand0("HIDEINFO");
}

// Runs `show`, the export `exportName`, on this thread while a second thread
// waits for the dialog, saves its picture and closes it with `closeButton`.
void ModalDialog(const char* caption, const char* name, int closeButton, const char* exportName,
                 const std::function<void()>& show) {
  try {
    CallWithModalWindow(caption, exportName, show, [&](HWND dialog) {
      Sleep(300);  // painted
      Save(CopyScreenArea(WindowArea(dialog)), name);
      if (closeButton == IDCANCEL && GetDlgItem(dialog, IDCANCEL) == nullptr)
        PressKey(dialog, VK_ESCAPE);
      else
        ClickButton(dialog, closeButton);
      WaitForWindowGone(dialog, 5000);
    });
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", caption, e.what());
    ++g_failures;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: dkz-screenshots <output folder>\n");
    return 2;
  }
  g_folder = argv[1];
  try {
    ScratchFolder folder;
    FakeOrvoHost orvo;
    PluginHost plugin;
    TestMainWindow main;  // the logging program's window, kept out of the pictures
    SetWindowPos(main.Handle(), nullptr, 700, 500, 300, 200, SWP_NOZORDER);

    HostReset reset;
    reset.PeriodStart = MakeOleDateTime(2016, 6, 11);
    reset.PeriodEnd = MakeOleDateTime(2016, 6, 12);
    plugin.ResetStats0(reset);
    for (const HostQso& qso : kLog)
      plugin.AddData0(qso);
    plugin.GetResult0();
    LiveWindows(plugin, orvo);

    WriteSetting("Multiplier", "1");
    ModalDialog("Setup DKZ", "setup-dialog", IDCANCEL, "SetupSet0", [&] { plugin.SetupSet0(); });

    WriteSetting("Name", "Taro Yamada");
    WriteSetting("Address", "1-2-3 Chiyoda");
    WriteSetting("Address-City", "Tokyo");
    WriteSetting("Address-PostalCode", "100-0001");
    WriteSetting("Address-Country", "Japan");
    WriteSetting("Email", "ja1zzz@example.org");
    WriteSetting("Club", "Kanto Contest Club");
    WriteSetting("Loc", "TK");
    WriteSetting("SoapBox", "Fine conditions on 40 m.<CR><LF>73 and thanks for the QSOs!");
    reset.CabrilloRequest = 1;
    ModalDialog("DKZ Contest", "cabrillo-dialog", IDCANCEL, "ResetStats0",
                [&] { plugin.ResetStats0(reset); });
  } catch (const std::exception& e) {
    std::fprintf(stderr, "failed: %s\n", e.what());
    return 1;
  }
  return g_failures == 0 ? 0 : 1;
}
