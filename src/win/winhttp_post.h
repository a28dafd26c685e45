// Form posts through WinHTTP, which is loaded from the system folder when the
// first post goes: the plug-in imports nothing of it, and a plug-in that
// never posts never loads it.
#pragma once

#include <windows.h>
#include <winhttp.h>

#include <atomic>
#include <memory>
#include <string>

#include "core/scoreboard/post_result.h"

class WinHttpPost {
 public:
  WinHttpPost();
  ~WinHttpPost();
  WinHttpPost(const WinHttpPost&) = delete;
  WinHttpPost& operator=(const WinHttpPost&) = delete;

  // Posts `formBody` (application/x-www-form-urlencoded) to `url` (in the
  // ANSI code page, as the settings file holds it) and waits for the answer;
  // every wait on the network ends within `timeoutMs`.
  PostResult Post(const std::string& url, const std::string& formBody, const std::string& userAgent,
                  DWORD timeoutMs);
  // From another thread, for good: closes the request in flight, and every
  // post from then on ends at once as abandoned. Windows ends a pending call
  // on the closed request at once; Wine lets it run to its timeout.
  void Abandon();

 private:
  struct Api;
  const Api* LoadApi();
  PostResult Send(const Api& api, const std::string& url, const std::string& formBody,
                  const std::string& userAgent, DWORD timeoutMs);
  static PostResult Exchange(const Api& api, HINTERNET request, const std::string& formBody,
                             ULONGLONG deadline);

  std::atomic<bool> abandoned_{false};
  std::atomic<HINTERNET> request_{nullptr};
  std::unique_ptr<Api> api_;
};
