// The robot over HTTP on 127.0.0.1: what scripts and browsers get back, and
// what hostile requests get.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include <httplib.h>

#include "robot/sha256.h"
#include "robot_test_logs.h"

namespace {

const char kBoundary[] = "robotTestBoundary7";

std::string Part(const std::string& name, const std::string& fileName, const std::string& content) {
  return std::string("--") + kBoundary + "\r\nContent-Disposition: form-data; name=\"" + name +
         "\"" + (fileName.empty() ? "" : "; filename=\"" + fileName + "\"") + "\r\n\r\n" + content +
         "\r\n";
}

std::string End() {
  return std::string("--") + kBoundary + "--\r\n";
}

std::string FormBody(const std::string& log, const std::string& fileName,
                     const std::string& email = "") {
  return Part("log", fileName, log) + (email.empty() ? "" : Part("email", "", email)) + End();
}

std::string FormType() {
  return std::string("multipart/form-data; boundary=") + kBoundary;
}

// Whatever the server answers on a connection of our own, after `request`
// was sent in pieces of `piece` bytes, `pause` apart (or until it answers).
std::string RawExchange(int port, const std::string& request, size_t piece = 0,
                        std::chrono::milliseconds pause = {}) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return "";
  }
  timeval timeout{20, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  size_t step = piece == 0 ? request.size() : piece;
  for (size_t at = 0; at < request.size(); at += step) {
    if (send(fd, request.data() + at, std::min(step, request.size() - at), MSG_NOSIGNAL) < 0)
      break;
    pollfd answered{fd, POLLIN, 0};
    if (poll(&answered, 1, static_cast<int>(pause.count())) > 0)
      break;
  }
  std::string answer;
  char buffer[4096];
  ssize_t got;
  while ((got = recv(fd, buffer, sizeof buffer, 0)) > 0)
    answer.append(buffer, static_cast<size_t>(got));
  close(fd);
  return answer;
}

int StatusOf(const std::string& raw) {
  return raw.size() > 12 ? std::atoi(raw.c_str() + 9) : 0;
}

// The value of a header in a raw answer; "" when it has none.
std::string HeaderOf(const std::string& raw, const std::string& name) {
  size_t at = raw.find("\r\n" + name + ": ");
  if (at == std::string::npos)
    return "";
  at += name.size() + 4;
  return raw.substr(at, raw.find("\r\n", at) - at);
}

class RobotHttpTest : public testing::Test {
 protected:
  explicit RobotHttpTest(RobotSettings settings = Small(), ServerLimits limits = {})
      : robot_(settings, limits), client_("127.0.0.1", robot_.Port()) {
    client_.set_read_timeout(30, 0);
  }

  static RobotSettings Small() {
    RobotSettings settings;
    settings.MaxLogBytes = 64 * 1024;
    return settings;
  }

  httplib::Result Upload(const std::string& log, const std::string& fileName = "log.cbr",
                         const std::string& email = "") {
    return client_.Post("/api/logs", FormBody(log, fileName, email), FormType().c_str());
  }

  size_t Stored() { return robot_.Service().Db().All().size(); }

  RunningRobot robot_;
  httplib::Client client_;
};

