// The report page's facts against the plug-in's own pass over the same QSOs,
// the rate's arithmetic, and what the page and its file guard promise.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "../unit/scoring_input.h"
#include "core/contest/contest_rules.h"
#include "files/file_writer.h"
#include "native_plugin/native_pass.h"
#include "native_plugin/page_facts_of_run.h"
#include "report_page/hour_rate.h"
#include "report_page/page_file.h"
#include "report_page/report_page.h"
#include "report_page/worked_grid.h"

namespace {

std::set<std::string> Worked(const std::vector<GridRow>& rows, int band) {
  std::set<std::string> names;
  for (const GridRow& row : rows) {
    if (row.Worked[band])
      names.insert(row.Name);
  }
  return names;
}

TEST(PageFacts, GridAndNotesAreWhatThePluginsPassMadeOfTheQsos) {
  QsoInput warc = Qso("JA4DMW", "OY", "30m");
  QsoInput maritime = DxQso("DL2AXF/MM", "5", "15m", "");
  maritime.Prefix = "";
  const std::vector<QsoInput> qsos = {Qso("JA2AAA", "AC"),
                                      Qso("JA2AAA", "AC"),  // the dupe
                                      DxQso("W1AW", "5", "40m", "NA"),
                                      Qso("JA3BBB", " tk ", "20m"),
                                      Qso("JE6UPN", "TQ", "20m"),
                                      warc,
                                      maritime,
                                      DxQso("UA9AA", "77", "10m", "AS")};
  const struct {
    const char* OwnPrefix;
    size_t Notes;  // "Code is not acceptable" of a counting QSO with a station outside Japan
  } operators[] = {{"JA", 3}, {"DL", 0}};
  for (const auto& op : operators) {
    SCOPED_TRACE(op.OwnPrefix);
    ResetInput reset;
    reset.OwnCall = "JA1ZZZ";
    reset.OwnPrefix = op.OwnPrefix;
    NativePass pass = ScoreNatively(reset, qsos);
    const ContestState& state = pass.State;
    PageFacts facts = PageFactsOfRun(pass.Outcome);
    WorkedGrid grid = BuildWorkedGrid(facts.Qsos);
    for (int b = 0; b < kBandCount; ++b) {
      SCOPED_TRACE(kDkzRules.Bands[b].Text);
      const TextList& districts = state.DistrictsByBand[b];
      const TextList& continents = state.ContinentsByBand[b];
      EXPECT_EQ(Worked(grid.Districts, b),
                std::set<std::string>(districts.begin(), districts.end()));
      if (state.OwnPrefix == "JA") {
        EXPECT_EQ(Worked(grid.Continents, b),
                  std::set<std::string>(continents.begin(), continents.end()));
      }
    }
    size_t notes = std::count_if(facts.Problems.begin(), facts.Problems.end(),
                                 [](const ProblemLine& p) { return p.Note; });
    EXPECT_EQ(notes, op.Notes);
    EXPECT_EQ(facts.Problems.size(), pass.Outcome.Problems.size());
    EXPECT_EQ(facts.Summary.Score, state.ClaimedScore);
    EXPECT_EQ(facts.Summary.Japanese(), state.OwnPrefix == "JA");
    long long qsoSum = 0;
    for (const SummaryRow& row : facts.Summary.Bands)
      qsoSum += ValueIn(row, kQsosColumn);
    ASSERT_TRUE(facts.Summary.Total);
    EXPECT_EQ(ValueIn(*facts.Summary.Total, kQsosColumn), qsoSum);
  }
}

TEST(HourRate, BinsStoredContestQsosByHourAndNamesTheBusiestSixtyMinutes) {
  PageFacts facts;
  facts.PeriodStartMinute = 1000 * 1440;
  facts.PeriodEndMinute = facts.PeriodStartMinute + 2 * 1440;
  auto add = [&](int64_t offset, const char* band, bool stored = true) {
    PageQso qso;
    qso.Minute = facts.PeriodStartMinute + offset;
    qso.Band = band;
    qso.Stored = stored;
    facts.Qsos.push_back(qso);
  };
  for (int64_t offset : {0, 30, 59, 60, 61, 62, 100, 130})
    add(offset, offset < 60 ? "40m" : "20m");
  add(31, "40m", false);  // refused
  add(32, "30m");         // not a contest band
  add(-5, "40m");         // before the period
  add(2 * 1440, "40m");   // after it

  HourRate rate = BuildHourRate(facts);
  ASSERT_EQ(rate.Hours.size(), 48u);
  EXPECT_EQ(rate.Hours[0][kDkzRules.BandIndexOf("40m")], 3);
  EXPECT_EQ(rate.Hours[1][kDkzRules.BandIndexOf("20m")], 4);
  EXPECT_EQ(rate.Hours[2][kDkzRules.BandIndexOf("20m")], 1);
  EXPECT_EQ(rate.BestCount, 5u);  // 30 to 89, the first of the busiest windows
  EXPECT_EQ(rate.BestStartMinute, facts.PeriodStartMinute + 30);
}

TEST(ReportPage, IsSelfContainedWithEveryTextEscapedAndADistrictRowEach) {
  PageFacts facts;
  facts.Summary.Contestant = "<A&B>";
  facts.LogName = "x\"y.adi";
  facts.Problems.push_back({"DUPE", "QSO:  7012  CW  <script>  DUPE !!!", false});
  std::string page = ReportPage(facts);
  EXPECT_EQ(page.rfind(kReportPageStart, 0), 0u);
  EXPECT_NE(page.find("&lt;A&amp;B&gt;"), std::string::npos);
  EXPECT_NE(page.find("x&quot;y.adi"), std::string::npos);
  for (const char* outside : {"<A&B>", "<script", "src=", "href=", "url("})
    EXPECT_EQ(page.find(outside), std::string::npos) << outside;
  size_t grid = page.find("<tbody>", page.find("id=\"district-grid\""));
  std::string body = page.substr(grid, page.find("</tbody>", grid) - grid);
  size_t rows = 0;
  for (size_t at = body.find("<tr><th>"); at != std::string::npos;
       at = body.find("<tr><th>", at + 1))
    ++rows;
  EXPECT_EQ(rows, 62u);
}

TEST(PageFile, ReplacesOnlyAPageOfItsOwn) {
  std::filesystem::path folder = std::filesystem::temp_directory_path() / "dkz-report-file-test";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::string page = (folder / "page.html").string();
  const std::string other = (folder / "other.html").string();
  std::ofstream(other) << "<!DOCTYPE html><p>someone else's</p>";

  EXPECT_EQ(PagePathRefusal(page), "");
  std::string reason;
  ASSERT_TRUE(WriteFileWhole(page, ReportPage(PageFacts{}), reason));
  EXPECT_EQ(PagePathRefusal(page), "");
  EXPECT_NE(PagePathRefusal(other), "");
  EXPECT_NE(PagePathRefusal(folder.string()), "");
  std::filesystem::remove_all(folder);
}

}  // namespace
