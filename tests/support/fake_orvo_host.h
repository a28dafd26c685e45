// A stand-in for the logging program's automation object "Orvo2.Application".
// It lives in the test's main thread, apartment-threaded like a real GUI
// host: calls from the plug-in's info thread are served only while the test
// pumps messages (PumpUntil, PumpFor).
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

class FakeOrvoHost : public IDispatch {
 public:
  static constexpr DISPID kFrequency = 2;
  static constexpr DISPID kEntryText = 8;
  static constexpr DISPID kMacro = 16;

  struct Call {
    DISPID Id;
    std::string Text;  // the macro, or the entry field number asked for
    double AtMs;       // since the host was made
  };

  enum class Presence {
    kRunning,     // ProgID registered, object in the running object table
    kProgIdOnly,  // registered but not running: GetActiveObject fails
  };

  explicit FakeOrvoHost(Presence presence = Presence::kRunning);
  ~FakeOrvoHost();
  FakeOrvoHost(const FakeOrvoHost&) = delete;
  FakeOrvoHost& operator=(const FakeOrvoHost&) = delete;

  // What the host answers; change freely between calls.
  double Frequency = 7025000.0;
  std::wstring EntryText;
  std::set<DISPID> Failing;              // these answer with an automation error
  std::map<DISPID, DWORD> DelayMs;       // these answer late, pumping meanwhile
  std::function<void()> DuringSlowCall;  // run once inside the next slow call

  const std::vector<Call>& Calls() const { return calls_; }
  int CountCalls(DISPID id) const;
  std::vector<std::string> Macros() const;
  void ClearCalls() { calls_.clear(); }
  double NowMs() const;

  // Serve calls (and every other message) until `done` or the timeout.
  bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
  void PumpFor(DWORD ms);

  // IUnknown, IDispatch.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT*) override;

 private:
  HRESULT Answer(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, Call& call);

  LONG refs_ = 1;
  DWORD cookie_ = 0;
  bool comInitialized_ = false;
  ULONGLONG started_;
  std::vector<Call> calls_;
};

// Removes the host's ProgID, so that nothing can be found by it.
void UnregisterHostProgId();
