#include "scorer/check_scorer.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <thread>

#include "check/folder_system.h"
#include "core/engine/settings.h"
#include "driver/plugin_host.h"
#include "files/file_writer.h"
#include "files/path_entry_win.h"
#include "logs/log_values.h"
#include "scorer/scoring_wire.h"
#include "scorer/scoring_worker_win.h"
#include "win/system_error.h"
#include "win/unique_handle.h"
#include "win/wide_text.h"

namespace {

// Every pass of the check through one loaded plug-in, in the current folder.
class PluginScorer : public LogScorer {
 public:
  PluginScorer() {
    // No logging program runs beside the check: with the master switch on, a
    // summary does not look for one (a COM lookup that costs more than the log).
    std::string ignored;  // without it the check only runs slower
    WriteFileWhole(SettingsFile, "[" + std::string(SettingsSection) + "]\r\nMaster=1\r\n", ignored);
  }
  std::string Score(const ResetInput& reset, const std::vector<QsoInput>& qsos,
                    std::vector<bool>* stored) override {
    plugin_.ResetStats0(reset);
    for (const QsoInput& qso : qsos) {
      bool kept = plugin_.AddData0(qso) == 1;
      if (stored)
        stored->push_back(kept);
    }
    return plugin_.GetResult0();
  }

 private:
  PluginHost plugin_;
};

const char kWorkerSwitch[] = "--scoring-worker";

bool WriteWhole(HANDLE pipe, const std::string& bytes) {
  for (size_t done = 0; done < bytes.size();) {
    DWORD written = 0;
    DWORD size = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
    if (!WriteFile(pipe, bytes.data() + done, size, &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return true;
}

bool ReadWhole(HANDLE pipe, char* into, size_t size) {
  for (size_t done = 0; done < size;) {
    DWORD read = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(size - done, 1 << 20));
    if (!ReadFile(pipe, into + done, want, &read, nullptr) || read == 0)
      return false;
    done += read;
  }
  return true;
}

// One framed message, or false at the end of the pipe.
bool ReadMessage(HANDLE pipe, std::string& message) {
  uint32_t size = 0;
  if (!ReadWhole(pipe, reinterpret_cast<char*>(&size), sizeof size))
    return false;
  message.resize(size);
  return ReadWhole(pipe, message.data(), size);
}

// A second dkz-score.exe with its own loaded Stats.dll in a folder of its
// own: the plug-in holds one contest per process, so a second lane needs one.
class WorkerScorer : public LogScorer {
 public:
  explicit WorkerScorer(const std::string& folder) {
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE childIn = nullptr, childOut = nullptr, toChild = nullptr, fromChild = nullptr;
    if (!CreatePipe(&childIn, &toChild, &inherited, 0))
      throw std::runtime_error("cannot start a scoring process: " +
                               SystemErrorText(GetLastError()));
    toChild_.Reset(toChild);
    KernelHandle childInOwner(childIn);
    if (!CreatePipe(&fromChild, &childOut, &inherited, 0))
      throw std::runtime_error("cannot start a scoring process: " +
                               SystemErrorText(GetLastError()));
    fromChild_.Reset(fromChild);
    KernelHandle childOutOwner(childOut);
    // Only the child's ends go to the child.
    SetHandleInformation(toChild, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(fromChild, HANDLE_FLAG_INHERIT, 0);

    wchar_t exe[32768];
    DWORD length = GetModuleFileNameW(nullptr, exe, 32768);
    if (length == 0 || length >= 32768)
      throw std::runtime_error("cannot start a scoring process: its own path is not known");
    std::wstring commandLine = L"\"" + std::wstring(exe, length) + L"\" --scoring-worker";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childIn;
    startup.hStdOutput = childOut;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION started{};
    std::wstring workFolder = FullPathWide(Widen(folder));
    if (!CreateProcessW(exe, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        workFolder.c_str(), &startup, &started))
      throw std::runtime_error("cannot start a scoring process: " +
                               SystemErrorText(GetLastError()));
    process_.Reset(started.hProcess);
    CloseHandle(started.hThread);
  }

  ~WorkerScorer() override {
    toChild_.Reset();  // the end of its requests: it leaves
    if (process_ && WaitForSingleObject(process_.Get(), 10000) != WAIT_OBJECT_0)
      TerminateProcess(process_.Get(), 1);
  }

  std::string Score(const ResetInput& reset, const std::vector<QsoInput>& qsos,
                    std::vector<bool>* stored) override {
    ScoringRequest request{reset, qsos, stored != nullptr};
    std::string message;
    if (!WriteWhole(toChild_.Get(), Framed(EncodeRequest(request))) ||
        !ReadMessage(fromChild_.Get(), message))
      throw std::runtime_error("a scoring process of the check stopped (see above)");
    ScoringAnswer answer = DecodeAnswer(message);
    if (stored)
      *stored = std::move(answer.Stored);
    return answer.Summary;
  }

 private:
  KernelHandle toChild_, fromChild_, process_;
};

}  // namespace

std::unique_ptr<LogScorer> MakeCheckScorer(int lane) {
  if (lane == 0)
    return std::make_unique<PluginScorer>();
  std::string folder = "lane-" + std::to_string(lane + 1);
  std::string why;
  if (!MakeNewFolder(folder, why) || !MakeNewFolder(PathIn(folder, "Plugins"), why))
    throw InputError(why);
  return std::make_unique<WorkerScorer>(folder);
}

int CheckLanes() {
  return std::max(1u, std::thread::hardware_concurrency());
}

bool IsScoringWorker(const std::vector<std::string>& args) {
  return args.size() == 1 && args[0] == kWorkerSwitch;
}

int RunScoringWorker() {
  _setmode(_fileno(stdin), _O_BINARY);
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  try {
    PluginScorer scorer;
    std::string message;
    while (ReadMessage(in, message)) {
      ScoringRequest request = DecodeRequest(message);
      ScoringAnswer answer;
      answer.Summary =
          scorer.Score(request.Reset, request.Qsos, request.WantStored ? &answer.Stored : nullptr);
      if (!WriteWhole(out, Framed(EncodeAnswer(answer))))
        return 1;
    }
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "dkz-score (scoring process): " << e.what() << "\n";
    return 1;
  }
}
