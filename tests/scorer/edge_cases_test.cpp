// Slips at the edges of what dkz-score prints and lays out: each row is one,
// and fails when it is made.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "logs/reading_notes.h"
#include "native_plugin/page_facts_of_run.h"
#include "report_page/hour_rate.h"
#include "report_page/report_page.h"

namespace {

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

int64_t OneDayPeriodMinutes() {
  ScoreOutcome outcome;
  outcome.Reset.PeriodStart = MakeOleDateTime(2023, 6, 10);
  outcome.Reset.PeriodEnd = outcome.Reset.PeriodStart;
  PageFacts facts = PageFactsOfRun(outcome);
  return facts.PeriodEndMinute - facts.PeriodStartMinute;
}

// "COUNT at MINUTE" of the best 60 minutes of stored 40 m QSOs at these
// minutes of a day's period.
std::string BestHour(const std::vector<int64_t>& minutes) {
  PageFacts facts;
  facts.PeriodEndMinute = 1440;
  for (int64_t minute : minutes) {
    PageQso qso;
    qso.Minute = minute;
    qso.Band = "40m";
    qso.Stored = true;
    facts.Qsos.push_back(qso);
  }
  HourRate rate = BuildHourRate(facts);
  return std::to_string(rate.BestCount) + " at " + std::to_string(rate.BestStartMinute);
}

// "SHOWN shown, LAST LINE" for `count` reading messages of one kind.
std::string ReadingMessages(size_t count) {
  std::vector<std::string> messages;
  for (size_t i = 0; i < count; ++i)
    messages.push_back("a.log: line " + std::to_string(i + 1) + ": unreadable");
  std::vector<std::string> lines = LimitEachKind(messages);
  size_t shown = lines.size() - (lines.back().find("more like") != std::string::npos ? 1 : 0);
  return std::to_string(shown) + " shown, " + lines.back();
}

// "SHOWN shown, MORE" for `count` err.txt lines of one kind on the page.
std::string PageLines(size_t count) {
  PageFacts facts;
  for (size_t i = 0; i < count; ++i)
    facts.Problems.push_back({"DUPE", "dupe line " + std::to_string(i), false});
  std::string page = ReportPage(facts);
  size_t more = page.find("more lines in err.txt");
  size_t line = page.rfind('\n', more) + 1;
  return std::to_string(Occurrences(page, "dupe line ")) + " shown, " +
         (more == std::string::npos ? "none more" : page.substr(line, more - line));
}

TEST(EdgeCases, HoldExactlyAtTheirValues) {
  const struct {
    const char* Slip;
    std::function<std::string()> Actual;
    std::string Expected;
  } rows[] = {
      {"a one-day period is not 1,440 minutes",
       [] { return std::to_string(OneDayPeriodMinutes()); }, "1440"},
      {"the best hour is 61 minutes",
       [] {
         return BestHour({0, 60});
       },
       "1 at 0"},
      {"the best hour is 59 minutes",
       [] {
         return BestHour({0, 59});
       },
       "2 at 0"},
      {"the 'and N more' line comes at the limit", [] { return ReadingMessages(20); },
       "20 shown, a.log: line 20: unreadable"},
      {"the 'and N more' line misses one past it", [] { return ReadingMessages(21); },
       "20 shown,   ... and 1 more like the one above, not shown (21 in all)"},
      {"the page's line cap cuts at it", [] { return PageLines(150); }, "150 shown, none more"},
      {"the page's line cap misses one past it", [] { return PageLines(151); },
       "150 shown, \u2026 and 1 "},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.Actual(), row.Expected) << row.Slip;
}

}  // namespace
