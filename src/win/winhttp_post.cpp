#include "win/winhttp_post.h"

#include "win/system_error.h"
#include "win/wide_text.h"

// Only what a post needs, found by name in the loaded library.
struct WinHttpPost::Api {
  decltype(&::WinHttpCrackUrl) CrackUrl;
  decltype(&::WinHttpOpen) Open;
  decltype(&::WinHttpConnect) Connect;
  decltype(&::WinHttpOpenRequest) OpenRequest;
  decltype(&::WinHttpSetTimeouts) SetTimeouts;
  decltype(&::WinHttpSetOption) SetOption;
  decltype(&::WinHttpSendRequest) SendRequest;
  decltype(&::WinHttpReceiveResponse) ReceiveResponse;
  decltype(&::WinHttpQueryHeaders) QueryHeaders;
  decltype(&::WinHttpReadData) ReadData;
  decltype(&::WinHttpCloseHandle) CloseHandle;
};

namespace {

// More of the board's answer than its first line is never shown.
const DWORD kAnswerBytes = 4096;

template <typename Fn>
bool Find(HMODULE module, const char* name, Fn& fn) {
  fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return fn != nullptr;
}

PostResult Failure(PostOutcome outcome, DWORD error = 0) {
  PostResult result;
  result.Outcome = outcome;
  if (error >= WINHTTP_ERROR_BASE && error <= WINHTTP_ERROR_LAST)
    result.Answer = "WinHTTP error " + std::to_string(error);
  else if (error != 0)
    result.Answer = SystemErrorText(error);
  return result;
}

// A failed call's error in the words the status shows.
PostResult FailureOf(DWORD error) {
  switch (error) {
    case ERROR_WINHTTP_TIMEOUT:
    case WSAETIMEDOUT:  // Wine's word for the same
      return Failure(PostOutcome::TimedOut);
    case ERROR_WINHTTP_CANNOT_CONNECT:
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
    case WSAECONNREFUSED:
    case WSAEHOSTUNREACH:
    case WSAENETUNREACH:
      return Failure(PostOutcome::Unreachable, error);
    case ERROR_WINHTTP_INVALID_URL:
    case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
      return Failure(PostOutcome::BadAddress, error);
    default:
      return Failure(PostOutcome::Failed, error);
  }
}

// A session, connection or request handle, closed when it goes.
class InternetHandle {
 public:
  InternetHandle(HINTERNET handle, decltype(&::WinHttpCloseHandle) close)
      : handle_(handle), close_(close) {}
  ~InternetHandle() {
    if (handle_ != nullptr)
      close_(handle_);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  HINTERNET Get() const { return handle_; }

 private:
  HINTERNET handle_;
  decltype(&::WinHttpCloseHandle) close_;
};

// Milliseconds left until `deadline` (GetTickCount64), at least 1: WinHTTP
// takes 0 as no limit at all.
int Remaining(ULONGLONG deadline) {
  ULONGLONG now = GetTickCount64();
  return now >= deadline ? 1 : static_cast<int>(deadline - now);
}

}  // namespace

WinHttpPost::WinHttpPost() = default;
WinHttpPost::~WinHttpPost() = default;

PostResult WinHttpPost::Post(const std::string& url, const std::string& formBody,
                             const std::string& userAgent, DWORD timeoutMs) {
  if (abandoned_.load())
    return Failure(PostOutcome::Abandoned);
  const Api* api = LoadApi();
  if (api == nullptr) {
    PostResult result = Failure(PostOutcome::Failed);
    result.Answer = "WinHTTP could not be loaded";
    return result;
  }
  return Send(*api, url, formBody, userAgent, timeoutMs);
}

void WinHttpPost::Abandon() {
  abandoned_.store(true);
  HINTERNET request = request_.exchange(nullptr);
  if (request != nullptr)
    api_->CloseHandle(request);
}

const WinHttpPost::Api* WinHttpPost::LoadApi() {
  if (api_)
    return api_.get();
  // By its full path: a winhttp.dll in the host's folder is never taken.
  wchar_t folder[MAX_PATH];
  UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH)
    return nullptr;
  // Stays loaded for the life of the process: freeing it could fall into an
  // unload of the plug-in, which holds the loader lock.
  HMODULE module = LoadLibraryW((std::wstring(folder) + L"\\winhttp.dll").c_str());
  if (module == nullptr)
    return nullptr;
  auto api = std::make_unique<Api>();
  bool found = Find(module, "WinHttpCrackUrl", api->CrackUrl) &&
               Find(module, "WinHttpOpen", api->Open) &&
               Find(module, "WinHttpConnect", api->Connect) &&
               Find(module, "WinHttpOpenRequest", api->OpenRequest) &&
               Find(module, "WinHttpSetTimeouts", api->SetTimeouts) &&
               Find(module, "WinHttpSetOption", api->SetOption) &&
               Find(module, "WinHttpSendRequest", api->SendRequest) &&
               Find(module, "WinHttpReceiveResponse", api->ReceiveResponse) &&
               Find(module, "WinHttpQueryHeaders", api->QueryHeaders) &&
               Find(module, "WinHttpReadData", api->ReadData) &&
               Find(module, "WinHttpCloseHandle", api->CloseHandle);
  if (found)
    api_ = std::move(api);
  return api_.get();
}

