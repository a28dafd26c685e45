// Form posts through WinHTTP, which is loaded from the system folder when the
// first post goes: the plug-in imports nothing of it, and a plug-in that
// never posts never loads it.
//
// Posts run in WinHTTP's asynchronous mode: the posting thread waits on
// events of its own, never inside WinHTTP, so a post ends at its deadline or
// at an abandon on any system (Wine lets even a closed request run on to its
// timeout, but inside WinHTTP, whose threads no longer call us).
#pragma once

#include <windows.h>
#include <winhttp.h>

#include <atomic>
#include <memory>
#include <string>

#include "core/scoreboard/post_result.h"
#include "win/unique_handle.h"

class WinHttpPost {
 public:
  WinHttpPost();
  ~WinHttpPost();
  WinHttpPost(const WinHttpPost&) = delete;
  WinHttpPost& operator=(const WinHttpPost&) = delete;

  // Posts `formBody` (application/x-www-form-urlencoded) to `url` (in the
  // ANSI code page, as the settings file holds it) and waits for the answer,
  // at most `timeoutMs` for the whole post.
  PostResult Post(const std::string& url, const std::string& formBody, const std::string& userAgent,
                  DWORD timeoutMs);
  // From another thread, for good: the post in flight ends at once as
  // abandoned, and so does every later one.
  void Abandon();

 private:
  struct Api;
  class Exchange;
  const Api* LoadApi();
  PostResult Send(const Api& api, const std::string& url, const std::string& formBody,
                  const std::string& userAgent, ULONGLONG deadline);

  KernelHandle abandoned_;  // manual-reset event
  std::unique_ptr<Api> api_;
};
