#include "robot_http/connection_gate.h"

#include <netinet/in.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <vector>

#include "robot_http/request_head.h"

namespace {

using Clock = ConnectionGate::Clock;

// What has arrived, left in the socket for the HTTP library to read.
size_t Peek(int fd, std::vector<char>& buffer) {
  buffer.resize(kHeadBytes);
  ssize_t got = recv(fd, buffer.data(), buffer.size(), MSG_PEEK | MSG_DONTWAIT);
  return got > 0 ? static_cast<size_t>(got) : 0;
}

// Wakes the gate's epoll only when more than `seen` bytes are there: the
// peeked bytes stay in the socket, and would wake it at once otherwise.
void WakeBeyond(int fd, size_t seen) {
  int low = static_cast<int>(seen + 1);
  setsockopt(fd, SOL_SOCKET, SO_RCVLOWAT, &low, sizeof low);
}

std::string PeerAddress(int fd) {
  sockaddr_storage peer{};
  socklen_t size = sizeof peer;
  if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &size) != 0)
    return "";
  if (peer.ss_family == AF_INET) {
    const auto& v4 = reinterpret_cast<const sockaddr_in&>(peer);
    return std::string(reinterpret_cast<const char*>(&v4.sin_addr), sizeof v4.sin_addr);
  }
  if (peer.ss_family == AF_INET6) {
    const auto& v6 = reinterpret_cast<const sockaddr_in6&>(peer);
    return std::string(reinterpret_cast<const char*>(&v6.sin6_addr), sizeof v6.sin6_addr);
  }
  return "";
}

// A short plain answer, then the connection closed. What the client has sent
// is read first, so that the close does not reset the answer away.
void Refuse(int fd, int status, const char* reason, const std::string& message) {
  char drain[4096];
  ssize_t got;
  for (size_t drained = 0;
       drained < 4 * kHeadBytes && (got = recv(fd, drain, sizeof drain, MSG_DONTWAIT)) > 0;
       drained += static_cast<size_t>(got)) {
  }
  std::string body = message + "\n";
  std::string answer = "HTTP/1.1 " + std::to_string(status) + " " + reason +
                       "\r\nConnection: close\r\nContent-Type: text/plain; charset=utf-8\r\n"
                       "X-Content-Type-Options: nosniff\r\nContent-Length: " +
                       std::to_string(body.size()) + "\r\n\r\n" + body;
  send(fd, answer.data(), answer.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
  shutdown(fd, SHUT_WR);
  close(fd);
}

void RefuseTooLarge(int fd) {
  Refuse(fd, 431, "Request Header Fields Too Large",
         "the request's headers are larger than " + std::to_string(kHeadBytes / 1024) +
             " KB or more than " + std::to_string(kHeadLines) + " lines");
}

}  // namespace

bool ConnectionGate::Start(Ready ready) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (running_)
    return true;
  epoll_ = epoll_create1(EPOLL_CLOEXEC);
  wake_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  epoll_event event{};
  event.events = EPOLLIN;
  event.data.fd = wake_;
  if (epoll_ < 0 || wake_ < 0 || epoll_ctl(epoll_, EPOLL_CTL_ADD, wake_, &event) != 0) {
    close(epoll_);
    close(wake_);
    return false;
  }
  ready_ = std::move(ready);
  running_ = true;
  thread_ = std::thread([this] { Loop(); });
  return true;
}

void ConnectionGate::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!running_)
      return;
    running_ = false;
  }
  uint64_t one = 1;
  ssize_t woken = write(wake_, &one, sizeof one);
  (void)woken;  // a full counter wakes the loop as well
  thread_.join();
  std::lock_guard<std::mutex> lock(mutex_);
  for (const auto& entry : waiting_)
    close(entry.first);
  waiting_.clear();
  close(epoll_);
  close(wake_);
}