TEST_F(RobotHttpTest, ReceiptHoldsWhatWasStoredAndThePagesShowIt) {
  std::string log = TestLog("DL4MCF", 30);
  httplib::Result res = Upload(log, "C:\\logs\\dl4mcf.cbr", "op@example.org");
  ASSERT_TRUE(res);
  ASSERT_EQ(res->status, 201) << res->body;
  const std::string sha = Sha256Hex(log);
  for (const char* part : {"\"id\": 1,", "\"call\": \"DL4MCF\"", "\"lines_read\": 30",
                           "\"computed_score\": 300", "\"warnings\": []", "\"counts\": true"})
    EXPECT_NE(res->body.find(part), std::string::npos) << part << " in " << res->body;
  EXPECT_NE(res->body.find("\"sha256\": \"" + sha + "\""), std::string::npos);
  EXPECT_EQ(res->get_header_value("Location"), "/api/logs/1");
  EXPECT_EQ(robot_.Service().Blobs().Read(sha), log);

  httplib::Result json = client_.Get("/api/logs/1");
  ASSERT_TRUE(json);
  // The resubmission key is in the upload's answer alone, last.
  size_t key = res->body.find(", \"resubmission_key\": ");
  ASSERT_NE(key, std::string::npos);
  EXPECT_EQ(json->body, res->body.substr(0, key) + "}");
  httplib::Result page = client_.Get("/receipts/1");
  ASSERT_TRUE(page);
  EXPECT_NE(page->body.find(sha), std::string::npos);
  EXPECT_NE(page->get_header_value("Content-Security-Policy").find("default-src 'none'"),
            std::string::npos);
  EXPECT_EQ(page->get_header_value("X-Content-Type-Options"), "nosniff");
  httplib::Result received = client_.Get("/received");
  ASSERT_TRUE(received);
  EXPECT_NE(received->body.find("<a href=\"/calls/DL4MCF\">DL4MCF</a>"), std::string::npos);
  httplib::Result list = client_.Get("/api/logs");
  ASSERT_TRUE(list);
  EXPECT_NE(list->body.find("\"call\": \"DL4MCF\""), std::string::npos);
}

TEST_F(RobotHttpTest, MarkupSentInAnyFieldIsShownAsText) {
  const std::string script = "<script>alert(1)</script>";
  std::string log = TestLogWithLines("DL4MCF",
                                     "CATEGORY-OPERATOR: " + script +
                                         "\nCATEGORY-POWER: LOW\nSOAPBOX: " + script + "\n" +
                                         script + "-TAG: x\n",
                                     "QSO:  7012 CW 2023-06-10 0900 DL4MCF 599 1 JA1AAA 599 AT\n"
                                     "QSO:  7012 CW 2023-06-10 0901 DL4MCF 599 1 " +
                                         script + " 599 AT\n");
  httplib::Result res = Upload(log, script + ".cbr", script + "@example.org");
  ASSERT_TRUE(res);
  ASSERT_EQ(res->status, 201) << res->body;
  for (const char* path : {"/receipts/1", "/received", "/calls/DL4MCF"}) {
    httplib::Result page = client_.Get(path);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->body.find("<script"), std::string::npos) << path;
  }
  httplib::Result receipt = client_.Get("/receipts/1");
  EXPECT_NE(receipt->body.find("&lt;script&gt;alert(1)&lt;/script&gt;.cbr"), std::string::npos);
  // JSON escapes no markup, but is served as JSON and never sniffed as a page.
  EXPECT_EQ(res->get_header_value("Content-Type"), "application/json; charset=utf-8");

  httplib::Result refused = Upload("<html><body>" + script + "</body></html>", script);
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->status, 422);
  httplib::Result page =
      client_.Post("/upload", FormBody("<b>" + script, script), FormType().c_str());
  ASSERT_TRUE(page);
  EXPECT_NE(page->body.find("was not taken"), std::string::npos);
  EXPECT_EQ(page->body.find("<script"), std::string::npos);
  EXPECT_EQ(Stored(), 1u);

  // A name with a path, a device and control characters is shown, never used.
  const std::string log2 = TestLog("OK1XX");
  ASSERT_EQ(Upload(log2, "..\\..\\CON\x1b[31m\x7f.cbr")->status, 201);
  EXPECT_EQ(robot_.Service().Db().Find(2)->FileName, "..\\..\\CON [31m .cbr");
  EXPECT_EQ(robot_.Service().Blobs().Read(Sha256Hex(log2)), log2);
}

