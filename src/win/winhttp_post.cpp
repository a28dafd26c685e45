#include "win/winhttp_post.h"

#include "win/system_error.h"
#include "win/wide_text.h"

// Only what a post needs, found by name in the loaded library.
struct WinHttpPost::Api {
  decltype(&::WinHttpCrackUrl) CrackUrl;
  decltype(&::WinHttpOpen) Open;
  decltype(&::WinHttpSetStatusCallback) SetStatusCallback;
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
const size_t kAnswerBytes = 4096;
// The steps a post waits for, and the failure WinHTTP may end any of them with.
const DWORD kCompletions =
    WINHTTP_CALLBACK_FLAG_SENDREQUEST_COMPLETE | WINHTTP_CALLBACK_FLAG_HEADERS_AVAILABLE |
    WINHTTP_CALLBACK_FLAG_READ_COMPLETE | WINHTTP_CALLBACK_FLAG_REQUEST_ERROR;

// Callbacks running now, on WinHTTP's threads: a post's end waits until none
// is, after it told WinHTTP to call no more.
std::atomic<int> g_callbacksRunning{0};

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

// A failed step's error in the words the status shows.
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

// What the callbacks of one request hand the posting thread, and the bytes
// WinHTTP reads from or writes into while a step is pending.
struct Completion {
  KernelHandle Done{CreateEventA(nullptr, FALSE, FALSE, nullptr)};  // set at each callback
  DWORD Status = 0;                                                 // the last callback's
  DWORD Error = 0;                                                  // of a failure
  DWORD Bytes = 0;                                                  // of a read
  std::string Body;
  char Buffer[1024];
};

void CALLBACK OnStatus(HINTERNET, DWORD_PTR context, DWORD status, LPVOID info, DWORD length) {
  ++g_callbacksRunning;
  auto* completion = reinterpret_cast<Completion*>(context);
  if (completion != nullptr) {
    if (status == WINHTTP_CALLBACK_STATUS_REQUEST_ERROR)
      completion->Error = static_cast<const WINHTTP_ASYNC_RESULT*>(info)->dwError;
    if (status == WINHTTP_CALLBACK_STATUS_READ_COMPLETE)
      completion->Bytes = length;
    completion->Status = status;
    SetEvent(completion->Done.Get());
  }
  --g_callbacksRunning;
}

}  // namespace

// One request, step by step: each call returns at once and its callback says
// when it is done; waits end at the deadline or at an abandon.
class WinHttpPost::Exchange {
 public:
  Exchange(const Api& api, HINTERNET request, HANDLE abandoned, ULONGLONG deadline)
      : api_(api), request_(request), abandoned_(abandoned), deadline_(deadline) {}

  // After the last step: WinHTTP calls us no more, and the completion goes
  // unless WinHTTP may still write into it (a step left pending).
  ~Exchange() {
    api_.SetStatusCallback(request_, nullptr, kCompletions, 0);
    api_.CloseHandle(request_);
    for (int i = 0; i < 100 && g_callbacksRunning.load() > 0; ++i)
      Sleep(1);
    if (pending_)
      completion_.release();
  }
  Exchange(const Exchange&) = delete;
  Exchange& operator=(const Exchange&) = delete;

