// Ends the reading of a request whose deadline has passed: a client that
// sends a byte now and then would hold a worker for ever, since the socket's
// time-out bounds only each wait for data. From its deadline on, the socket
// tells of no data until a large amount is there, so the HTTP library's next
// wait for data times out and the request is answered (408). Shutting the
// socket down instead would make the library drop the answer too.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>

class ReadWatchdog {
 public:
  using Clock = std::chrono::steady_clock;

  ReadWatchdog();
  ~ReadWatchdog();
  ReadWatchdog(const ReadWatchdog&) = delete;
  ReadWatchdog& operator=(const ReadWatchdog&) = delete;

  // Watches the connection `fd` until Disarm; 0 when it cannot.
  uint64_t Arm(int fd, Clock::time_point deadline);
  void Disarm(uint64_t watch);

 private:
  struct Watched {
    int Fd;  // a duplicate of its own: the caller's number may be reused once closed
    Clock::time_point Deadline;
  };

  void Loop();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::map<uint64_t, Watched> watched_;
  uint64_t next_ = 1;
  bool stopping_ = false;
  std::thread thread_;
};
