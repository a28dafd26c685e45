#include "cabrillo_run.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "cabrillo_check.h"
#include "modal_window_checked.h"

void ResetWithDialog(PluginHost& host, HostReset reset, const DialogUser& user) {
  reset.CabrilloRequest = 1;
  int result = 0;
  CallWithModalWindowChecked(
      "DKZ Contest", "ResetStats0", [&] { result = host.ResetStats0(reset); }, user);
  EXPECT_EQ(result, 1);
}

void PressOk(HWND dialog) {
  ClickButton(dialog, IDOK);
  EXPECT_TRUE(WaitForWindowGone(dialog));
}

void PressCancel(HWND dialog) {
  ClickButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitForWindowGone(dialog));
}

void FocusControl(HWND dialog, int id) {
  PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
  EXPECT_TRUE(WaitUntil([&] { return FocusedControlId(dialog) == id; })) << id;
}

SummaryRun SummaryWithReport(PluginHost& host, int status) {
  SummaryRun run;
  run.Status = status;
  CallWithModalWindowChecked(
      "Output", "GetResult0", [&] { host.GetResult0(&run.Status); },
      [&](HWND box) { run.Box = DismissMessageBox(box); });
  return run;
}

std::vector<HostQso> SampleLog(const std::string& ownCall) {
  struct Row {
    const char* call;
    unsigned hertz;
    const char* band;
    int minute;
    const char* prefix;
    const char* continent;
    const char* rcvd;
  } rows[] = {
      {"JA2AAA", 1820000, "160m", 0, "JA", "AS", "AC"},
      {"W1AW", 3512500, "80m", 5, "K", "NA", "1"},
      {"JA3BBB", 7012000, "40m", 10, "JA", "AS", "TK"},
      {"JA3BBB", 7013000, "40m", 15, "JA", "AS", "TK"},  // a duplicate: listed, not counted
      {"DL1ABC", 14025000, "20m", 20, "DL", "EU", "1234"},
      {"VK2XX", 21030000, "15m", 25, "VK", "OC", "59"},
      {"JA6CCC", 28015000, "10m", 30, "JA", "AS", "FO"},
  };
  std::vector<HostQso> log;
  for (const Row& r : rows) {
    HostQso q;
    q.OwnCall = ownCall;
    q.Call = r.call;
    q.FrequencyHz = r.hertz;
    q.Band = r.band;
    q.Time = MakeOleDateTime(2016, 6, 10, 21, r.minute);
    q.Prefix = r.prefix;
    q.Continent = r.continent;
    q.ExchSent = "TK";
    q.ExchRcvd = r.rcvd;
    log.push_back(q);
  }
  return log;
}

void AddAll(PluginHost& host, const std::vector<HostQso>& log) {
  for (const HostQso& q : log)
    EXPECT_EQ(host.AddData0(q), 1) << q.Call;
}

std::string GoldenFolder() {
  // The source tree as Wine's Z: drive shows it.
  std::string folder = std::string("Z:") + DKZ_SOURCE_DIR + "/tests/e2e/golden";
  for (char& c : folder) {
    if (c == '/')
      c = '\\';
  }
  return folder;
}

namespace {

// The first line that differs, shown with its line ends, for a readable failure.
std::string FirstDifference(const std::string& produced, const std::string& golden) {
  size_t at = 0, line = 1;
  while (at < produced.size() && at < golden.size() && produced[at] == golden[at]) {
    if (produced[at] == '\n')
      ++line;
    ++at;
  }
  auto lineAround = [&](const std::string& text) {
    size_t begin = text.rfind('\n', at == 0 ? 0 : at - 1);
    begin = begin == std::string::npos || at == 0 ? 0 : begin + 1;
    size_t end = text.find('\n', at);
    std::string shown = text.substr(begin, end == std::string::npos ? end : end - begin + 1);
    std::string out;
    for (char c : shown)
      out += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
    return out;
  };
  return "line " + std::to_string(line) + "\n  produced: " + lineAround(produced) +
         "\n  golden:   " + lineAround(golden);
}

}  // namespace

void ExpectGolden(const std::string& producedPath, const std::string& golden) {
  ASSERT_TRUE(FileExists(producedPath)) << producedPath;
  std::string produced = ReadWholeFile(producedPath);
  std::string goldenPath = GoldenFolder() + "\\" + golden;
  const char* update = std::getenv("DKZ_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1")
    WriteWholeFile(goldenPath, produced);
  std::string expected = ReadWholeFile(goldenPath);
  ASSERT_FALSE(expected.empty()) << "missing golden file " << goldenPath;
  EXPECT_TRUE(produced == expected) << golden << ": " << FirstDifference(produced, expected);
  for (const std::string& problem : CabrilloProblems(produced))
    ADD_FAILURE() << producedPath << ": " << problem;
}

void ExpectSettings(const std::vector<std::pair<const char*, std::string>>& expected) {
  for (const auto& [key, value] : expected)
    EXPECT_EQ(ReadSetting(key), value) << "key " << key;
}
