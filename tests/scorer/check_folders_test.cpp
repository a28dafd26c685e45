// The check's folders: the logs it reads and a results folder that never loses
// a file the check did not write.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "check_folders.h"
#include "check_options.h"
#include "log_qso.h"
#include "score_options.h"

namespace fs = std::filesystem;

namespace {

class CheckFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("check_folders_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "logs" / "sub");
  }
  void TearDown() override { fs::remove_all(root_); }
  std::string At(const char* name) const { return (root_ / name).string(); }
  void Write(const char* name, const char* text) const { std::ofstream(root_ / name) << text; }

  fs::path root_;
};

TEST_F(CheckFolders, LogsAreTheFilesOfTheFolderByName) {
  Write("logs/b.cbr", "x");
  Write("logs/A.adi", "x");
  EXPECT_EQ(LogFilesIn(At("logs")), (std::vector<std::string>{"A.adi", "b.cbr"}));
  EXPECT_THROW(LogFilesIn(At("missing")), InputError);
}

TEST_F(CheckFolders, ResultsGoOnlyWhereNothingElseIsLost) {
  // A new folder is made, and the manifest lists what the run will write.
  PrepareResultsFolder(At("logs"), At("out"), {"results.csv", "JA1AAA.txt"});
  EXPECT_TRUE(fs::is_directory(root_ / "out"));
  Write("out/results.csv", "old");
  Write("out/ja1aaa.txt", "old");
  // A second run removes the first one's outputs, whatever their case.
  PrepareResultsFolder(At("logs"), At("out"), {"results.csv"});
  EXPECT_FALSE(fs::exists(root_ / "out" / "ja1aaa.txt"));
  EXPECT_FALSE(fs::exists(root_ / "out" / "results.csv"));

  // A file the check did not write stops the run and stays, as does all else.
  Write("out/results.csv", "old");
  Write("out/mine.txt", "keep");
  EXPECT_THROW(PrepareResultsFolder(At("logs"), At("out"), {"results.csv"}), InputError);
  EXPECT_TRUE(fs::exists(root_ / "out" / "mine.txt"));
  EXPECT_TRUE(fs::exists(root_ / "out" / "results.csv"));

  // Never into the logs' folder, nor over a file, nor a full folder without a manifest.
  EXPECT_THROW(PrepareResultsFolder(At("logs"), At("logs/sub"), {}), InputError);
  EXPECT_THROW(PrepareResultsFolder(At("logs"), At("logs"), {}), InputError);
  Write("file", "x");
  EXPECT_THROW(PrepareResultsFolder(At("logs"), At("file"), {}), InputError);
  EXPECT_THROW(PrepareResultsFolder(At("out"), At("logs/.."), {}), InputError);
}

// An earlier run's output swapped for a link, anywhere below the results
// folder, stops the clean-up before anything is removed: removing it might
// remove what it leads to. A record behind a link is no record.
TEST_F(CheckFolders, ALinkAmongTheEarlierResultsStopsTheRunAndNothingIsRemoved) {
  fs::create_directories(root_ / "mine");
  Write("mine/results.csv", "the user's");
  Write("mine/record", "results.csv\nwork\n");
  const struct {
    const char* Name;
    const char* LeadsTo;
  } cases[] = {{"out/results.csv", "../mine/results.csv"},
               {"out/work/err.txt", "../../mine/results.csv"},
               {"out/work", "../mine"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    fs::remove_all(root_ / "out");
    PrepareResultsFolder(At("logs"), At("out"), {"findings.csv", "results.csv", "work"});
    Write("out/findings.csv", "earlier");
    fs::create_directories(root_ / "out" / "work");
    fs::remove_all(root_ / c.Name);
    fs::create_symlink(c.LeadsTo, root_ / c.Name);
    EXPECT_THROW(PrepareResultsFolder(At("logs"), At("out"), {"results.csv"}), InputError);
    EXPECT_TRUE(fs::exists(root_ / "out" / "findings.csv"));
    EXPECT_TRUE(fs::is_symlink(root_ / c.Name));
  }
  fs::remove_all(root_ / "out");
  fs::create_directories(root_ / "out");
  fs::create_symlink("../mine/record", root_ / "out" / "dkz-score.files");
  Write("out/results.csv", "someone's");
  EXPECT_THROW(PrepareResultsFolder(At("logs"), At("out"), {"results.csv"}), InputError);
  EXPECT_EQ(fs::file_size(root_ / "mine" / "results.csv"), strlen("the user's"));
  EXPECT_EQ(fs::file_size(root_ / "mine" / "record"), strlen("results.csv\nwork\n"));
  EXPECT_TRUE(fs::exists(root_ / "out" / "results.csv"));
}

TEST(CheckOptions, ReadsTheCheckCommand) {
  CommandLine line = ParseCommandLine({"check", "logs", "--out", "res", "--minutes=5"});
  ASSERT_EQ(line.Do, CommandLine::Action::Check);
  EXPECT_EQ(line.Check.LogFolder, "logs");
  EXPECT_EQ(line.Check.ResultsFolder, "res");
  EXPECT_EQ(line.Check.Minutes, 5);
  EXPECT_EQ(ParseCommandLine({"check", "logs", "--out", "res"}).Check.Minutes, 3);
  const std::vector<std::vector<std::string>> bad = {
      {"check", "logs"},
      {"check", "--out", "res"},
      {"check", "a", "b", "--out=r"},
      {"check", "a", "--out"},
      {"check", "a", "--out=r", "--call"},
      {"check", "a", "--out=r", "--minutes", "x"},
  };
  for (const auto& args : bad)
    EXPECT_THROW(ParseCommandLine(args), UsageError) << args.back();
}

}  // namespace
