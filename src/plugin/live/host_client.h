// The connection to the running host through its automation interface
// ("Orvo2.Application": dispatch ids 2 frequency, 8 entry field, 16 macro).
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "win/com_ptr.h"

// How a host call ended. kNoHost: no reference is held, nothing was asked.
enum class HostCall { kDone, kNoHost, kFailed };

// One thread's reference to the host, valid in that thread's apartment only.
// The info thread keeps one for its lifetime; it never crosses threads.
class HostConnection {
 public:
  HostConnection() = default;
  ~HostConnection() { Release(); }
  HostConnection(const HostConnection&) = delete;
  HostConnection& operator=(const HostConnection&) = delete;

  // Finds the running host (COM is initialised on the calling thread first).
  // True when a reference is held afterwards.
  bool Connect();
  bool Connected() const { return static_cast<bool>(dispatch_); }

  HostCall GetFrequency(double& hertz);
  HostCall GetEntryText(int field, std::string& text);  // converted to the thread's ANSI page
  HostCall RunMacro(const char* macro);

  // Drops the reference; the thread's COM initialisation stays (see Uninitialize).
  void Release();
  // Releases the reference, then undoes this object's CoInitialize.
  void Uninitialize();

 private:
  ComPtr<IDispatch> dispatch_;
  bool comInitialized_ = false;
};

// The live update's attach: connects when this thread holds no reference
// yet; the first attach of the loaded library sends the opening macros (to
// no one when the host is absent) and marks the host attached.
HostCall AttachForWindows(HostConnection& connection);

// End of every summary: unless the host is attached already or "Master" or
// "Multiplier" is on, connects and sends the opening macros.
void AttachForSummary(int masterSetting, int multiplierSetting);
