// Holds each new connection, without a thread of its own, until its request's
// head has arrived whole, so that slow and idle clients cannot take the
// workers that serve the others. A head that is too large, or not whole in
// time, is answered and closed here.
#pragma once

#include <sys/socket.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

struct GateLimits {
  std::chrono::seconds HeadTime{10};  // from the connection's opening
  size_t Waiting = 256;               // connections waiting at once, in all
  size_t WaitingPerAddress = 16;      // from one client address
};

class ConnectionGate {
 public:
  using Clock = std::chrono::steady_clock;
  // Gets each connection whose head has arrived, with the time its first byte did.
  using Ready = std::function<void(int fd, Clock::time_point firstByte)>;

  explicit ConnectionGate(GateLimits limits) : limits_(limits) {}
  ~ConnectionGate() { Stop(); }
  ConnectionGate(const ConnectionGate&) = delete;
  ConnectionGate& operator=(const ConnectionGate&) = delete;

  // `ready` is called from the gate's own thread.
  bool Start(Ready ready);
  // Closes every connection still waiting.
  void Stop();

  enum class Admission { ServeNow, Taken };
  // Takes a new connection. ServeNow: its head is here already, the caller
  // serves it. Taken: the gate owns it from now on.
  Admission Admit(int fd);

 private:
  struct Waiting {
    std::string Address;
    Clock::time_point Opened;
    Clock::time_point FirstByte;
    size_t Seen = 0;
  };

  void Loop();
  // Looks at what has arrived: true when the head is whole (the caller
  // releases it); a refused connection is released and closed here.
  bool Check(int fd, Waiting& waiting, bool peerDone, Clock::time_point now);
  void MakeRoomFor(const std::string& address);
  void Release(int fd);

  GateLimits limits_;
  Ready ready_;
  std::mutex mutex_;
  std::map<int, Waiting> waiting_;
  std::thread thread_;
  int epoll_ = -1;
  int wake_ = -1;
  bool running_ = false;
};
