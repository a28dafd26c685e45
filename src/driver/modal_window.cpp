#include "driver/modal_window.h"

#include <atomic>
#include <cstdio>
#include <stdexcept>
#include <thread>

#include "driver/plugin_host.h"
#include "driver/ui_driver.h"

namespace {

// The window shows within milliseconds; the bounds only matter when something
// is wrong, so they are generous for a loaded machine.
constexpr DWORD kShowTimeoutMs = 30000;
constexpr DWORD kCallDeadlineMs = 120000;

// Ends the process when the export stays away longer than any run takes: it
// sits in a window nobody can reach, and a command-line run must not hang.
// TerminateProcess, because unloading a stuck plug-in could hang as well.
class Deadline {
 public:
  Deadline(DWORD milliseconds, std::string message)
      : met_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this, milliseconds, message] {
      if (WaitForSingleObject(met_, milliseconds) == WAIT_TIMEOUT) {
        std::fputs(message.c_str(), stderr);
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 1);
      }
    });
  }
  ~Deadline() {
    SetEvent(met_);
    thread_.join();
    CloseHandle(met_);
  }
  Deadline(const Deadline&) = delete;
  Deadline& operator=(const Deadline&) = delete;

 private:
  HANDLE met_;
  std::thread thread_;
};

// The running executable's name without folder and ".exe", as its messages begin.
std::string ProgramName() {
  std::string name = ExecutablePath();
  name = name.substr(name.find_last_of("\\/") + 1);
  return name.substr(0, name.rfind('.'));
}

}  // namespace

void CallWithModalWindow(const char* caption, const char* exportName,
                         const std::function<void()>& call, const std::function<void(HWND)>& work) {
  std::atomic<bool> returned{false};
  bool shown = false;
  std::string failure;
  UiScript helper([&] {
    // Stops looking as soon as the export is back: then the window never came.
    HWND window = nullptr;
    WaitUntil(
        [&] {
          window = WaitForWindow(caption, 0);
          return window != nullptr || returned;
        },
        kShowTimeoutMs);
    if (window == nullptr)
      return;
    shown = true;
    try {
      work(window);
    } catch (const std::exception& e) {
      failure = e.what();
      throw;  // the helper closes what is left open
    }
  });
  {
    Deadline deadline(kCallDeadlineMs, ProgramName() + ": Stats.dll did not return from " +
                                           exportName + " within " +
                                           std::to_string(kCallDeadlineMs / 1000) + " s\n");
    call();
  }
  returned = true;
  bool closedByWork = helper.Join();
  if (!failure.empty())
    throw std::runtime_error(failure);
  if (!shown)
    throw std::runtime_error(std::string(exportName) + " showed no \"" + caption + "\" window");
  if (!closedByWork)
    throw std::runtime_error(std::string("the \"") + caption + "\" window stayed open");
}
