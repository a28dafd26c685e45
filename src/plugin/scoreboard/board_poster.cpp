// The poster thread and its control from the host's thread.
//
// The thread waits on events of its own, in a post too (WinHttpPost), so the
// unload finds it gone from our code at once. What the two threads share
// lives in one PosterShared, which the thread holds for as long as it runs.
#include "plugin/scoreboard/board_poster.h"

#include <windows.h>

#include <atomic>
#include <memory>

#include "core/base/date_time.h"
#include "core/scoreboard/score_poster.h"
#include "dkz_version.h"
#include "plugin/scoreboard/score_snapshot.h"
#include "win/module.h"
#include "win/profile_section.h"
#include "win/unique_handle.h"
#include "win/winhttp_post.h"

namespace {

const DWORD kPostTimeoutMs = 10000;
// The unload waits this long at most, from the abandon, for the thread to
// leave our code.
const DWORD kUnloadBoundMs = 500;
// A thread that has ended its loop has only its return left.
const DWORD kEndBoundMs = 200;
// Room for a long address with its query.
const size_t kScoreboardValueBytes = 2048;

// Owns the lock of an SRWLOCK, which needs no destruction, so the thread may
// use it after the library's globals are gone.
class ExclusiveLock {
 public:
  explicit ExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
  ~ExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
  ExclusiveLock(const ExclusiveLock&) = delete;
  ExclusiveLock& operator=(const ExclusiveLock&) = delete;

 private:
  SRWLOCK& lock_;
};

struct PosterShared {
  // Set for a new summary, new settings or the unload (auto-reset).
  KernelHandle Wake{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
  // Raised by the host's thread after each summary; lowered by the poster as
  // it copies the score, so that a burst of summaries wakes it once.
  std::atomic<bool> SummaryPending{false};
  // Raised by the host's thread at the first summary after the start.
  std::atomic<bool> SummarySeen{false};
  std::atomic<bool> Unloading{false};  // raised by the unload
  WinHttpPost Http;

  SRWLOCK Lock = SRWLOCK_INIT;  // guards the two below
  BoardSettings Board;          // written by the host's thread
  bool Ended = false;           // raised by the poster as it leaves its loop
};

// Host's thread: the running poster and its thread, or none.
std::shared_ptr<PosterShared> g_poster;
KernelHandle g_thread;
// Raised by the poster thread as the last thing it does in our code; static,
// trivially destroyed storage outlives the library's end should it be pinned.
std::atomic<bool> g_threadLeaving{false};
// When the unload stops waiting for the thread (GetTickCount64).
ULONGLONG g_unloadDeadline = 0;

class HttpBoardLink : public BoardLink {
 public:
  explicit HttpBoardLink(WinHttpPost& http) : http_(http) {}
  PostResult Post(const std::string& url, const std::string& formBody) override {
    return http_.Post(url, formBody, DKZ_PRODUCT_NAME "/" DKZ_VERSION_TEXT, kPostTimeoutMs);
  }

 private:
  WinHttpPost& http_;
};

CalendarTime UtcNow() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

// The board's settings for the next turn; none when the board is gone, which
// ends the loop.
bool BoardForTurn(PosterShared& shared, BoardSettings& board) {
  ExclusiveLock lock(shared.Lock);
  shared.Ended = !shared.Board.On();
  board = shared.Board;
  return !shared.Ended;
}

void RunPoster(PosterShared& shared) {
  HttpBoardLink link(shared.Http);
  ProfileSection section(ScoreboardSection, kScoreboardValueBytes);
  ScorePoster poster(link, section);
  const auto snapshot = [&] {
    shared.SummaryPending.store(false);
    return TakeScorePost();
  };
  int64_t wait = ScorePoster::kUntilNewSummary;
  for (;;) {
    WaitForSingleObject(shared.Wake.Get(), wait == ScorePoster::kUntilNewSummary
                                               ? INFINITE
                                               : static_cast<DWORD>(wait));
    BoardSettings board;
    if (shared.Unloading.load() || !BoardForTurn(shared, board))
      return;
    if (!shared.SummarySeen.load())
      continue;
    wait = poster.Turn(board, snapshot, static_cast<int64_t>(GetTickCount64()), UtcNow());
  }
}

DWORD WINAPI PosterThreadProc(void* parameter) {
  {
    const std::shared_ptr<PosterShared> shared = *std::unique_ptr<std::shared_ptr<PosterShared>>(
        static_cast<std::shared_ptr<PosterShared>*>(parameter));
    try {
      RunPoster(*shared);
    } catch (...) {
      ExclusiveLock lock(shared->Lock);
      shared->Ended = true;
    }
  }
  g_threadLeaving.store(true);
  return 0;
}

void StartPoster(const BoardSettings& board) {
  auto shared = std::make_shared<PosterShared>();
  if (!shared->Wake)
    return;
  shared->Board = board;
  auto parameter = std::make_unique<std::shared_ptr<PosterShared>>(shared);
  g_threadLeaving.store(false);
  g_thread.Reset(CreateThread(nullptr, 0, PosterThreadProc, parameter.get(), 0, nullptr));
  if (!g_thread)
    return;
  parameter.release();  // the thread frees it
  g_poster = std::move(shared);
}

// Hands the running poster new settings; false when it has ended its loop.
bool Retune(PosterShared& shared, const BoardSettings& board) {
  {
    ExclusiveLock lock(shared.Lock);
    if (shared.Ended)
      return false;
    shared.Board = board;
  }
  SetEvent(shared.Wake.Get());
  return true;
}

}  // namespace

void ConfigureBoardPoster() {
  ProfileSection section(ScoreboardSection, kScoreboardValueBytes);
  const BoardSettings board = ReadBoardSettings(section);
  if (g_poster) {
    if (Retune(*g_poster, board))
      return;
    // It ended when its board went; a new one starts once it has returned.
    if (WaitForSingleObject(g_thread.Get(), kEndBoundMs) != WAIT_OBJECT_0)
      return;
    g_thread.Reset();
    g_poster.reset();
  }
  if (board.On())
    StartPoster(board);
}

void NoteNewSummary() {
  PosterShared* shared = g_poster.get();
  if (shared == nullptr)
    return;
  shared->SummarySeen.store(true);
  if (!shared->SummaryPending.exchange(true))
    SetEvent(shared->Wake.Get());
}

void AbandonBoardPostForUnload() {
  if (!g_poster)
    return;
  g_unloadDeadline = GetTickCount64() + kUnloadBoundMs;
  g_poster->Unloading.store(true);
  g_poster->Http.Abandon();
  SetEvent(g_poster->Wake.Get());
  g_poster.reset();  // the thread keeps its own share
}

void StopBoardPosterForUnload() {
  if (!g_thread)
    return;
  const ULONGLONG deadline = g_unloadDeadline;
  bool left = false;
  while (!(left = ThreadHasLeftModule(g_thread.Get(), g_threadLeaving)) &&
         GetTickCount64() < deadline)
    Sleep(1);
  if (left) {
    g_thread.Reset();
    return;
  }
  // Still in our code (waiting for the loader lock, say): keep the code
  // mapped rather than let the thread run into nothing, and leave it its handle.
  g_thread.Release();
  PinModule();
}
