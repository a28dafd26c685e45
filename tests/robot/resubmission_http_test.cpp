// A call's log over HTTP stays its sender's: the resubmission key goes to the
// uploader alone, a forgery is held for the sponsor, and the sponsor's token
// accepts it.
#include <gtest/gtest.h>

#include <httplib.h>

#include "robot_test_logs.h"

namespace {

const std::string kForged =
    "START-OF-LOG: 3.0\nCALLSIGN: DL4MCF\nCONTEST: DKZ-CW\nCATEGORY-OPERATOR: CHECKLOG\n"
    "QSO:  7017 CW 2023-06-10 0906 DL4MCF 599 1 JP6OGM 599 AT\nEND-OF-LOG:\n";

// The value of "name": "..." in a JSON text, or empty.
std::string JsonText(const std::string& json, const std::string& name) {
  std::string key = "\"" + name + "\": \"";
  size_t at = json.find(key);
  if (at == std::string::npos)
    return "";
  at += key.size();
  return json.substr(at, json.find('"', at) - at);
}

bool Holds(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class ResubmissionHttpTest : public testing::Test {
 protected:
  ResubmissionHttpTest() : client_("127.0.0.1", robot_.Port()) {}

  httplib::Result Send(const char* path, const std::string& log, const std::string& email,
                       const std::string& key = "") {
    httplib::MultipartFormDataItems form = {{"log", log, "log.cbr", "text/plain"},
                                            {"email", email, "", ""}};
    if (!key.empty())
      form.push_back({"key", key, "", ""});
    return client_.Post(path, form);
  }
  std::string Get(const std::string& path, const httplib::Headers& headers = {}) {
    httplib::Result res = client_.Get(path.c_str(), headers);
    return res ? res->body : "";
  }

  RunningRobot robot_;
  httplib::Client client_;
};

TEST_F(ResubmissionHttpTest, AForgedChecklogIsHeldUntilTheSponsorAcceptsIt) {
  httplib::Result first = Send("/api/logs", TestLog("DL4MCF", 30), "op@dl4mcf.example");
  ASSERT_TRUE(first);
  ASSERT_EQ(first->status, 201);
  const std::string key = JsonText(first->body, "resubmission_key");
  ASSERT_EQ(key.size(), 32u);
  httplib::Result forged = Send("/api/logs", kForged, "x@evil.example");
  ASSERT_TRUE(forged);
  ASSERT_EQ(forged->status, 201);
  EXPECT_TRUE(Holds(forged->body, "\"counts\": false"));
  EXPECT_TRUE(Holds(forged->body, "\"held\": true"));
  EXPECT_TRUE(Holds(forged->body, "without its resubmission key")) << forged->body;
  EXPECT_FALSE(Holds(forged->body, "resubmission_key"));
  EXPECT_TRUE(Holds(Get("/receipts/2"), "Held for the sponsor"));
  EXPECT_TRUE(Holds(Get("/api/logs"), "\"id\": 1,"));
  EXPECT_FALSE(Holds(Get("/api/logs"), "\"id\": 2,"));
  EXPECT_FALSE(Holds(Get("/received"), "checklog"));
  EXPECT_TRUE(Holds(Get("/sponsor"), "/receipts/2"));
  for (const char* page : {"/api/logs", "/received", "/api/logs/1", "/receipts/1",
                           "/api/calls/DL4MCF", "/calls/DL4MCF", "/sponsor", "/receipts/1?new=1"})
    EXPECT_FALSE(Holds(Get(page), key)) << "the key shows on " << page;

  const httplib::Headers token = {{"X-Sponsor-Token", robot_.Token()}};
  const char* form = "application/x-www-form-urlencoded";
  EXPECT_EQ(client_.Post("/sponsor/accept", "log=2", form)->status, 401);
  EXPECT_EQ(client_.Post("/sponsor/accept", token, "log=1", form)->status, 409);
  EXPECT_EQ(client_.Post("/sponsor/accept", token, "log=9", form)->status, 404);
  EXPECT_EQ(client_.Post("/sponsor/accept", token, "log=x", form)->status, 400);
  EXPECT_EQ(client_.Post("/sponsor/accept", token, "log=2", form)->status, 200);
  EXPECT_TRUE(Holds(Get("/api/logs"), "\"id\": 2,"));
  EXPECT_TRUE(Holds(Get("/receipts/2"), "the sponsor accepted it"));
}

// Only the uploader's browser is told its log was received and shown the key:
// the redirect gives it in a cookie for that receipt alone.
TEST_F(ResubmissionHttpTest, TheUploadPageGivesTheKeyToTheUploaderAlone) {
  httplib::Result sent = Send("/upload", TestLog("DL4MCF", 30), "op@dl4mcf.example");
  ASSERT_TRUE(sent);
  ASSERT_EQ(sent->status, 303);
  EXPECT_EQ(sent->get_header_value("Location"), "/receipts/1");
  std::string cookie = sent->get_header_value("Set-Cookie");
  EXPECT_TRUE(Holds(cookie, "; Path=/receipts/1;")) << cookie;
  EXPECT_TRUE(Holds(cookie, "HttpOnly")) << cookie;
  std::string key = cookie.substr(cookie.find('=') + 1, 32);

  std::string uploader = Get("/receipts/1", {{"Cookie", "other=1; dkz-key=" + key}});
  EXPECT_TRUE(Holds(uploader, "Your log was received"));
  EXPECT_TRUE(Holds(uploader, key));
  for (const std::string& other : {std::string(), "dkz-key=" + std::string(32, '0')}) {
    std::string page = Get("/receipts/1?new=1", {{"Cookie", other}});
    EXPECT_TRUE(Holds(page, "This log was received")) << other;
    EXPECT_FALSE(Holds(page, "Your log")) << other;
  }
  EXPECT_TRUE(Holds(Get("/"), "name=\"key\""));
  // The key, sent back with a correction from elsewhere, replaces the log.
  httplib::Result corrected =
      Send("/upload", TestLog("DL4MCF", 31), "another@example.org", "  " + key);
  ASSERT_TRUE(corrected);
  EXPECT_EQ(corrected->status, 303);
  EXPECT_TRUE(Holds(Get("/api/logs"), "\"id\": 2,"));
}

}  // namespace
