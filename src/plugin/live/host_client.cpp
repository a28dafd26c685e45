#include "plugin/live/host_client.h"

#include <atomic>
#include <vector>

#include "win/variant.h"

namespace {

const wchar_t kHostProgId[] = L"Orvo2.Application";
const DISPID kFrequencyId = 2;
const DISPID kEntryTextId = 8;
const DISPID kMacroId = 16;

// True once an attach has claimed the opening macros; never set back, so
// they go out at most once per loaded library whichever thread attaches.
std::atomic<bool> g_hostAttached{false};

HRESULT Invoke(IDispatch* dispatch, DISPID id, WORD kind, VARIANT* args, UINT argCount,
               VARIANT* result) {
  DISPPARAMS params = {args, nullptr, argCount, 0};
  EXCEPINFO exception = {};
  HRESULT hr = dispatch->Invoke(id, IID_NULL, 0, kind, &params, result, &exception, nullptr);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return hr;
}

std::string ToAnsi(const wchar_t* text, UINT length) {
  if (text == nullptr || length == 0)
    return {};
  int size = WideCharToMultiByte(CP_THREAD_ACP, 0, text, static_cast<int>(length), nullptr, 0,
                                 nullptr, nullptr);
  if (size <= 0)
    return {};
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_THREAD_ACP, 0, text, static_cast<int>(length), &out[0], size, nullptr,
                      nullptr);
  return out;
}

BSTR ToBstr(const char* text) {
  int size = MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, nullptr, 0);
  if (size <= 0)
    return SysAllocString(L"");
  std::vector<wchar_t> wide(static_cast<size_t>(size));
  MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, wide.data(), size);
  return SysAllocString(wide.data());
}

HostCall SendOpeningMacros(HostConnection& connection) {
  HostCall result = connection.RunMacro("<MODE:CW>");
  if (result != HostCall::kDone)
    return result;
  return connection.RunMacro("<BAUDRATE:27>");
}

}  // namespace

bool HostConnection::Connect() {
  if (dispatch_)
    return true;
  CLSID classId = {};
  CLSIDFromProgID(kHostProgId, &classId);  // not registered: GetActiveObject fails below
  if (!comInitialized_) {
    // S_FALSE (already initialised) is balanced by CoUninitialize too; a thread
    // in another mode keeps its own initialisation.
    comInitialized_ = SUCCEEDED(CoInitialize(nullptr));
  }
  ComPtr<IUnknown> unknown;
  if (FAILED(GetActiveObject(classId, nullptr, unknown.Receive())) || !unknown)
    return false;
  if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch_.Receive()))))
    dispatch_.Reset();
  return static_cast<bool>(dispatch_);
}

HostCall HostConnection::GetFrequency(double& hertz) {
  if (!dispatch_)
    return HostCall::kNoHost;
  Variant result;
  HRESULT hr =
      Invoke(dispatch_.Get(), kFrequencyId, DISPATCH_PROPERTYGET, nullptr, 0, result.Get());
  if (SUCCEEDED(hr))
    hr = VariantChangeType(result.Get(), result.Get(), 0, VT_R8);
  if (SUCCEEDED(hr))
    hertz = V_R8(result.Get());
  return SUCCEEDED(hr) ? HostCall::kDone : HostCall::kFailed;
}

HostCall HostConnection::GetEntryText(int field, std::string& text) {
  if (!dispatch_)
    return HostCall::kNoHost;
  Variant arg(static_cast<LONG>(field));
  Variant result;
  HRESULT hr = Invoke(dispatch_.Get(), kEntryTextId, DISPATCH_METHOD, arg.Get(), 1, result.Get());
  // Anything but a string is taken as a failed answer.
  if (SUCCEEDED(hr) && V_VT(result.Get()) != VT_BSTR)
    hr = DISP_E_TYPEMISMATCH;
  if (SUCCEEDED(hr))
    text = ToAnsi(V_BSTR(result.Get()), SysStringLen(V_BSTR(result.Get())));
  return SUCCEEDED(hr) ? HostCall::kDone : HostCall::kFailed;
}

HostCall HostConnection::RunMacro(const char* macro) {
  if (!dispatch_)
    return HostCall::kNoHost;
  Variant arg(ToBstr(macro));
  HRESULT hr = Invoke(dispatch_.Get(), kMacroId, DISPATCH_METHOD, arg.Get(), 1, nullptr);
  return SUCCEEDED(hr) ? HostCall::kDone : HostCall::kFailed;
}

void HostConnection::Release() {
  dispatch_.Reset();
}

void HostConnection::Uninitialize() {
  Release();
  if (comInitialized_) {
    CoUninitialize();
    comInitialized_ = false;
  }
}

HostCall AttachForWindows(HostConnection& connection) {
  if (connection.Connected())
    return HostCall::kDone;
  connection.Connect();
  if (g_hostAttached.exchange(true))
    return HostCall::kDone;  // attached before: a later thread or a retry sends no macros
  return SendOpeningMacros(connection);
}

void AttachForSummary(int masterSetting, int multiplierSetting) {
  if (masterSetting != 0 || multiplierSetting != 0 || g_hostAttached.load())
    return;
  HostConnection connection;
  if (connection.Connect() && !g_hostAttached.exchange(true))
    SendOpeningMacros(connection);
  // The host's own thread keeps no reference: the next attach, if any, connects afresh.
  connection.Uninitialize();
}
