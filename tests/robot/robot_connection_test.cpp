// The robot's connections on 127.0.0.1: how much of a request's head it
// takes, and that clients who send slowly or not at all hold no worker and are
// answered at their deadlines.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include <httplib.h>

#include "robot_http/request_head.h"
#include "robot_test_logs.h"

namespace {

using namespace std::chrono_literals;

std::string HeadOfLines(size_t lines) {
  std::string head = "GET / HTTP/1.1\r\n";
  for (size_t n = 2; n < lines; ++n)
    head += "X-" + std::to_string(n) + ": y\r\n";
  return head + "\r\n";
}

std::string HeadOfBytes(size_t bytes) {
  const std::string start = "GET / HTTP/1.1\r\nX-Pad: ";
  return start + std::string(bytes - start.size() - 4, 'a') + "\r\n\r\n";
}

std::string Unfinished(const std::string& head) {
  return head.substr(0, head.size() - 2);
}

TEST(RequestHead, IsWholeOnlyWithinItsBounds) {
  struct Case {
    const char* Name;
    std::string Seen;
    HeadState State;
  };
  const std::vector<Case> cases = {
      {"nothing yet", "", HeadState::Incomplete},
      {"headers under way", "GET / HTTP/1.1\r\nHost: x\r\n", HeadState::Incomplete},
      {"whole", "GET / HTTP/1.1\r\nHost: x\r\n\r\n", HeadState::Complete},
      {"whole, a body after it", "POST / HTTP/1.1\r\nContent-Length: 3\r\n\r\nabc",
       HeadState::Complete},
      // The HTTP library ends a head only with a CRLF line.
      {"ended by a bare LF", "GET / HTTP/1.1\nHost: x\n\n", HeadState::Incomplete},
      {"the most bytes", HeadOfBytes(kHeadBytes), HeadState::Complete},
      {"a byte more", HeadOfBytes(kHeadBytes + 1), HeadState::TooLarge},
      {"the most bytes, unfinished", Unfinished(HeadOfBytes(kHeadBytes + 2)), HeadState::TooLarge},
      {"the most lines", HeadOfLines(kHeadLines), HeadState::Complete},
      {"a line more", HeadOfLines(kHeadLines + 1), HeadState::TooLarge},
      // The blank line left out: the lines so far are one too many.
      {"a line more, unfinished", Unfinished(HeadOfLines(kHeadLines + 2)), HeadState::TooLarge},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScanRequestHead(c.Seen), c.State) << c.Name;
}

// A connection of the test's own.
class Connection {
 public:
  explicit Connection(int port) : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    timeval timeout{20, 0};
    setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  }
  ~Connection() { close(fd_); }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  bool Send(const std::string& bytes) {
    return send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(bytes.size());
  }
  bool Answered(std::chrono::milliseconds wait) const {
    pollfd answer{fd_, POLLIN, 0};
    return poll(&answer, 1, static_cast<int>(wait.count())) > 0;
  }
  // The status the robot answered before it closed; 0 for none.
  int Status() {
    std::string answer;
    char buffer[4096];
    ssize_t got;
    while ((got = recv(fd_, buffer, sizeof buffer, 0)) > 0)
      answer.append(buffer, static_cast<size_t>(got));
    return answer.size() > 12 ? std::atoi(answer.c_str() + 9) : 0;
  }
  // Sends `bytes` one at a time, `pause` apart, until the robot answers.
  void Trickle(const std::string& bytes, std::chrono::milliseconds pause) {
    for (char byte : bytes)
      if (!Send(std::string(1, byte)) || Answered(pause))
        return;
  }

 private:
  int fd_;
};

using Connections = std::vector<std::unique_ptr<Connection>>;

Connections Open(int port, size_t count) {
  Connections connections;
  for (size_t n = 0; n < count; ++n)
    connections.push_back(std::make_unique<Connection>(port));
  return connections;
}

class RobotConnectionTest : public testing::Test {
 protected:
  explicit RobotConnectionTest(ServerLimits limits = Limits()) : robot_({}, limits) {}

  static ServerLimits Limits() {
    ServerLimits limits;
    limits.ReadTimeoutSeconds = 2;
    limits.HeadSeconds = 2;
    limits.BodySeconds = 2;
    limits.WaitingPerAddress = 64;
    return limits;
  }

  // A client that gives up after a generous time: an answer at all is what counts.
  httplib::Client Client() {
    httplib::Client client("127.0.0.1", robot_.Port());
    client.set_connection_timeout(10, 0);
    client.set_read_timeout(10, 0);
    return client;
  }

