#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "core/base/text.h"
#include "core/engine/acceptance.h"
#include "core/engine/summary.h"
#include "core/scoreboard/score_document.h"
#include "scoring_input.h"

namespace {

// The numbers of a document keyed as "qso 40", "mult 40 continent", "score".
std::map<std::string, long long> DocumentNumbers(const std::string& xml) {
  std::map<std::string, long long> numbers;
  static const std::regex count(
      R"re(<(qso|point|mult) band="([^"]*)" mode="[^"]*"(?: type="([^"]*)")?>(\d+)<)re");
  for (std::sregex_iterator it(xml.begin(), xml.end(), count), end; it != end; ++it) {
    std::string key = (*it)[1].str() + " " + (*it)[2].str();
    if ((*it)[3].matched)
      key += " " + (*it)[3].str();
    EXPECT_TRUE(numbers.emplace(key, std::stoll((*it)[4])).second) << key;
  }
  static const std::regex score("<score>(\\d+)</score>");
  std::smatch found;
  if (std::regex_search(xml, found, score))
    numbers["score"] = std::stoll(found[1]);
  return numbers;
}

// The same keys read from the summary's table, as the operator sees it.
std::map<std::string, long long> SummaryNumbers(const std::string& summary, bool continents) {
  std::map<std::string, long long> numbers;
  for (const std::string& line : SplitLines(summary)) {
    std::vector<std::string> cells = SplitWords(line);
    if (cells.size() == 2 && cells[0] == "Score") {
      numbers["score"] = std::stoll(cells[1]);
      continue;
    }
    if (cells.size() != (continents ? 5u : 4u) ||
        cells[1].find_first_not_of("0123456789") != std::string::npos)
      continue;
    bool total = cells[0] == "Total";
    std::string band = total ? "total" : cells[0].substr(0, cells[0].size() - 1);
    numbers["qso " + band] = std::stoll(cells[1]);
    numbers["point " + band] = std::stoll(cells[2]);
    long long districts = std::stoll(cells[3]), others = continents ? std::stoll(cells[4]) : 0;
    if (total) {
      numbers["mult total"] = districts + others;
      continue;
    }
    numbers["mult " + band + " district"] = districts;
    if (continents)
      numbers["mult " + band + " continent"] = others;
  }
  return numbers;
}

TEST(ScoreDocument, CarriesTheNumbersOfTheSummary) {
  struct {
    const char* OwnPrefix;
    bool Continents;
  } operators[] = {{"JA", true}, {"DL", false}};
  for (auto& op : operators) {
    ContestState state;
    state.OwnPrefix = op.OwnPrefix;
    std::string lines;
    for (const QsoInput& q :
         {Qso("JA2AAA", "AC", "20m"), Qso("JA3BBB", "TK", "160m"), Qso("JA2AAA", "AC", "40m"),
          Qso("JA3BBB", "TK", "40m"), Qso("JA2AAA", "AC", "40m"), DxQso("DL1ABC", "12", "40m"),
          DxQso("W1AW", "5", "20m", "NA"), Qso("JA5EEE", "HD", "10m")})
      AcceptQso(state, q, lines);
    BuildSummary(state);

    ScorePost post;
    post.Tally = state.Tally;
    post.Score = state.ClaimedScore;
    std::map<std::string, long long> expected = SummaryNumbers(state.SummaryText, op.Continents);
    ASSERT_EQ(expected.size(), op.Continents ? 20u : 16u) << state.SummaryText;
    EXPECT_EQ(DocumentNumbers(DynamicResultsXml(post, "2016-06-11 12:00:00")), expected)
        << state.SummaryText;
  }
}

TEST(ScoreDocument, BandsInMetresOtherBandTextsAsTheyStand) {
  ScorePost post;
  for (const char* band : {"160m", "40m", "70cm", "m", "2 m"})
    post.Tally.Bands.push_back({band, 1, 1, 1, 0});
  std::string xml = DynamicResultsXml(post, "");
  for (const char* attribute :
       {"band=\"160\"", "band=\"40\"", "band=\"70cm\"", "band=\"m\"", "band=\"2 m\""})
    EXPECT_NE(xml.find(attribute), std::string::npos) << attribute;
}

TEST(ScoreDocument, EveryTextIsEscaped) {
  ScorePost post;
  post.Station = {"<JA1ZZZ>", "SINGLE\"OP", "A&B", "O'NE", "HIGH\r\n</class>", "<AC>"};
  post.Program = "DKZ </soft><score>9</score>";
  post.Version = "1.3.0&";
  post.Tally.Bands.push_back({"<40m>", 1, 1, 1, 0});
  std::string xml = DynamicResultsXml(post, "2016-06-11 12:00:00");
  for (const char* text :
       {"<call>&lt;JA1ZZZ&gt;</call>", "ops=\"SINGLE&quot;OP\"", "bands=\"A&amp;B\"",
        "transmitter=\"O&apos;NE\"", "power=\"HIGH  &lt;/class&gt;\"",
        "<soft>DKZ &lt;/soft&gt;&lt;score&gt;9&lt;/score&gt;</soft>",
        "<version>1.3.0&amp;</version>", "band=\"&lt;40m&gt;\"",
        "<qth><stprvoth>&lt;AC&gt;</stprvoth></qth>"})
    EXPECT_NE(xml.find(text), std::string::npos) << text << "\n" << xml;
  EXPECT_EQ(DocumentNumbers(xml)["score"], 0);
}

// The board ranks a Japanese station by the district its counted QSOs sent
// most; exchanges that are no district, and QSOs that do not count, say nothing.
TEST(ScoreDocument, TheDistrictIsTheOneTheCountedQsosSentMost) {
  struct Sent {
    const char* Exchange;
    bool Excluded;
  };
  const struct {
    std::vector<Sent> Qsos;
    const char* District;
  } cases[] = {
      {{}, ""},
      {{{"599", false}, {"001", false}}, ""},
      {{{"ac", false}, {" GM ", false}, {"GM", false}}, "GM"},
      {{{"AC", false}, {"GM", false}}, "AC"},
      {{{"AC", false}, {"GM", true}, {"GM", true}}, "AC"},
  };
  for (const auto& c : cases) {
    QsoLog log;
    for (const Sent& sent : c.Qsos) {
      QsoRecord record;
      record.Call = "JA1AAA";
      record.ExchSent = sent.Exchange;
      record.Excluded = sent.Excluded;
      log.Append(record);
    }
    EXPECT_EQ(SentDistrict(log, kDkzRules), c.District);
  }
  EXPECT_EQ(DynamicResultsXml(ScorePost{}, "").find("qth"), std::string::npos);
}

TEST(ScoreDocument, TimestampOnlyWhenGiven) {
  ScorePost post;
  EXPECT_NE(DynamicResultsXml(post, "2016-06-11 12:00:00")
                .find("<timestamp>2016-06-11 12:00:00</timestamp>"),
            std::string::npos);
  EXPECT_EQ(DynamicResultsXml(post, "").find("timestamp"), std::string::npos);
  EXPECT_EQ(UtcTimeText({2026, 6, 3, 9, 4, 5}), "2026-06-03 09:04:05");
}

TEST(XmlText, KeepsUtf8AndReplacesWhatXmlCannotHold) {
  struct {
    std::string In, Out;
  } cases[] = {
      {"JA1ZZZ/p", "JA1ZZZ/p"},
      {"\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x93\xBB",
       "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x93\xBB"},
      {"caf\xE9", "caf?"},      // a code-page byte, not UTF-8
      {"\xC0\xAF", "??"},       // an overlong "/"
      {"\xED\xA0\x80", "???"},  // a surrogate
      {"\xE2\x82", "??"},       // cut short at the end
      {"a\tb\x01"
       "c\x7F",
       "a b c "},  // control characters
      {std::string("a\0b", 3), "a b"},
  };
  for (auto& c : cases)
    EXPECT_EQ(XmlText(c.In), c.Out) << c.In;
}

TEST(FormBody, PercentEncodesAllButUnreservedCharacters) {
  EXPECT_EQ(FormBody("xml", "<a b=\"1\"/>\n&+%~._-\xC3\xA9"),
            "xml=%3Ca%20b%3D%221%22%2F%3E%0A%26%2B%25~._-%C3%A9");
}

}  // namespace
