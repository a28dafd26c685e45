// scoreboard_host: drives Stats.dll through a log as the logging program
// does, with the board of --url in the settings file (or none), and prints
// what the test script checks as "key: value" lines: the summary, the record
// of the last post, whether WinHTTP and a thread came, the host's calls, the
// unload and the keys of section Settings.
//
//   scoreboard_host [--url URL] [--wait-for FILE] [--await-status] [--reload]
//                   [--linger SECONDS]
//
// --wait-for: before timing the host's calls, wait until the board's event
// file says it took a connection (a post is then in flight).
// --await-status: before the unload, wait until the last post's status is written.
// --reload: after the unload, load the library again and score the log once more.
// --linger: then stay this long (a post still in flight ends meanwhile), and
// tell whether the library is still loaded.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/engine/settings.h"
#include "driver/plugin_host.h"

namespace {

const char* const kBands[] = {"160m", "80m", "40m", "20m", "15m", "10m"};
const unsigned kBandHz[] = {1820000, 3520000, 7012000, 14025000, 21030000, 28040000};
const char* const kCodes[] = {"AC", "TK", "HD", "OS", "KN", "FO", "YN", "SB"};

// A Japanese operator's log over every band: Japanese stations, some
// stations elsewhere (continents count), and a duplicate now and then.
std::vector<HostQso> MakeLog(int count) {
  std::vector<HostQso> log;
  for (int i = 0; i < count; ++i) {
    HostQso q;
    int band = i % 6;
    q.Band = kBands[band];
    q.FrequencyHz = kBandHz[band] + static_cast<unsigned>(i % 20) * 1000;
    q.Time.Date += i / 1440.0;
    if (i % 7 == 3) {
      static const char* const kContinents[] = {"EU", "NA", "OC", "AF"};
      q.Call = "DL" + std::to_string(i) + "X";
      q.Prefix = "DL";
      q.Continent = kContinents[i % 4];
      q.ExchRcvd = std::to_string(1 + i % 40);
    } else {
      q.Call =
          "JA" + std::to_string(i % 10) + "A" + std::string(1, static_cast<char>('A' + i % 26));
      q.ExchRcvd = kCodes[i % 8];
    }
    log.push_back(q);
  }
  return log;
}

struct Options {
  std::string Url, WaitFor;
  bool AwaitStatus = false;
  bool Reload = false;
  int LingerSeconds = 0;
};

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool valued = i + 1 < argc;
    if (arg == "--url" && valued)
      options.Url = argv[++i];
    else if (arg == "--wait-for" && valued)
      options.WaitFor = argv[++i];
    else if (arg == "--linger" && valued)
      options.LingerSeconds = std::stoi(argv[++i]);
    else if (arg == "--await-status")
      options.AwaitStatus = true;
    else if (arg == "--reload")
      options.Reload = true;
    else
      throw std::runtime_error("unknown argument " + arg);
  }
  return options;
}

int ThreadCount() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    count += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
  CloseHandle(snapshot);
  return count;
}

std::string Scoreboard(const char* key) {
  char value[1024] = {};
  GetPrivateProfileStringA("Scoreboard", key, "<missing>", value, sizeof value, SettingsFile);
  return value;
}

double Milliseconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

// Waits, polling, until `done` holds or `seconds` pass.
template <typename Done>
bool WaitUntil(Done done, int seconds) {
  for (int i = 0; i < seconds * 20; ++i) {
    if (done())
      return true;
    Sleep(50);
  }
  return done();
}

void PrintSummary(const std::string& summary) {
  size_t start = 0;
  while (start <= summary.size()) {
    size_t end = summary.find("\r\n", start);
    std::printf("summary: %s\n", summary.substr(start, end - start).c_str());
    if (end == std::string::npos)
      break;
    start = end + 2;
  }
}

// The host re-scores the log and checks calls: the summary stays the same.
void TimeHostCalls(PluginHost& host, const std::vector<HostQso>& log) {
  auto start = std::chrono::steady_clock::now();
  const int rescores = 5;
  for (int round = 0; round < rescores; ++round) {
    host.ResetStats0(HostReset());
    for (const HostQso& q : log)
      host.AddData0(q);
    host.GetResult0();
  }
  std::printf("host-rescores-ms: %.1f\n", Milliseconds(start));
  start = std::chrono::steady_clock::now();
  HostCallCheck check;
  for (int i = 0; i < 2000; ++i) {
    check.Call = log[static_cast<size_t>(i) % log.size()].Call.substr(0, 3 + i % 3);
    host.CheckCall0(check);
  }
  std::printf("host-checkcalls-ms: %.1f\n", Milliseconds(start));
}

void Run(const Options& options) {
  ScratchFolder folder;
  if (!options.Url.empty()) {
    WritePrivateProfileStringA("Scoreboard", "Url", options.Url.c_str(), SettingsFile);
    WritePrivateProfileStringA("Scoreboard", "Minutes", "2", SettingsFile);
  }
  const int threadsBefore = ThreadCount();
  auto host = std::make_unique<PluginHost>();
  const std::vector<HostQso> log = MakeLog(300);
  host->ResetStats0(HostReset());
  for (const HostQso& q : log)
    host->AddData0(q);
  PrintSummary(host->GetResult0());
  std::printf("threads-added: %d\n", ThreadCount() - threadsBefore);

  if (!options.WaitFor.empty()) {
    bool accepted = WaitUntil([&] { return !ReadWholeFile(options.WaitFor).empty(); }, 20);
    std::printf("board-connected: %d\n", accepted ? 1 : 0);
  }
  TimeHostCalls(*host, log);
  if (options.AwaitStatus)
    WaitUntil([] { return Scoreboard("LastStatus") != "<missing>"; }, 30);
  std::printf("winhttp-loaded: %d\n", GetModuleHandleA("winhttp.dll") != nullptr ? 1 : 0);
  for (const char* key : {"LastPost", "LastStatus", "LastAnswer"})
    std::printf("%s: %s\n", key, Scoreboard(key).c_str());

  auto start = std::chrono::steady_clock::now();
  host.reset();
  std::printf("unload-ms: %.1f\n", Milliseconds(start));
  if (options.Reload) {
    PluginHost again;
    again.ResetStats0(HostReset());
    for (const HostQso& q : log)
      again.AddData0(q);
    const std::string text = again.GetResult0();  // ends "Score\t N"
    std::printf("reloaded-score: %s\n", text.substr(text.rfind(' ') + 1).c_str());
  }
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(options.LingerSeconds) * 1000);
  std::printf("library-loaded: %d\n", GetModuleHandleA("Stats.dll") != nullptr ? 1 : 0);
  std::vector<char> keys(65536, '\0');
  DWORD length = GetPrivateProfileSectionA(SettingsSection, keys.data(),
                                           static_cast<DWORD>(keys.size()), SettingsFile);
  std::string settings(keys.data(), length);
  std::replace(settings.begin(), settings.end(), '\0', ';');
  std::printf("settings-section: %s\n", settings.c_str());
  std::printf("ini-scoreboard-section: %d\n",
              ReadWholeFile("Plugins\\DKZ.ini").find("[Scoreboard]") != std::string::npos ? 1 : 0);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    Run(ParseOptions(argc, argv));
    std::printf("done: 1\n");
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "scoreboard_host: %s\n", e.what());
    return 1;
  }
}
