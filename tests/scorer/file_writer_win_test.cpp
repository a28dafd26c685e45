// The one writer on Windows (here under Wine): never through a link, never
// half a file, and never a temporary file left behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "driver/plugin_host.h"
#include "files/file_writer.h"
#include "files/path_entry.h"
#include "win_links.h"

namespace {

bool AnyTemporaryFile() {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA("dkz*.tmp", &entry);
  if (find == INVALID_HANDLE_VALUE)
    return false;
  FindClose(find);
  return true;
}

TEST(FileWriter, NeverWritesThroughALinkNorOverWhatIsNoPlainFile) {
  ScratchFolder folder;
  WriteWholeFile("users.txt", "the user's");
  CreateDirectoryA("users", nullptr);
  CreateDirectoryA("folder", nullptr);
  TestLink fileLink("file_link", "users.txt");
  TestLink folderLink("folder_link", "users");
  if (!fileLink.Made() || !folderLink.Made())
    GTEST_SKIP() << "no symbolic links here";
  WriteWholeFile("shared.txt", "the user's");
  ASSERT_TRUE(CreateHardLinkA("second_name", "shared.txt", nullptr));
  const struct {
    const char* Path;
    EntryKind Kind;
  } cases[] = {
      {"file_link", EntryKind::kLink},   {"folder_link", EntryKind::kLink},
      {"second_name", EntryKind::kLink}, {"folder", EntryKind::kFolder},
      {"nul.json", EntryKind::kOther},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Path);
    EXPECT_EQ(EntryAt(c.Path), c.Kind);
    std::string reason;
    EXPECT_FALSE(WriteFileWhole(c.Path, "written", reason));
    EXPECT_EQ(reason, "it is " + EntryRefusal(c.Kind));
  }
  EXPECT_EQ(EntryAt("users.txt"), EntryKind::kFile);
  EXPECT_EQ(EntryAt("missing.txt"), EntryKind::kMissing);
  EXPECT_EQ(ReadWholeFile("users.txt"), "the user's");
  EXPECT_EQ(ReadWholeFile("shared.txt"), "the user's");
  EXPECT_FALSE(AnyTemporaryFile());
}

TEST(FileWriter, ReplacesWholeOrLeavesTheOldFileAndNoTemporaryFile) {
  ScratchFolder folder;
  WriteWholeFile("results.csv", "the earlier results");
  std::string reason;
  ASSERT_TRUE(WriteFileWhole("results.csv", "new results", reason)) << reason;
  EXPECT_EQ(ReadWholeFile("results.csv"), "new results");
  // Held by a program that lets no one replace it: the rename fails at the end.
  HANDLE held =
      CreateFileA("results.csv", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteFileWhole("results.csv", "newer results", reason));
  CloseHandle(held);
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(ReadWholeFile("results.csv"), "new results");
  EXPECT_FALSE(AnyTemporaryFile());
}

}  // namespace
