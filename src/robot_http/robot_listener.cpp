#include "robot_http/robot_listener.h"

#include <sys/socket.h>
#include <unistd.h>

#include <iostream>

#include "robot_http/connection_gate.h"
#include "robot_http/read_watchdog.h"

namespace {

using Clock = std::chrono::steady_clock;

thread_local Clock::time_point tReadDeadline = Clock::time_point::max();

// The library's handling of one connection (read, route, answer, close) is
// Server::process_and_close_socket: virtual, so that a subclass takes each
// accepted socket first, but private, so that the subclass cannot pass the
// socket on to it. Access is not checked for the names in an explicit
// instantiation, so one of the template below hands out a pointer to that
// member. Called on the routes' server, which overrides nothing, it runs the
// library's own version.
template <typename Tag, typename Tag::Member Pointer>
struct HandOut {
  friend typename Tag::Member MemberOf(Tag) { return Pointer; }
};
struct ProcessSocket {
  using Member = bool (httplib::Server::*)(socket_t);
  friend Member MemberOf(ProcessSocket);
};
template struct HandOut<ProcessSocket, &httplib::Server::process_and_close_socket>;

// Never listens itself. The library serves a connection only while its
// server's socket is open, so it is given the listener's.
class RouteServer : public httplib::Server {
 public:
  void ServeFor(socket_t listening) { svr_sock_ = listening; }
};

// Stops the gate before the workers, so that it hands them nothing more.
class Workers : public httplib::ThreadPool {
 public:
  Workers(size_t threads, ConnectionGate& gate) : ThreadPool(threads), gate_(gate) {}
  void shutdown() override {
    gate_.Stop();
    ThreadPool::shutdown();
  }

 private:
  ConnectionGate& gate_;
};

}  // namespace

struct RobotListener::Impl {
  // Accepts, and gives each connection to Take in a worker.
  class Listening : public httplib::Server {
   public:
    explicit Listening(Impl& impl) : impl_(impl) {}
    // Debian's library listens with a backlog of 5: a burst of new
    // connections overflows it, and each one dropped waits a second for the
    // SYN to be resent. Listening again on the socket widens it.
    bool WidenBacklog() { return ::listen(svr_sock_, SOMAXCONN) == 0; }
    socket_t Socket() const { return svr_sock_; }

   private:
    bool process_and_close_socket(socket_t sock) override {
      impl_.Take(sock);
      return true;
    }
    Impl& impl_;
  };

  ServerLimits Limits;
  ConnectionGate Gate;
  ReadWatchdog Watchdog;
  RouteServer Routes;
  Listening Listener{*this};

  explicit Impl(ServerLimits limits)
      : Limits(limits),
        Gate({std::chrono::seconds(limits.HeadSeconds), limits.Waiting, limits.WaitingPerAddress}) {
  }

  void Take(socket_t sock) {
    if (Gate.Admit(sock) == ConnectionGate::Admission::ServeNow)
      Serve(sock, Clock::now());
  }

  void Serve(socket_t sock, Clock::time_point firstByte) {
    const Clock::time_point deadline = firstByte + std::chrono::seconds(Limits.BodySeconds);
    uint64_t watch = Watchdog.Arm(sock, deadline);
    if (watch == 0) {
      close(sock);
      return;
    }
    tReadDeadline = deadline;
    httplib::Server& routes = Routes;
    (routes.*MemberOf(ProcessSocket()))(sock);
    tReadDeadline = Clock::time_point::max();
    Watchdog.Disarm(watch);
  }
};

RobotListener::RobotListener(ServerLimits limits) : impl_(new Impl(limits)) {
  Impl& impl = *impl_;
  for (httplib::Server* server : {static_cast<httplib::Server*>(&impl.Routes),
                                  static_cast<httplib::Server*>(&impl.Listener)}) {
    server->set_read_timeout(limits.ReadTimeoutSeconds, 0);
    server->set_write_timeout(limits.ReadTimeoutSeconds, 0);
  }
  // One request per connection: the gate and the deadline bound a
  // connection's first request only, and an idle keep-alive connection would
  // hold a worker.
  impl.Routes.set_keep_alive_max_count(1);
  impl.Listener.new_task_queue = [&impl] {
    auto* workers = new Workers(static_cast<size_t>(impl.Limits.Threads), impl.Gate);
    bool started = impl.Gate.Start([&impl, workers](int fd, Clock::time_point firstByte) {
      workers->enqueue([&impl, fd, firstByte] { impl.Serve(fd, firstByte); });
    });
    if (!started)
      std::cerr << "dkz-robot: cannot wait for slow requests; only whole ones are served\n";
    return workers;
  };
}

RobotListener::~RobotListener() = default;

httplib::Server& RobotListener::Routes() {
  return impl_->Routes;
}

int RobotListener::Bind(int port) {
  Impl::Listening& listener = impl_->Listener;
  int bound = port == 0 ? listener.bind_to_any_port("127.0.0.1")
                        : (listener.bind_to_port("127.0.0.1", port) ? port : -1);
  if (bound > 0 && !listener.WidenBacklog())
    return -1;
  if (bound > 0)
    impl_->Routes.ServeFor(listener.Socket());
  return bound;
}

bool RobotListener::Run() {
  return impl_->Listener.listen_after_bind();
}

void RobotListener::Stop() {
  impl_->Listener.stop();
  impl_->Routes.ServeFor(INVALID_SOCKET);
}

std::chrono::steady_clock::time_point RobotListener::ReadDeadline() {
  return tReadDeadline;
}