TEST_F(RobotHttpTest, RefusedUploadsAreAnsweredAndStoreNothing) {
  struct Case {
    const char* Name;
    std::string Body;
    int Status;
  };
  const std::string good = TestLog();
  const std::vector<Case> cases = {
      {"empty file", FormBody("", "empty.cbr"), 422},
      {"binary",
       FormBody(std::string("\x7f"
                            "ELF\x02\x01\x01\0\0\0",
                            10) +
                    good,
                "a.out"),
       422},
      {"not a form", good, 400},
      {"no log field", Part("email", "", "a@b.c") + End(), 400},
      {"two logs", Part("log", "a.cbr", good) + Part("log", "b.cbr", good) + End(), 400},
      {"over the limit", FormBody(std::string(65 * 1024, 'Q'), "big.cbr"), 413},
      {"megabyte line", FormBody(good + std::string(1 << 20, 'X') + "\n", "long.cbr"), 413},
  };
  for (const Case& c : cases) {
    httplib::Result res =
        client_.Post("/api/logs", c.Body,
                     c.Name == std::string("not a form") ? "text/plain" : FormType().c_str());
    ASSERT_TRUE(res) << c.Name;
    EXPECT_EQ(res->status, c.Status) << c.Name << ": " << res->body;
    EXPECT_EQ(res->get_header_value("Content-Type"), "application/json; charset=utf-8") << c.Name;
  }
  EXPECT_EQ(Stored(), 0u);
  EXPECT_TRUE(robot_.Service().Blobs().List().empty());
}

// The library reads chunked and length-less bodies with no limit of its own.
TEST_F(RobotHttpTest, BodiesWithoutALengthAreBoundedOrRefused) {
  std::string big = FormBody(std::string(200 * 1024, 'Q'), "big.cbr");
  httplib::Result chunked = client_.Post(
      "/api/logs",
      [&big](size_t offset, httplib::DataSink& sink) {
        if (offset < big.size())
          return sink.write(big.data() + offset, std::min<size_t>(8192, big.size() - offset));
        sink.done();
        return true;
      },
      FormType().c_str());
  ASSERT_TRUE(chunked);
  EXPECT_EQ(chunked->status, 413);

  std::string small = FormBody(TestLog(), "ok.cbr");
  std::string head = "POST /api/logs HTTP/1.1\r\nHost: x\r\nContent-Type: " + FormType() + "\r\n";
  EXPECT_EQ(StatusOf(RawExchange(robot_.Port(), head + "Connection: close\r\n\r\n" + small)), 411);
  EXPECT_EQ(
      StatusOf(RawExchange(robot_.Port(), head + "Content-Encoding: gzip\r\nContent-Length: " +
                                              std::to_string(small.size()) + "\r\n\r\n" + small)),
      415);
  EXPECT_EQ(
      StatusOf(RawExchange(robot_.Port(),
                           head + "Content-Length: 99999999999\r\nExpect: 100-continue\r\n\r\n")),
      413);
  EXPECT_EQ(Stored(), 0u);
}

// What a route does not take is refused from the request's head, before any
// of a body is read.
TEST_F(RobotHttpTest, ABodyOrAMethodARouteDoesNotTakeIsRefusedUnread) {
  struct Case {
    const char* Name;
    std::string Head;
    int Status;
    const char* Allow;
  };
  const std::vector<Case> cases = {
      {"20 MB to the sponsor's form", "POST /sponsor/check HTTP/1.1\r\nContent-Length: 20000000",
       413, ""},
      {"the same, waiting to send it",
       "POST /sponsor/check HTTP/1.1\r\nContent-Length: 20000000\r\nExpect: 100-continue", 413, ""},
      {"a chunked body to the sponsor's form",
       "POST /sponsor/archive HTTP/1.1\r\nTransfer-Encoding: chunked", 411, ""},
      {"a body to a page", "GET / HTTP/1.1\r\nContent-Length: 10", 413, ""},
      {"PUT of the logs", "PUT /api/logs HTTP/1.1\r\nContent-Length: 0", 405, "GET, HEAD, POST"},
      {"DELETE of a receipt", "DELETE /receipts/1 HTTP/1.1", 405, "GET, HEAD"},
      {"OPTIONS of the upload page", "OPTIONS / HTTP/1.1", 405, "GET, HEAD"},
      {"PATCH of the check", "PATCH /sponsor/check HTTP/1.1\r\nContent-Length: 0", 405, "POST"},
      {"GET of the upload form's target", "GET /upload HTTP/1.1", 405, "POST"},
  };
  for (const Case& c : cases) {
    std::string answer = RawExchange(robot_.Port(), c.Head + "\r\nHost: x\r\n\r\n");
    EXPECT_EQ(StatusOf(answer), c.Status) << c.Name << ": " << answer.substr(0, 200);
    EXPECT_EQ(HeaderOf(answer, "Allow"), c.Allow) << c.Name;
  }
}

