// What dkz-score tells the operator about a run: the printed report, the
// JSON and the page say what the log is and what err.txt holds, in valid
// text, and a failure is said in plain words.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <stdexcept>

#include "../unit/scoring_input.h"
#include "core/base/json_text.h"
#include "core/base/text.h"
#include "logs/log_file.h"
#include "native_plugin/native_pass.h"
#include "native_plugin/page_facts_of_run.h"
#include "report_page/page_html.h"
#include "report_page/report_page.h"
#include "scorer/failure_text.h"
#include "scorer/score_json.h"
#include "scorer/score_options.h"
#include "scorer/score_printout.h"
#include "strict_json.h"

namespace {

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

ScoreOutcome Pass(const std::string& ownPrefix, const std::vector<QsoInput>& qsos,
                  const std::string& contest = "") {
  ResetInput reset;
  reset.OwnCall = ownPrefix == "JA" ? "JA1ZZZ" : "DL1ZZZ";
  reset.OwnPrefix = ownPrefix;
  reset.PeriodStart = reset.PeriodEnd = MakeOleDateTime(2016, 6, 9);
  ScoreOutcome outcome = ScoreNatively(reset, qsos).Outcome;
  outcome.LogName = "a.log";
  outcome.Format = "ADIF";
  outcome.QsosRead = qsos.size();
  outcome.LogContest = contest;
  return outcome;
}

QsoInput Maritime() {
  QsoInput qso = DxQso("DL2AXF/MM", "5", "15m", "");
  qso.Prefix = "";
  return qso;
}

// A Japanese operator's log: a dupe and a bad code are faults; the numbers
// sent by stations outside Japan are notes on QSOs that count.
const std::vector<QsoInput> kJapaneseLog = {Qso("JA2AAA", "AC"), Qso("JA2AAA", "AC"),
                                            Qso("JA3BBB", "ZZ"), DxQso("W1AW", "5", "40m", "NA"),
                                            Maritime()};

TEST(OperatorWords, ErrTxtNotesOnCountingQsosAreCountedApartFromProblems) {
  ScoreOutcome outcome = Pass("JA", kJapaneseLog);
  EXPECT_NE(
      FormatPrintout(outcome).find("\nerr.txt: 4 lines: 2 problems, 2 notes on QSOs that count\n"),
      std::string::npos)
      << FormatPrintout(outcome);
  std::string json = FormatJson(outcome);
  EXPECT_EQ(Count(json, "\"kind\": \"problem\""), 2u) << json;
  EXPECT_EQ(Count(json, "\"kind\": \"note\""), 2u);
  // A log without notes keeps the short line.
  EXPECT_NE(FormatPrintout(Pass("DL", {Qso(), Qso()})).find("\nerr.txt: 1 problem\n"),
            std::string::npos);
}

TEST(OperatorWords, ALogOfAnotherContestOrWithoutScoreIsSaidFirst) {
  const struct {
    const char* What;
    ScoreOutcome Outcome;
    std::string First;  // the printed report's first line
  } cases[] = {
      {"the header names another contest", Pass("DL", {Qso()}, "CQ-WPX-CW"),
       "Warning: the log names the contest CQ-WPX-CW; it is scored here by the DKZ contest's "
       "rules"},
      {"no QSO of an operator outside Japan is with Japan",
       Pass("DL", {DxQso("W1AW"), DxQso("K1AB")}),
       "Warning: no QSO is with a station in Japan; an operator outside Japan scores only those"},
      {"no QSO of a Japanese operator is with the world", Pass("JA", {Qso(), Qso("JA3BBB", "TK")}),
       "Warning: no QSO is with a station outside Japan; a Japanese operator scores 5 points for "
       "each"},
      {"nothing scores", Pass("DL", {Qso("JA2AAA", "AC", "30m")}),
       "Warning: nothing in this log scores: the plug-in stored none of its 1 QSO handed over"},
      {"a log of this contest", Pass("DL", {Qso()}, "DKZ-CW"),
       "a.log (ADIF): 1 QSO read, 0 records skipped"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    std::string report = FormatPrintout(c.Outcome);
    EXPECT_EQ(report.substr(0, report.find('\n')), c.First);
    // The page says it at its top, before the grid.
    std::string page = ReportPage(PageFactsOfRun(c.Outcome));
    size_t said = page.find(HtmlEscape(c.First.substr(9)));
    if (c.First.rfind("Warning: ", 0) == 0) {
      EXPECT_LT(said, page.find("<section id=\"summary\">"));
    } else {
      EXPECT_EQ(page.find("class=\"warning\""), std::string::npos);
    }
  }
}

TEST(OperatorWords, QsosWithoutAContinentAreNamedWhereTheyAddAMultiplier) {
  ScoreOutcome outcome = Pass("JA", kJapaneseLog);
  EXPECT_NE(FormatPrintout(outcome).find(
                "\n15m: 1 QSO without a continent (DL2AXF/MM): the plug-in counts the empty "
                "continent as one more continent multiplier on 15m\n"),
            std::string::npos)
      << FormatPrintout(outcome);
  std::string page = ReportPage(PageFactsOfRun(outcome));
  size_t grid = page.find("id=\"continent-grid\"");
  size_t note = page.find("DL2AXF/MM", grid);
  EXPECT_LT(note, page.find("</section>", grid));
  EXPECT_NE(page.find("(none)</th>"), std::string::npos);
  // The best 60 minutes are a range drawn apart from the bars, not one more bar.
  EXPECT_NE(page.find("class=\"best-range\""), std::string::npos) << page;
  EXPECT_EQ(page.find("class=\"best\""), std::string::npos);
}

TEST(OperatorWords, TheJsonIsValidUtf8AndSaysWhereTextWasReplaced) {
  // Each maximal invalid part is one U+FFFD, as strict decoders replace them.
  const struct {
    const char* Name;
    std::string Text;
    std::string Json;
  } cases[] = {
      {"a surrogate", "A\xED\xA0\x80Z", "\"A\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDZ\""},
      {"above U+10FFFF", "A\xF4\x90\x80\x80Z",
       "\"A\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDZ\""},
      {"overlong", "A\xE0\x80\x80Z", "\"A\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDZ\""},
      {"overlong of two bytes", "A\xC0\xAFZ", "\"A\xEF\xBF\xBD\xEF\xBF\xBDZ\""},
      {"cut short", "A\xE6\x97", "\"A\xEF\xBF\xBD\""},
      {"valid", "\xE6\x97\xA5\xF0\x9F\x98\x80\xC3\xA4", "\"\xE6\x97\xA5\xF0\x9F\x98\x80\xC3\xA4\""},
      {"controls", "a\tb\"\\\x7F", "\"a\\u0009b\\\"\\\\\\u007f\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(JsonString(c.Text), c.Json);
  }
  std::vector<QsoInput> qsos = {Qso("JA2\xED\xA0\x80", "AC\xF4\x90\x80\x80"), Qso()};
  ScoreOutcome outcome = Pass("DL", qsos);
  outcome.LogName = "\xE0\x80\x80.adi";
  // A column name with a quote, as a hostile call once made of the summary.
  outcome.Summary = ReplaceAll(outcome.Summary, "Points", "Po\"ints");
  std::string json = FormatJson(outcome);
  EXPECT_EQ(StrictJsonFault(json), "") << json;
  EXPECT_NE(json.find("\"po\\\"ints\": "), std::string::npos);
  EXPECT_NE(json.find("U+FFFD"), std::string::npos) << "no note";
  EXPECT_EQ(FormatJson(Pass("DL", {Qso()})).find("U+FFFD"), std::string::npos);

  std::string error = FormatJsonError("cannot read \xED\xA0\x80.adi: no such file");
  EXPECT_EQ(StrictJsonFault(error), "") << error;
  EXPECT_NE(
      error.find(
          "\"error\": \"cannot read \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD.adi: no such file\""),
      std::string::npos);
}

TEST(OperatorWords, FailuresAreSaidInPlainWords) {
  EXPECT_EQ(UsageErrorText("unknown option --x"),
            "dkz-score: unknown option --x\nrun 'dkz-score help' for the commands and options\n");
  EXPECT_THROW(ParseCommandLine({}), UsageError);
  const struct {
    std::vector<std::string> Args;
    const char* Said;
  } refused[] = {
      {{"score", "a.adi", "--call", "JA1ABC\n\t\"evil"},
       "--call takes a callsign without control characters"},
      {{"score", "a.adi", "--prefix", "J\x01"},
       "--prefix takes a prefix without control characters"},
      {{"score", "a.adi", "--report", "-"}, "--report takes a file name"},
  };
  for (const auto& c : refused) {
    try {
      ParseCommandLine(c.Args);
      ADD_FAILURE() << c.Said;
    } catch (const UsageError& error) {
      EXPECT_EQ(std::string(error.what()).substr(0, strlen(c.Said)), c.Said);
    }
  }
  EXPECT_EQ(FailureText(std::bad_alloc()),
            "dkz-score: there was not enough memory for this run; nothing more was written\n");
  EXPECT_EQ(FailureText(std::out_of_range("vector::_M_range_check")),
            "dkz-score: the run stopped on an internal fault (vector::_M_range_check); nothing "
            "more was written\n");
  EXPECT_EQ(FailureText(InputError("cannot read a.adi")), "dkz-score: cannot read a.adi\n");
}

TEST(OperatorWords, ALogBeyondTheSizeLimitIsRefusedBeforeReading) {
  std::filesystem::path big = std::filesystem::temp_directory_path() / "dkz-big-log.adi";
  { std::ofstream(big) << "x"; }
  std::filesystem::resize_file(big, 200ull * 1000 * 1000);  // sparse
  try {
    ReadLogFile(big.string(), "big.adi");
    ADD_FAILURE() << "read";
  } catch (const InputError& error) {
    EXPECT_EQ(std::string(error.what()),
              "big.adi is 200.0 MB, more than the 50 MB a log may have (a contest log is far "
              "below 10 MB)");
  }
  std::filesystem::remove(big);
}

}  // namespace