PostResult WinHttpPost::Send(const Api& api, const std::string& url, const std::string& formBody,
                             const std::string& userAgent, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  std::wstring wideUrl = Widen(url, CP_ACP);
  URL_COMPONENTS parts = {};
  parts.dwStructSize = sizeof parts;
  parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (wideUrl.empty() || !api.CrackUrl(wideUrl.c_str(), 0, 0, &parts) ||
      parts.dwHostNameLength == 0)
    return Failure(PostOutcome::BadAddress);
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
  path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (path.empty())
    path = L"/";

  InternetHandle session(api.Open(Widen(userAgent).c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                  WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0),
                         api.CloseHandle);
  if (session.Get() == nullptr)
    return FailureOf(GetLastError());
  InternetHandle connection(api.Connect(session.Get(), host.c_str(), parts.nPort, 0),
                            api.CloseHandle);
  if (connection.Get() == nullptr)
    return FailureOf(GetLastError());
  const DWORD secure = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
  HINTERNET request = api.OpenRequest(connection.Get(), L"POST", path.c_str(), nullptr,
                                      WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, secure);
  if (request == nullptr)
    return FailureOf(GetLastError());
  // Either Abandon finds the request to close, or it is found abandoned here.
  request_.store(request);
  PostResult result = abandoned_.load() ? Failure(PostOutcome::Abandoned)
                                        : Exchange(api, request, formBody, deadline);
  if (abandoned_.load())
    result = Failure(PostOutcome::Abandoned);
  // Closed here unless a cancel closed it already.
  if (request_.exchange(nullptr) == request)
    api.CloseHandle(request);
  return result;
}

PostResult WinHttpPost::Exchange(const Api& api, HINTERNET request, const std::string& formBody,
                                 ULONGLONG deadline) {
  // Before each step, every wait gets what is left of the post's time. The
  // wait for the answer's headers has a timeout of its own, which
  // WinHttpSetTimeouts leaves at its long default.
  const auto limitWaits = [&] {
    int left = Remaining(deadline);
    DWORD response = static_cast<DWORD>(left);
    return api.SetTimeouts(request, left, left, left, left) &&
           api.SetOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &response,
                         sizeof response);
  };
  const DWORD length = static_cast<DWORD>(formBody.size());
  static const wchar_t kFormType[] = L"Content-Type: application/x-www-form-urlencoded\r\n";
  if (!limitWaits() ||
      !api.SendRequest(request, kFormType, static_cast<DWORD>(-1),
                       const_cast<char*>(formBody.data()), length, length, 0) ||
      !limitWaits() || !api.ReceiveResponse(request, nullptr))
    return FailureOf(GetLastError());

  PostResult result;
  result.Outcome = PostOutcome::Answered;
  DWORD status = 0, size = sizeof status;
  if (!api.QueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                        WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
    return FailureOf(GetLastError());
  result.HttpStatus = static_cast<int>(status);
  // The answer as far as it comes in time; a status without it still counts.
  char buffer[512];
  DWORD read = 0;
  while (result.Answer.size() < kAnswerBytes && limitWaits() &&
         api.ReadData(request, buffer, sizeof buffer, &read) && read > 0)
    result.Answer.append(buffer, read);
  return result;
}