// A request for parts of an answer gets it whole: thousands of ranges would
// multiply it, and the library would cut even an error page by them.
TEST_F(RobotHttpTest, RangesAreNotServed) {
  httplib::Result whole = client_.Get("/");
  ASSERT_TRUE(whole);
  std::string thousands = "bytes=0-";
  for (int n = 0; n < 2700; ++n)
    thousands += ",0-";
  for (const std::string& ranges : {thousands, std::string("bytes=0-9")}) {
    httplib::Result res = client_.Get("/", {{"Range", ranges}});
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200);
    EXPECT_EQ(res->body, whole->body);
    EXPECT_FALSE(res->has_header("Content-Range"));
  }
  httplib::Result missing = client_.Get("/receipts/99", {{"Range", "bytes=0-3"}});
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->status, 404);
  EXPECT_NE(missing->body.find("no log with this id"), std::string::npos);
}

class SlowClientTest : public RobotHttpTest {
 protected:
  SlowClientTest() : RobotHttpTest(Small(), Limits()) {}
  static ServerLimits Limits() {
    ServerLimits limits;
    limits.BodySeconds = 1;
    limits.ReadTimeoutSeconds = 2;
    return limits;
  }
};

TEST_F(SlowClientTest, AnUploadThatNeverFinishesEndsWithoutAReceipt) {
  std::string body = FormBody(TestLog(), "slow.cbr");
  std::string request = "POST /api/logs HTTP/1.1\r\nHost: x\r\nContent-Type: " + FormType() +
                        "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n";
  // A trickle that would take minutes: cut off by the body's deadline.
  auto started = std::chrono::steady_clock::now();
  std::string answer = RawExchange(robot_.Port(), request + body.substr(0, 1200), 300,
                                   std::chrono::milliseconds(400));
  EXPECT_EQ(StatusOf(answer), 408) << answer.substr(0, 200);
  // A body that stops arriving: the read time-out ends it.
  answer = RawExchange(robot_.Port(), request + body.substr(0, 100));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(15));
  EXPECT_EQ(Stored(), 0u);
}

