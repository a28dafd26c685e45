// The check's folders: the logs it reads and a results folder that never loses
// a file the check did not write, and never reaches through a link.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "check/check_folders.h"
#include "check/folder_system.h"
#include "check/received_files.h"
#include "logs/log_qso.h"
#include "scorer/check_options.h"
#include "scorer/score_options.h"

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
  std::string Read(const char* name) const {
    std::ifstream in(root_ / name);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path root_;
};

TEST_F(CheckFolders, LogsAreTheFilesOfTheFolderByName) {
  Write("logs/b.cbr", "x");
  Write("logs/A.adi", "xy");
  std::vector<ReceivedFile> files = ReceivedFilesIn(At("logs"));
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].Name + " " + std::to_string(files[0].Bytes), "A.adi 2");
  EXPECT_EQ(files[1].Name, "b.cbr");
  EXPECT_THROW(ReceivedFilesIn(At("missing")), InputError);
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

TEST_F(CheckFolders, AnEarlierResultsFolderLosesItsLinksNeverWhatTheyPointTo) {
  PrepareResultsFolder(At("logs"), At("out"), {"work", "A.txt", "B.txt", "C.txt", "D.txt"});
  fs::create_directories(root_ / "precious");
  Write("precious/keep.txt", "keep");
  Write("precious2.txt", "keep2");
  fs::create_directories(root_ / "precious3");
  Write("precious3/keep.txt", "keep3");
  fs::create_directory_symlink("../precious", root_ / "out" / "work");
  fs::create_directories(root_ / "precious" / "sub");
  fs::create_symlink("../../precious2.txt", root_ / "precious" / "sub" / "link.txt");
  fs::create_symlink("../precious2.txt", root_ / "out" / "A.txt");
  fs::create_directory_symlink("../precious3", root_ / "out" / "B.txt");
  fs::create_symlink("../missing.txt", root_ / "out" / "C.txt");

  std::string out = PrepareResultsFolder(At("logs"), At("out"), {"D.txt"});
  EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "out"), fs::directory_iterator()), 1)
      << "only the record is left";
  EXPECT_EQ(Read("precious/keep.txt"), "keep");
  EXPECT_TRUE(fs::is_symlink(root_ / "precious" / "sub" / "link.txt"));
  EXPECT_EQ(Read("precious2.txt"), "keep2");
  EXPECT_EQ(Read("precious3/keep.txt"), "keep3");

  // A record behind a link is no record: the link could name anyone's files.
  Write("mine.txt", "A.txt\nB.txt\n");
  fs::remove(root_ / "out" / "dkz-score.files");
  fs::create_symlink("../mine.txt", root_ / "out" / "dkz-score.files");
  Write("out/A.txt", "someone's");
  EXPECT_THROW(PrepareResultsFolder(At("logs"), At("out"), {"A.txt"}), InputError);
  EXPECT_EQ(Read("out/A.txt"), "someone's");
  EXPECT_EQ(Read("mine.txt"), "A.txt\nB.txt\n");
  fs::remove(root_ / "out" / "A.txt");
  fs::remove(root_ / "out" / "dkz-score.files");
  PrepareResultsFolder(At("logs"), At("out"), {"D.txt", "E.txt"});

  // A link that stands where a result is written is left alone, and so is what it leads to.
  fs::create_symlink("../precious2.txt", root_ / "out" / "D.txt");
  std::string why;
  EXPECT_FALSE(WriteResult(out, "D.txt", "report", why));
  EXPECT_EQ(Read("precious2.txt"), "keep2");
  EXPECT_TRUE(fs::is_symlink(root_ / "out" / "D.txt"));
  fs::create_directories(root_ / "out" / "E.txt");
  EXPECT_FALSE(WriteResult(out, "E.txt", "report", why));
  EXPECT_TRUE(fs::is_directory(root_ / "out" / "E.txt"));
}

TEST_F(CheckFolders, FoldersAreComparedByWhatTheyResolveTo) {
  fs::create_directories(root_ / "logs-out");
  fs::create_directory_symlink("logs", root_ / "via-link");
  fs::create_directory_symlink("logs/sub", root_ / "into-logs");
  struct Row {
    const char* Logs;
    const char* Results;
    bool Refused;
  };
  const Row rows[] = {
      {"logs", "logs-out", false},  // a name that begins like the logs' folder is not in it
      {"logs", "logs/new", true},
      {"logs", "logs/sub/../new", true},
      {"logs", "into-logs", true},     // a link into the logs' folder
      {"via-link", "logs/new", true},  // the logs' folder given through a link
      {"logs", "logs", true},
      {"logs/sub", "logs", true},  // the logs inside the results
      {"logs", ".", true},
  };
  for (const Row& row : rows) {
    bool refused = false;
    try {
      PrepareResultsFolder(At(row.Logs), At(row.Results), {});
    } catch (const InputError&) {
      refused = true;
    }
    EXPECT_EQ(refused, row.Refused) << row.Logs << " " << row.Results;
  }
  EXPECT_TRUE(fs::exists(root_ / "logs" / "sub")) << "nothing of the logs' folder was removed";
}

TEST(CheckOptions, ReadsTheCheckCommand) {
  CommandLine line = ParseCommandLine({"check", "logs", "--out", "res", "--minutes=5"});
  ASSERT_EQ(line.Do, CommandLine::Action::Check);
  EXPECT_EQ(line.Check.LogFolder, "logs");
  EXPECT_EQ(line.Check.ResultsFolder, "res");
  EXPECT_EQ(line.Check.Minutes, 5);
  EXPECT_EQ(ParseCommandLine({"check", "logs", "--out", "res"}).Check.Minutes, 3);
  CheckCommand period = ParseCommandLine({"check", "logs", "--out=res", "--from", "2026-06-13",
                                          "--to=2026-06-14", "--table", "t.txt"})
                            .Check;
  EXPECT_EQ(period.From->Day, 13);
  EXPECT_EQ(period.To->Day, 14);
  EXPECT_EQ(period.TableFile, "t.txt");
  const std::vector<std::vector<std::string>> bad = {
      {"check", "logs"},
      {"check", "--out", "res"},
      {"check", "a", "b", "--out=r"},
      {"check", "a", "--out"},
      {"check", "a", "--out=r", "--call"},
      {"check", "a", "--out=r", "--minutes", "x"},
      {"check", "a", "--out=r", "--from", "2026-6-13"},
      {"check", "a", "--out=r", "--from", "2026-06-14", "--to", "2026-06-13"},
  };
  for (const auto& args : bad)
    EXPECT_THROW(ParseCommandLine(args), UsageError) << args.back();
}

}  // namespace
