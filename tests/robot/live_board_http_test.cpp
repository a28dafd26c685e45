// The live board over HTTP on 127.0.0.1: what a logger's post gets back in
// each form it may come in, the board as page and JSON, the sponsor's block.
#include <gtest/gtest.h>

#include <httplib.h>

#include <nlohmann/json.hpp>

#include "core/base/date_time.h"
#include "robot/robot_text.h"
#include "robot_test_logs.h"
#include "score_post_samples.h"

namespace {

const char kForm[] = "application/x-www-form-urlencoded";

// A contest period of yesterday to tomorrow: posts are taken now.
RobotSettings AroundToday() {
  RobotSettings settings;
  CalendarTime today = CalendarOf(NowUtcSeconds());
  today.Hour = today.Minute = today.Second = 0;
  settings.PeriodFrom = CalendarOf(UtcSecondsOf(today) - 86400);
  settings.PeriodTo = CalendarOf(UtcSecondsOf(today) + 86400);
  return settings;
}

class LiveBoardHttpTest : public testing::Test {
 protected:
  LiveBoardHttpTest() : robot_(AroundToday()), client_("127.0.0.1", robot_.Port()) {
    client_.set_read_timeout(30, 0);
  }

  httplib::Result PostForm(const std::string& xml) {
    return client_.Post("/api/scores", "xml=" + httplib::detail::encode_query_param(xml), kForm);
  }

  RunningRobot robot_;
  httplib::Client client_;
};

TEST_F(LiveBoardHttpTest, PostsComeAsAFormOrAsXmlAndAreAnsweredInPlainText) {
  const std::string big = ScorePostXml(SamplePost()) + std::string(20000, ' ');
  const std::string unencoded = ScorePostXml("JA4ABC", 40);
  SamplePost other;
  other.Contest = "CQ-WW-CW";
  struct Case {
    const char* Name;
    std::string Body;
    std::string Type;
    int Status;
    const char* Answer;
  };
  const std::vector<Case> cases = {
      {"form", "xml=" + httplib::detail::encode_query_param(ScorePostXml("JA1ABC", 10)), kForm, 200,
       "OK"},
      {"form over 8 KB", "lang=en&xml=" + httplib::detail::encode_query_param(big), kForm, 429,
       "one post a minute per call"},
      // Some loggers escape only what they must: '=' and blanks stay.
      {"form, '=' unescaped", "xml=" + unencoded,
       "application/x-www-form-urlencoded; charset=UTF-8", 200, "OK"},
      {"xml body", ScorePostXml("JA2ABC", 20), "application/xml", 200, "OK"},
      {"text/xml body", ScorePostXml("JA3ABC", 30), "text/xml; charset=utf-8", 200, "OK"},
      {"no field", "data=1", kForm, 400, "the form has no field xml"},
      {"two fields", "xml=a&xml=b", kForm, 400, "the form has two fields xml"},
      {"json", "{\"call\": \"JA1ABC\"}", "application/json", 415,
       "send the form field xml (application/x-www-form-urlencoded) or an XML body"},
      {"over 64 KB", std::string(65 * 1024, '<'), "application/xml", 413,
       "the post is larger than 64 KB"},
      {"another contest", "xml=" + httplib::detail::encode_query_param(ScorePostXml(other)), kForm,
       422, "contest DKZ only"},
  };
  for (const Case& c : cases) {
    httplib::Result res = client_.Post("/api/scores", c.Body, c.Type.c_str());
    ASSERT_TRUE(res) << c.Name;
    EXPECT_EQ(res->status, c.Status) << c.Name << ": " << res->body;
    EXPECT_EQ(res->body, c.Answer) << c.Name;
    EXPECT_EQ(res->get_header_value("Content-Type"), "text/plain; charset=utf-8") << c.Name;
  }
  httplib::Result board = client_.Get("/api/live");
  ASSERT_TRUE(board);
  EXPECT_EQ(nlohmann::json::parse(board->body)["stations"], 4);
}

TEST_F(LiveBoardHttpTest, AChunkedPostIsCountedAsItComes) {
  std::string big(200 * 1024, ' ');
  httplib::Result res = client_.Post(
      "/api/scores",
      [&big](size_t offset, httplib::DataSink& sink) {
        if (offset < big.size())
          return sink.write(big.data() + offset, std::min<size_t>(8192, big.size() - offset));
        sink.done();
        return true;
      },
      "application/xml");
  ASSERT_TRUE(res);
  EXPECT_EQ(res->status, 413);
}

TEST_F(LiveBoardHttpTest, TheBoardShowsThePostsAndTheSponsorBlocksACall) {
  ASSERT_EQ(PostForm(ScorePostXml("JA1ABC", 133892))->status, 200);
  ASSERT_EQ(PostForm(ScorePostXml("DL4MCF", 5000))->status, 200);
  httplib::Result page = client_.Get("/live");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  for (const char* part : {"Claimed live scores", "<td class=\"call\">JA1ABC</td>",
                           "<td class=\"n\">133892</td>", "<td class=\"call\">DL4MCF</td>"})
    EXPECT_NE(page->body.find(part), std::string::npos) << part;
  EXPECT_NE(page->get_header_value("Content-Security-Policy").find("default-src 'none'"),
            std::string::npos);

  const std::string token = robot_.Token();
  struct Case {
    const char* Name;
    httplib::Headers Headers;
    std::string Form;
    int Status;
  };
  const std::vector<Case> cases = {
      {"no token", {}, "call=JA1ABC", 401},
      {"wrong token", {{"X-Sponsor-Token", token + "x"}}, "call=JA1ABC", 403},
      {"from another site",
       {{"Sec-Fetch-Site", "cross-site"}},
       "token=" + token + "&call=JA1ABC",
       403},
      {"not a call", {{"X-Sponsor-Token", token}}, "call=JA1+ABC", 400},
      {"unknown action", {{"X-Sponsor-Token", token}}, "call=JA1ABC&action=unblok", 400},
      {"by a script", {{"X-Sponsor-Token", token}}, "call=ja1abc&action=block", 200},
      {"from the form", {}, "token=" + token + "&call=DL4MCF&action=block", 303},
  };
  for (const Case& c : cases) {
    httplib::Result res = client_.Post("/sponsor/block", c.Headers, c.Form, kForm);
    ASSERT_TRUE(res) << c.Name;
    EXPECT_EQ(res->status, c.Status) << c.Name << ": " << res->body;
  }
  EXPECT_EQ(nlohmann::json::parse(client_.Get("/api/live")->body)["stations"], 0);
  httplib::Result refused = PostForm(ScorePostXml("JA1ABC", 140000));
  EXPECT_EQ(refused->status, 403);
  EXPECT_EQ(refused->body, "call blocked by the sponsor");

  httplib::Result unblocked = client_.Post("/sponsor/block", {{"X-Sponsor-Token", token}},
                                           "call=JA1ABC&action=unblock", kForm);
  ASSERT_TRUE(unblocked);
  EXPECT_EQ(nlohmann::json::parse(unblocked->body),
            nlohmann::json::parse(R"({"call": "JA1ABC", "blocked": false})"));
  EXPECT_NE(client_.Get("/live")->body.find("JA1ABC"), std::string::npos);
  EXPECT_NE(client_.Get("/sponsor")->body.find("action=\"/sponsor/block\""), std::string::npos);
}

}  // namespace
