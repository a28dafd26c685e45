#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/engine/error_file.h"

namespace {

class ErrorFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/dkz-errfile-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    path_ = folder_ + "/err.txt";
  }
  void TearDown() override {
    std::remove(path_.c_str());
    rmdir(path_.c_str());
    rmdir(folder_.c_str());
  }
  std::string Content() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  bool Exists() const {
    struct stat info;
    return stat(path_.c_str(), &info) == 0;
  }

  std::string folder_, path_;
};

TEST_F(ErrorFileTest, RecreateTruncatesToTheHeaderLine) {
  std::ofstream(path_) << "old lines\r\n";
  ErrorFile file(path_);
  file.Recreate();
  EXPECT_EQ(Content(), "DKZ Contest UBN file \r\n");
}

TEST_F(ErrorFileTest, EveryLineIsInTheFileWhenAppendReturns) {
  ErrorFile file(path_);
  file.Recreate();
  file.Append("one\r\n");
  EXPECT_EQ(Content(), "DKZ Contest UBN file \r\none\r\n");
  file.Append("");
  file.Append("two\r\nthree\r\n");
  EXPECT_EQ(Content(), "DKZ Contest UBN file \r\none\r\ntwo\r\nthree\r\n");
  file.Close();
  file.Append("four\r\n");  // after a close: appended, not truncated
  EXPECT_EQ(Content(), "DKZ Contest UBN file \r\none\r\ntwo\r\nthree\r\nfour\r\n");
}

TEST_F(ErrorFileTest, AnAppendWithNothingToWriteStillCreatesAMissingFile) {
  ErrorFile file(path_);
  file.Append("");
  EXPECT_TRUE(Exists());
  EXPECT_EQ(Content(), "");
}

TEST_F(ErrorFileTest, AFileThatCannotBeOpenedLosesItsLinesSilently) {
  ASSERT_EQ(mkdir(path_.c_str(), 0700), 0);
  ErrorFile file(path_);
  file.Recreate();
  file.Append("lost\r\n");
  file.Append("");
  file.Close();
  struct stat info;
  ASSERT_EQ(stat(path_.c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
}

}  // namespace