TEST_F(RobotHttpTest, TheSponsorsSideWantsTheTokenOutsideTheUrl) {
  ASSERT_EQ(Upload(TestLog("DL4MCF", 20))->status, 201);
  ASSERT_EQ(Upload(TestLog("OK1XX", 20))->status, 201);
  const std::string token = robot_.Token();
  struct Case {
    const char* Name;
    std::string Path;
    httplib::Headers Headers;
    std::string Form;
    int Status;
  };
  const std::vector<Case> cases = {
      {"none", "/sponsor/check", {}, "", 401},
      {"wrong", "/sponsor/check", {{"X-Sponsor-Token", token + "x"}}, "", 403},
      {"short", "/sponsor/archive", {}, "token=" + token.substr(0, 5), 403},
      {"in the url", "/sponsor/check?token=" + token, {}, "x=1", 400},
      {"from another site",
       "/sponsor/check",
       {{"Sec-Fetch-Site", "cross-site"}},
       "token=" + token,
       403},
      {"header", "/sponsor/check", {{"Authorization", "Bearer " + token}}, "", 200},
      {"any case of the scheme", "/sponsor/check", {{"Authorization", "bEARER " + token}}, "", 200},
      {"form", "/sponsor/check", {}, "token=" + token, 303},
  };
  for (const Case& c : cases) {
    httplib::Result res =
        client_.Post(c.Path.c_str(), c.Headers, c.Form, "application/x-www-form-urlencoded");
    ASSERT_TRUE(res) << c.Name;
    EXPECT_EQ(res->status, c.Status) << c.Name << ": " << res->body;
  }
  httplib::Result results = client_.Get("/results/");
  ASSERT_TRUE(results);
  EXPECT_NE(results->body.find("DL4MCF"), std::string::npos);
  httplib::Result report = client_.Get("/results/DL4MCF.txt");
  ASSERT_TRUE(report);
  EXPECT_EQ(report->status, 200);
  EXPECT_EQ(client_.Get("/results/..%2Frobot.db")->status, 404);

  httplib::Result archive =
      client_.Post("/sponsor/archive", {{"X-Sponsor-Token", token}}, "", "text/plain");
  ASSERT_TRUE(archive);
  ASSERT_EQ(archive->status, 200);
  EXPECT_EQ(archive->body.size() % 512, 0u);
  EXPECT_EQ(archive->body.compare(0, 22, "logs/000001-DL4MCF.log"), 0);
  std::string first = TestLog("DL4MCF", 20);
  EXPECT_EQ(archive->body.substr(512, first.size()), first);
  EXPECT_NE(archive->body.find("submissions.csv"), std::string::npos);
}

TEST_F(RobotHttpTest, HistoryShowsEverySubmissionAndWhichCounts) {
  ASSERT_EQ(Upload(TestLog("DL4MCF", 10), "a.cbr", "op@example.org")->status, 201);
  ASSERT_EQ(Upload(TestLog("DL4MCF", 11), "b.cbr", "op@example.org")->status, 201);
  httplib::Result history = client_.Get("/api/calls/DL4MCF");
  ASSERT_TRUE(history);
  EXPECT_NE(history->body.find("\"id\": 2, "), std::string::npos);
  EXPECT_NE(history->body.find("\"superseded_by\": 2"), std::string::npos);
  // A list of rows carries their warnings' count; the receipt has them.
  EXPECT_NE(history->body.find("\"warning_count\": "), std::string::npos);
  EXPECT_EQ(history->body.find("\"warnings\""), std::string::npos);
  httplib::Result list = client_.Get("/api/logs");
  EXPECT_EQ(list->body.find("\"id\": 1,"), std::string::npos) << list->body;
  EXPECT_EQ(client_.Get("/calls/NOBODY1")->status, 404);
  httplib::Result nowhere = client_.Get("/nowhere");
  ASSERT_TRUE(nowhere);
  EXPECT_EQ(nowhere->status, 404);
  EXPECT_NE(nowhere->get_header_value("Content-Security-Policy"), "");
  EXPECT_EQ(client_.Get("/receipts/99")->status, 404);
}

TEST_F(RobotHttpTest, AFailingDataFolderGivesA503AndNoReceipt) {
  const std::string logs = robot_.Data() + "/logs";
  std::filesystem::rename(logs, logs + ".away");
  ASSERT_EQ(symlink("nowhere/at/all", logs.c_str()), 0);
  httplib::Result res = Upload(TestLog());
  ASSERT_TRUE(res);
  EXPECT_EQ(res->status, 503);
  EXPECT_EQ(res->body.find("\"id\""), std::string::npos);
  EXPECT_EQ(Stored(), 0u);
  // Once the folder is back, uploads are taken again.
  std::filesystem::remove(logs);
  std::filesystem::rename(logs + ".away", logs);
  EXPECT_EQ(Upload(TestLog())->status, 201);
}

}  // namespace
