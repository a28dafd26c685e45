#include "fake_orvo_host.h"

#include <oleauto.h>

namespace {

// The simulated host's own class id; only its ProgID matters to the plug-in.
const CLSID kFakeHostClsid = {
    0x5d1c7a3e, 0x2b64, 0x4f1a, {0x9c, 0x0e, 0x41, 0x7d, 0x6a, 0x13, 0x88, 0x52}};
const char kProgIdKey[] = "Orvo2.Application";
const char kUserClassesProgIdKey[] = "Software\\Classes\\Orvo2.Application";

void WriteProgId(HKEY root, const std::string& key, const char* clsid) {
  HKEY handle;
  if (RegCreateKeyExA(root, (key + "\\CLSID").c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                      nullptr) == ERROR_SUCCESS) {
    RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(clsid),
                   static_cast<DWORD>(lstrlenA(clsid) + 1));
    RegCloseKey(handle);
  }
}

// Wine reads class registrations from HKEY_CLASSES_ROOT only; a real
// per-user install writes HKCU\Software\Classes. Do both.
void RegisterHostProgId() {
  wchar_t wide[64];
  StringFromGUID2(kFakeHostClsid, wide, 64);
  char clsid[64];
  WideCharToMultiByte(CP_ACP, 0, wide, -1, clsid, sizeof clsid, nullptr, nullptr);
  WriteProgId(HKEY_CLASSES_ROOT, kProgIdKey, clsid);
  WriteProgId(HKEY_CURRENT_USER, kUserClassesProgIdKey, clsid);
}

std::string Narrow(BSTR text) {
  if (text == nullptr)
    return {};
  int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size > 0 ? size : 1), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], size, nullptr, nullptr);
  out.resize(out.size() - 1);
  return out;
}

}  // namespace

void UnregisterHostProgId() {
  RegDeleteTreeA(HKEY_CLASSES_ROOT, kProgIdKey);
  RegDeleteTreeA(HKEY_CURRENT_USER, kUserClassesProgIdKey);
}

FakeOrvoHost::FakeOrvoHost(Presence presence) : started_(GetTickCount64()) {
  comInitialized_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  RegisterHostProgId();
  if (presence == Presence::kRunning)
    RegisterActiveObject(static_cast<IUnknown*>(this), kFakeHostClsid, ACTIVEOBJECT_STRONG,
                         &cookie_);
}

FakeOrvoHost::~FakeOrvoHost() {
  if (cookie_ != 0)
    RevokeActiveObject(cookie_, nullptr);
  // Proxies still held elsewhere must not reach this object once it is gone.
  CoDisconnectObject(static_cast<IUnknown*>(this), 0);
  UnregisterHostProgId();
  if (comInitialized_)
    CoUninitialize();
}

int FakeOrvoHost::CountCalls(DISPID id) const {
  int count = 0;
  for (const Call& call : calls_)
    count += call.Id == id ? 1 : 0;
  return count;
}

std::vector<std::string> FakeOrvoHost::Macros() const {
  std::vector<std::string> macros;
  for (const Call& call : calls_) {
    if (call.Id == kMacro)
      macros.push_back(call.Text);
  }
  return macros;
}

double FakeOrvoHost::NowMs() const {
  return static_cast<double>(GetTickCount64() - started_);
}

bool FakeOrvoHost::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done && done())
      return true;
    ULONGLONG now = GetTickCount64();
    if (now >= deadline)
      return false;
    DWORD wait = static_cast<DWORD>(deadline - now);
    MsgWaitForMultipleObjectsEx(0, nullptr, wait < 10 ? wait : 10, QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
  }
}

void FakeOrvoHost::PumpFor(DWORD ms) {
  PumpUntil(nullptr, ms);
}

HRESULT FakeOrvoHost::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr)
    return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

// The object belongs to the test; counting is only kept for the COM rules.
ULONG FakeOrvoHost::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&refs_));
}
ULONG FakeOrvoHost::Release() {
  return static_cast<ULONG>(InterlockedDecrement(&refs_));
}

HRESULT FakeOrvoHost::GetTypeInfoCount(UINT* count) {
  if (count != nullptr)
    *count = 0;
  return S_OK;
}

HRESULT FakeOrvoHost::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr)
    *info = nullptr;
  return E_NOTIMPL;
}

HRESULT FakeOrvoHost::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return DISP_E_UNKNOWNNAME;
}

HRESULT FakeOrvoHost::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO* exception, UINT*) {
  Call call = {id, "", NowMs()};
  HRESULT hr = Answer(id, flags, params, result, call);
  calls_.push_back(call);  // before any nested call that a slow answer lets in
  auto delay = DelayMs.find(id);
  if (delay != DelayMs.end()) {
    ULONGLONG until = GetTickCount64() + delay->second;
    std::function<void()> during;
    during.swap(DuringSlowCall);
    if (during)
      during();
    ULONGLONG now = GetTickCount64();
    if (now < until)
      PumpFor(static_cast<DWORD>(until - now));
  }
  if (SUCCEEDED(hr) && Failing.count(id) != 0) {
    if (result != nullptr)
      VariantClear(result);
    if (exception != nullptr) {
      *exception = EXCEPINFO();
      exception->scode = E_FAIL;
      exception->bstrDescription = SysAllocString(L"the test host refused the call");
    }
    hr = DISP_E_EXCEPTION;
  }
  return hr;
}

HRESULT FakeOrvoHost::Answer(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                             Call& call) {
  UINT argCount = params != nullptr ? params->cArgs : 0;
  switch (id) {
    case kFrequency:
      if (!(flags & DISPATCH_PROPERTYGET) || argCount != 0)
        return DISP_E_MEMBERNOTFOUND;
      if (result != nullptr) {
        VariantInit(result);
        V_VT(result) = VT_R8;
        V_R8(result) = Frequency;
      }
      return S_OK;
    case kEntryText: {
      if (!(flags & DISPATCH_METHOD) || argCount != 1)
        return DISP_E_BADPARAMCOUNT;
      VARIANT field;
      VariantInit(&field);
      if (FAILED(VariantChangeType(&field, &params->rgvarg[0], 0, VT_I4)))
        return DISP_E_TYPEMISMATCH;
      call.Text = std::to_string(V_I4(&field));
      if (result != nullptr) {
        VariantInit(result);
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = SysAllocStringLen(EntryText.data(), static_cast<UINT>(EntryText.size()));
      }
      return S_OK;
    }
    case kMacro: {
      if (!(flags & DISPATCH_METHOD) || argCount != 1 || V_VT(&params->rgvarg[0]) != VT_BSTR)
        return DISP_E_TYPEMISMATCH;
      call.Text = Narrow(V_BSTR(&params->rgvarg[0]));
      return S_OK;
    }
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}
