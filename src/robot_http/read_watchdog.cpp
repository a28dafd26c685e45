#include "robot_http/read_watchdog.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Within the socket's receive buffer, so that the kernel does not grow it.
const int kUnreachedBytes = 64 * 1024;

}  // namespace

ReadWatchdog::ReadWatchdog() : thread_([this] { Loop(); }) {}

ReadWatchdog::~ReadWatchdog() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
  for (const auto& entry : watched_)
    close(entry.second.Fd);
}

uint64_t ReadWatchdog::Arm(int fd, Clock::time_point deadline) {
  int own = fcntl(fd, F_DUPFD_CLOEXEC, 0);
  if (own < 0)
    return 0;
  std::lock_guard<std::mutex> lock(mutex_);
  uint64_t watch = next_++;
  watched_[watch] = {own, deadline};
  changed_.notify_all();
  return watch;
}

void ReadWatchdog::Disarm(uint64_t watch) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = watched_.find(watch);
  if (it == watched_.end())
    return;
  close(it->second.Fd);
  watched_.erase(it);
}

void ReadWatchdog::Loop() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stopping_) {
    auto next = Clock::time_point::max();
    for (const auto& entry : watched_)
      next = std::min(next, entry.second.Deadline);
    if (next == Clock::time_point::max())
      changed_.wait(lock);
    else
      changed_.wait_until(lock, next);
    const Clock::time_point now = Clock::now();
    for (auto& entry : watched_) {
      if (entry.second.Deadline <= now) {
        setsockopt(entry.second.Fd, SOL_SOCKET, SO_RCVLOWAT, &kUnreachedBytes,
                   sizeof kUnreachedBytes);
        entry.second.Deadline = Clock::time_point::max();  // once; closed by Disarm
      }
    }
  }
}