  PostResult Run(const std::string& formBody) {
    if (!completion_->Done)
      return FailureOf(GetLastError());
    std::string& body = completion_->Body;
    body = formBody;
    const DWORD length = static_cast<DWORD>(body.size());
    static const wchar_t kFormType[] = L"Content-Type: application/x-www-form-urlencoded\r\n";
    PostResult failure;
    if (!Step(api_.SendRequest(request_, kFormType, static_cast<DWORD>(-1), &body[0], length,
                               length, reinterpret_cast<DWORD_PTR>(completion_.get())),
              WINHTTP_CALLBACK_STATUS_SENDREQUEST_COMPLETE, failure) ||
        !Step(api_.ReceiveResponse(request_, nullptr), WINHTTP_CALLBACK_STATUS_HEADERS_AVAILABLE,
              failure))
      return failure;

    PostResult result;
    result.Outcome = PostOutcome::Answered;
    DWORD status = 0, size = sizeof status;
    if (!api_.QueryHeaders(request_, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
      return FailureOf(GetLastError());
    result.HttpStatus = static_cast<int>(status);
    // The answer as far as it comes in time; a status without it still counts.
    Completion& c = *completion_;
    while (result.Answer.size() < kAnswerBytes &&
           Step(api_.ReadData(request_, c.Buffer, sizeof c.Buffer, nullptr),
                WINHTTP_CALLBACK_STATUS_READ_COMPLETE, failure) &&
           c.Bytes > 0)
      result.Answer.append(c.Buffer, c.Bytes);
    return failure.Outcome == PostOutcome::Abandoned ? failure : result;
  }

 private:
  // Waits for the call's completion; false with the failure otherwise.
  bool Step(BOOL started, DWORD expected, PostResult& failure) {
    if (!started) {
      failure = FailureOf(GetLastError());
      return false;
    }
    pending_ = true;
    const HANDLE ends[] = {completion_->Done.Get(), abandoned_};
    ULONGLONG now = GetTickCount64();
    DWORD left = now >= deadline_ ? 0 : static_cast<DWORD>(deadline_ - now);
    DWORD woken = WaitForMultipleObjects(2, ends, FALSE, left);
    if (woken == WAIT_OBJECT_0 + 1) {
      failure = Failure(PostOutcome::Abandoned);
      return false;
    }
    if (woken != WAIT_OBJECT_0) {
      failure = Failure(PostOutcome::TimedOut);
      return false;
    }
    pending_ = false;
    if (completion_->Status != expected) {
      failure = FailureOf(completion_->Error);
      return false;
    }
    return true;
  }

  const Api& api_;
  HINTERNET request_;
  HANDLE abandoned_;
  ULONGLONG deadline_;
  std::unique_ptr<Completion> completion_ = std::make_unique<Completion>();
  bool pending_ = false;
};

WinHttpPost::WinHttpPost() : abandoned_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
WinHttpPost::~WinHttpPost() = default;

PostResult WinHttpPost::Post(const std::string& url, const std::string& formBody,
                             const std::string& userAgent, DWORD timeoutMs) {
  if (!abandoned_ || WaitForSingleObject(abandoned_.Get(), 0) == WAIT_OBJECT_0)
    return Failure(PostOutcome::Abandoned);
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  const Api* api = LoadApi();
  if (api == nullptr) {
    PostResult result = Failure(PostOutcome::Failed);
    result.Answer = "WinHTTP could not be loaded";
    return result;
  }
  return Send(*api, url, formBody, userAgent, deadline);
}

void WinHttpPost::Abandon() {
  SetEvent(abandoned_.Get());
}

const WinHttpPost::Api* WinHttpPost::LoadApi() {
  if (api_)
    return api_.get();
  // By its full path: a winhttp.dll in the host's folder is never taken.
  wchar_t folder[MAX_PATH];
  UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH)
    return nullptr;
  // Stays loaded for the life of the process: its threads may still be in a
  // closed request, and freeing it could fall into an unload of the plug-in.
  HMODULE module = LoadLibraryW((std::wstring(folder) + L"\\winhttp.dll").c_str());
  if (module == nullptr)
    return nullptr;
  auto api = std::make_unique<Api>();
  bool found = Find(module, "WinHttpCrackUrl", api->CrackUrl) &&
               Find(module, "WinHttpOpen", api->Open) &&
               Find(module, "WinHttpSetStatusCallback", api->SetStatusCallback) &&
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
                             const std::string& userAgent, ULONGLONG deadline) {
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

  InternetHandle session(
      api.Open(Widen(userAgent).c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
               WINHTTP_NO_PROXY_BYPASS, WINHTTP_FLAG_ASYNC),
      api.CloseHandle);
  if (session.Get() == nullptr || api.SetStatusCallback(session.Get(), OnStatus, kCompletions, 0) ==
                                      WINHTTP_INVALID_STATUS_CALLBACK)
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
  // WinHTTP's own limits end its work on a closed request by the same time;
  // the wait for the answer's headers has one of its own.
  ULONGLONG now = GetTickCount64();
  int limit = now >= deadline ? 1 : static_cast<int>(deadline - now);
  DWORD responseLimit = static_cast<DWORD>(limit);
  api.SetTimeouts(request, limit, limit, limit, limit);
  api.SetOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseLimit,
                sizeof responseLimit);
  PostResult result = Exchange(api, request, abandoned_.Get(), deadline).Run(formBody);
  api.SetStatusCallback(session.Get(), nullptr, kCompletions, 0);
  return result;
}
