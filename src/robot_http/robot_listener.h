// The robot's listening socket and what each connection may take before its
// request is served: its head must arrive whole within a bound of bytes,
// lines and time (ConnectionGate, which holds no worker), and its head and
// body must be read within a bound from its first byte (ReadWatchdog). Then
// the HTTP library serves it with the routes.
#pragma once

#include <chrono>
#include <memory>

#include <httplib.h>

struct ServerLimits {
  int Threads = 32;
  int ReadTimeoutSeconds = 10;    // for each read or write of the socket
  int HeadSeconds = 10;           // for a request's head, from the connection's opening
  int BodySeconds = 60;           // for a whole request, from its first byte
  size_t WaitingPerAddress = 16;  // connections still sending their heads
  size_t Waiting = 256;
};

class RobotListener {
 public:
  explicit RobotListener(ServerLimits limits);
  ~RobotListener();
  RobotListener(const RobotListener&) = delete;
  RobotListener& operator=(const RobotListener&) = delete;

  // Where the routes and the library's settings go.
  httplib::Server& Routes();

  // Binds 127.0.0.1:port; port 0 takes a free one. Returns the port, or -1.
  int Bind(int port);
  // Serves until Stop(); false when it could not.
  bool Run();
  void Stop();

  // While a worker serves a request: the time by which its body must be read.
  static std::chrono::steady_clock::time_point ReadDeadline();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