  RunningRobot robot_;
};

TEST_F(RobotConnectionTest, HeadsBeyondTheirBoundsAreRefused) {
  struct Case {
    const char* Name;
    std::string Head;
    int Status;
  };
  const std::vector<Case> cases = {
      {"95 lines", HeadOfLines(95), 200},
      {"150 lines", HeadOfLines(150), 431},
      {"a header of 20 KB", HeadOfBytes(20 * 1024), 431},
      {"40,000 headers of 8 KB", "", 431},
  };
  for (const Case& c : cases) {
    Connection connection(robot_.Port());
    if (c.Head.empty()) {
      // A flood: the robot refuses it long before its end.
      const std::string header = "X-Pad: " + std::string(8000, 'a') + "\r\n";
      connection.Send("GET / HTTP/1.1\r\n");
      for (int n = 0; n < 40000 && connection.Send(header) && !connection.Answered(0ms); ++n) {
      }
    } else {
      connection.Send(c.Head);
    }
    EXPECT_EQ(connection.Status(), c.Status) << c.Name;
  }
}

// More connections than workers, sending their heads a byte at a time or
// nothing at all.
TEST_F(RobotConnectionTest, SlowAndIdleConnectionsHoldNoWorker) {
  Connections slow = Open(robot_.Port(), 12);
  Connections idle = Open(robot_.Port(), 12);
  std::atomic<bool> done{false};
  std::thread trickler([&] {
    const std::string head = "GET / HTTP/1.1\r\nHost: x\r\nX-Slow: 0123456789abcdef\r\n\r\n";
    for (size_t at = 0; at < head.size() && !done; ++at) {
      for (auto& connection : slow)
        connection->Send(head.substr(at, 1));
      std::this_thread::sleep_for(200ms);
    }
  });
  httplib::Client client = Client();
  httplib::Result upload =
      client.Post("/api/logs", httplib::MultipartFormDataItems{{"log", TestLog(), "a.cbr", ""}});
  httplib::Result page = client.Get("/");
  done = true;
  trickler.join();
  ASSERT_TRUE(upload);
  EXPECT_EQ(upload->status, 201);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  // Each is answered at its head's deadline.
  for (auto& connection : slow)
    EXPECT_EQ(connection->Status(), 408);
  for (auto& connection : idle)
    EXPECT_EQ(connection->Status(), 408);
}

TEST_F(RobotConnectionTest, ABodyTrickledPastItsDeadlineIsAnswered) {
  const std::string preamble =
      "--trickled\r\nContent-Disposition: form-data; name=\"log\"; filename=\"a.cbr\"\r\n"
      "Content-Type: text/plain\r\n\r\n";
  Connection connection(robot_.Port());
  connection.Send(
      "POST /api/logs HTTP/1.1\r\nHost: x\r\nContent-Type: multipart/form-data; "
      "boundary=trickled\r\nContent-Length: " +
      std::to_string(preamble.size() + 100) + "\r\n\r\n");
  // The form sees no data until the preamble is whole: only the deadline ends it.
  connection.Trickle(preamble, 300ms);
  EXPECT_EQ(connection.Status(), 408);
  EXPECT_TRUE(robot_.Service().Db().All().empty());
}

class CrowdedAddressTest : public RobotConnectionTest {
 protected:
  CrowdedAddressTest() : RobotConnectionTest(Limits()) {}
  static ServerLimits Limits() {
    ServerLimits limits = RobotConnectionTest::Limits();
    limits.HeadSeconds = 60;  // so that any answer below comes from the bound
    limits.WaitingPerAddress = 4;
    return limits;
  }
};

TEST_F(CrowdedAddressTest, TheOldestWaitingConnectionsOfAnAddressGiveWay) {
  Connections idle = Open(robot_.Port(), 6);
  size_t answered = 0;
  for (int tries = 0; tries < 100 && answered < 2; ++tries) {
    answered = 0;
    for (auto& connection : idle)
      answered += connection->Answered(100ms) ? 1 : 0;
  }
  EXPECT_EQ(answered, 2u);
  // A client whose request arrives at once is served all the same.
  httplib::Client client = Client();
  httplib::Result page = client.Get("/");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  for (auto& connection : idle) {
    if (connection->Answered(0ms)) {
      EXPECT_EQ(connection->Status(), 503);
    }
  }
}

}  // namespace