ConnectionGate::Admission ConnectionGate::Admit(int fd) {
  std::vector<char> buffer;
  const size_t seen = Peek(fd, buffer);
  const Clock::time_point now = Clock::now();
  switch (ScanRequestHead(std::string_view(buffer.data(), seen))) {
    case HeadState::Complete:
      return Admission::ServeNow;
    case HeadState::TooLarge:
      RefuseTooLarge(fd);
      return Admission::Taken;
    case HeadState::Incomplete:
      break;
  }
  std::string address = PeerAddress(fd);
  std::lock_guard<std::mutex> lock(mutex_);
  if (!running_) {
    close(fd);
    return Admission::Taken;
  }
  MakeRoomFor(address);
  Waiting& waiting = waiting_[fd];
  waiting = {address, now, seen > 0 ? now : Clock::time_point{}, seen};
  WakeBeyond(fd, seen);
  epoll_event event{};
  event.events = EPOLLIN | EPOLLRDHUP;
  event.data.fd = fd;
  if (epoll_ctl(epoll_, EPOLL_CTL_ADD, fd, &event) != 0) {
    waiting_.erase(fd);
    close(fd);
  }
  return Admission::Taken;
}

// The oldest waiting connection gives way: a new one may be a client whose
// head is on its way, an old one has had its chance.
void ConnectionGate::MakeRoomFor(const std::string& address) {
  auto oldest = [this](const std::string* sameAddress) {
    auto found = waiting_.end();
    size_t count = 0;
    for (auto it = waiting_.begin(); it != waiting_.end(); ++it) {
      if (sameAddress && it->second.Address != *sameAddress)
        continue;
      ++count;
      if (found == waiting_.end() || it->second.Opened < found->second.Opened)
        found = it;
    }
    return std::make_pair(found, count);
  };
  for (const std::string* which : {&address, static_cast<const std::string*>(nullptr)}) {
    auto [found, count] = oldest(which);
    size_t bound = which ? limits_.WaitingPerAddress : limits_.Waiting;
    if (found != waiting_.end() && count >= bound) {
      int fd = found->first;
      Release(fd);
      Refuse(fd, 503, "Service Unavailable",
             "too many connections are waiting for their requests; send the request at once");
    }
  }
}

void ConnectionGate::Release(int fd) {
  epoll_ctl(epoll_, EPOLL_CTL_DEL, fd, nullptr);
  waiting_.erase(fd);
}

bool ConnectionGate::Check(int fd, Waiting& waiting, bool peerDone, Clock::time_point now) {
  std::vector<char> buffer;
  const size_t seen = Peek(fd, buffer);
  if (seen > 0 && waiting.Seen == 0)
    waiting.FirstByte = now;
  waiting.Seen = seen;
  switch (ScanRequestHead(std::string_view(buffer.data(), seen))) {
    case HeadState::Complete:
      return true;
    case HeadState::TooLarge:
      Release(fd);
      RefuseTooLarge(fd);
      return false;
    case HeadState::Incomplete:
      break;
  }
  if (peerDone) {
    Release(fd);
    close(fd);
    return false;
  }
  WakeBeyond(fd, seen);
  return false;
}

void ConnectionGate::Loop() {
  std::vector<epoll_event> events(64);
  for (;;) {
    int timeoutMs = 1000;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      const Clock::time_point now = Clock::now();
      for (const auto& entry : waiting_) {
        auto left = std::chrono::ceil<std::chrono::milliseconds>(entry.second.Opened +
                                                                 limits_.HeadTime - now);
        timeoutMs = std::max(0, std::min(timeoutMs, static_cast<int>(left.count())));
      }
    }
    int count = epoll_wait(epoll_, events.data(), static_cast<int>(events.size()), timeoutMs);
    std::vector<std::pair<int, Clock::time_point>> ready;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!running_)
        return;
      const Clock::time_point now = Clock::now();
      for (int i = 0; i < count; ++i) {
        auto it = waiting_.find(events[i].data.fd);
        if (it == waiting_.end())
          continue;
        bool peerDone = events[i].events & (EPOLLRDHUP | EPOLLHUP | EPOLLERR);
        if (Check(it->first, it->second, peerDone, now)) {
          int fd = it->first;
          ready.emplace_back(fd, it->second.FirstByte);
          Release(fd);
          int low = 1;
          setsockopt(fd, SOL_SOCKET, SO_RCVLOWAT, &low, sizeof low);
        }
      }
      for (auto it = waiting_.begin(); it != waiting_.end();) {
        if (now < it->second.Opened + limits_.HeadTime) {
          ++it;
          continue;
        }
        int fd = (it++)->first;
        Release(fd);
        Refuse(fd, 408, "Request Timeout",
               "the request's headers took longer than " +
                   std::to_string(limits_.HeadTime.count()) + " s");
      }
    }
    for (const auto& [fd, firstByte] : ready)
      ready_(fd, firstByte);
  }
}
