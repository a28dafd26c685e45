// A generated contest checked against the faults put into it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "check/contest_check.h"
#include "contest_cabrillo.h"
#include "contest_folder.h"
#include "truth_comparison.h"

namespace {

GeneratedContest SmallWorld() {
  WorldOptions options;
  options.Stations = 160;
  options.MeanQsos = 80;
  return GenerateContest(options);
}

TEST(ContestWorld, CheckFindsEveryFaultAndFlagsNothingClean) {
  GeneratedContest contest = SmallWorld();
  std::vector<CheckLog> logs;
  for (const GeneratedLog& log : contest.Logs)
    logs.push_back(log.Log);
  TruthComparison comparison = CompareWithTruth(contest, CheckContest(logs));
  std::printf("%s", ComparisonTable(comparison).c_str());
  for (Verdict kind : {Verdict::kBustedCall, Verdict::kBustedExchange, Verdict::kNotInLog,
                       Verdict::kUnique, Verdict::kUnchecked})
    EXPECT_GT(comparison.Kinds[static_cast<int>(kind)].Expected, 0) << VerdictName(kind);
  EXPECT_EQ(std::count(contest.WrongClock.begin(), contest.WrongClock.end(), 600), 1);
  for (const std::string& difference : comparison.Differences)
    ADD_FAILURE() << difference;
  EXPECT_TRUE(comparison.Perfect());
}

TEST(ContestWorld, WritesLogsAsCabrilloFilesWithTheirLineNumbers) {
  GeneratedContest contest = SmallWorld();
  const GeneratedLog& log = contest.Logs[0];
  std::string text = CabrilloText(log);
  EXPECT_EQ(text.rfind("START-OF-LOG: 3.0\r\n", 0), 0u);
  EXPECT_NE(text.find("CALLSIGN: " + log.Log.Call + "\r\n"), std::string::npos);
  std::string line;
  size_t at = 0;
  for (int n = 1; n <= log.Log.Qsos.back().Line; ++n) {
    size_t end = text.find('\n', at);
    line = text.substr(at, end - at);
    at = end + 1;
  }
  EXPECT_EQ(line.rfind("QSO: ", 0), 0u);
  EXPECT_NE(line.find(log.Log.Qsos.back().Call), std::string::npos);
  EXPECT_EQ(text.substr(at), "END-OF-LOG:\r\n");
  EXPECT_EQ(CabrilloText(SmallWorld().Logs[0]), text) << "the same seed, the same contest";
}

TEST(ContestWorld, NeverWritesOverAnExistingFolderOrFile) {
  namespace fs = std::filesystem;
  fs::path base = fs::temp_directory_path() / ("dkz-contest-test-" + std::to_string(::getpid()));
  fs::remove_all(base);
  fs::create_directories(base / "taken");
  GeneratedContest contest = SmallWorld();
  EXPECT_THROW(WriteContest(contest, (base / "taken").string(), (base / "t.csv").string()),
               WriteError);
  WriteContest(contest, (base / "new").string(), (base / "t.csv").string());
  EXPECT_EQ(std::distance(fs::directory_iterator(base / "new"), fs::directory_iterator()),
            static_cast<long>(contest.Logs.size()));
  EXPECT_THROW(WriteContest(contest, (base / "other").string(), (base / "t.csv").string()),
               WriteError);
  EXPECT_FALSE(fs::exists(base / "other"));
  fs::remove_all(base);
}

}  // namespace
