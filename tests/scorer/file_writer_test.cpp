// The one writer on POSIX: a file is replaced whole or not at all, and never
// through a link.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "files/file_writer.h"
#include "files/path_entry.h"

namespace fs = std::filesystem;

namespace {

class FileWriter : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("dkz_file_writer_" + std::to_string(getpid()) +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string At(const std::string& name) const { return (folder_ / name).string(); }
  void Put(const std::string& name, const std::string& text) const {
    std::ofstream(folder_ / name, std::ios::binary) << text;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(folder_ / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  // The names in the folder: a temporary file left behind shows here.
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_))
      names.insert(entry.path().filename().string());
    return names;
  }

  fs::path folder_;
};

TEST_F(FileWriter, ReplacesAPlainFileWholeAndKeepsWhoMayReadIt) {
  Put("out.json", "old");
  chmod(At("out.json").c_str(), 0640);
  std::string reason;
  ASSERT_TRUE(WriteFileWhole(At("out.json"), "new and longer", reason)) << reason;
  ASSERT_TRUE(WriteFileWhole(At("new.json"), "", reason)) << reason;
  EXPECT_EQ(Read("out.json"), "new and longer");
  struct stat written;
  ASSERT_EQ(stat(At("out.json").c_str(), &written), 0);
  EXPECT_EQ(written.st_mode & 0777, 0640u);
  EXPECT_EQ(Names(), (std::set<std::string>{"out.json", "new.json"}));
}

// A link of any kind in place of the target is left as it is, and so is the
// file it leads to; so are a folder, a pipe and a socket. The special files
// are the test's own: a slip in the writer must not replace a system's.
TEST_F(FileWriter, NeverWritesThroughALinkNorOverWhatIsNoPlainFile) {
  Put("users.txt", "the user's");
  ASSERT_EQ(symlink("users.txt", At("symbolic").c_str()), 0);
  ASSERT_EQ(symlink("nowhere.txt", At("dangling").c_str()), 0);
  ASSERT_EQ(link(At("users.txt").c_str(), At("second_name").c_str()), 0);
  fs::create_directory(folder_ / "folder");
  ASSERT_EQ(mkfifo(At("pipe").c_str(), 0600), 0);
  int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(At("socket").size(), sizeof address.sun_path);
  At("socket").copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  close(listener);
  const struct {
    std::string Path;
    EntryKind Kind;
  } cases[] = {
      {At("symbolic"), EntryKind::kLink},    {At("dangling"), EntryKind::kLink},
      {At("second_name"), EntryKind::kLink}, {At("users.txt"), EntryKind::kLink},
      {At("folder"), EntryKind::kFolder},    {At("pipe"), EntryKind::kOther},
      {At("socket"), EntryKind::kOther},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Path);
    EXPECT_EQ(EntryAt(c.Path), c.Kind);
    std::string reason;
    EXPECT_FALSE(WriteFileWhole(c.Path, "written", reason));
    EXPECT_EQ(reason, "it is " + EntryRefusal(c.Kind));
  }
  EXPECT_EQ(Read("users.txt"), "the user's");
  EXPECT_EQ(fs::read_symlink(folder_ / "symbolic"), "users.txt");
  EXPECT_FALSE(fs::exists(folder_ / "nowhere.txt"));
  EXPECT_EQ(fs::symlink_status(folder_ / "pipe").type(), fs::file_type::fifo);
  EXPECT_EQ(fs::symlink_status(folder_ / "socket").type(), fs::file_type::socket);
  EXPECT_EQ(Names(), (std::set<std::string>{"users.txt", "symbolic", "dangling", "second_name",
                                            "folder", "pipe", "socket"}));
  EXPECT_EQ(EntryAt(At("missing")), EntryKind::kMissing);
  EXPECT_EQ(EntryAt(At("missing/below")), EntryKind::kMissing);
}

// The disk fills after the first bytes: the old file stays whole and the
// temporary file goes.
TEST_F(FileWriter, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  Put("results.csv", "the earlier results");
  struct rlimit before;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
  struct rlimit small = before;
  small.rlim_cur = 10;
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string reason;
  bool written = WriteFileWhole(At("results.csv"), std::string(100000, 'x'), reason);
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(written);
  EXPECT_EQ(reason, "File too large");
  EXPECT_EQ(Read("results.csv"), "the earlier results");
  EXPECT_EQ(Names(), std::set<std::string>{"results.csv"});
  // A folder that is not there: nothing to clean up, and said so.
  EXPECT_FALSE(WriteFileWhole(At("missing/page.html"), "x", reason));
  EXPECT_EQ(reason, "No such file or directory");
}

// The disk fills in the middle of a new file: nothing is left at its name.
// The file-size limit is set in a child, so that this process keeps its own.
TEST_F(FileWriter, ANewFileCutShortLeavesNothingAtItsName) {
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
    struct rlimit small = {4096, 4096};
    std::string reason;
    bool failedBoth = setrlimit(RLIMIT_FSIZE, &small) == 0 &&
                      !WriteFileWhole(At("whole.csv"), std::string(100000, 'x'), reason) &&
                      !WriteNewFile(At("new.txt"), std::string(100000, 'x'), reason);
    _exit(failedBoth ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "a write over the file-size limit was taken";
  EXPECT_EQ(Names(), std::set<std::string>{});
}

// The check's results: new files only, in a folder it cleared for them.
TEST_F(FileWriter, ANewFileIsWrittenOnlyWhereNothingStands) {
  Put("kept.txt", "theirs");
  fs::create_symlink(At("kept.txt"), At("link.txt"));
  fs::create_directory(folder_ / "folder.txt");
  std::string reason;
  ASSERT_TRUE(WriteNewFile(At("new.txt"), "letter", reason)) << reason;
  EXPECT_EQ(Read("new.txt"), "letter");
  for (const char* taken : {"kept.txt", "link.txt", "folder.txt", "new.txt"}) {
    EXPECT_FALSE(WriteNewFile(At(taken), "x", reason)) << taken;
    EXPECT_EQ(reason, "something is there already") << taken;
  }
  EXPECT_EQ(Read("kept.txt"), "theirs");
  EXPECT_EQ(Read("new.txt"), "letter");
  EXPECT_FALSE(WriteNewFile(At("missing/new.txt"), "x", reason));
  EXPECT_EQ(reason, "No such file or directory");
}

}  // namespace
