#include <gtest/gtest.h>

#include <set>

#include "files/made_files.h"

namespace {

const char kFolder[] = "C:\\Logs\\out";

// Of the files a run would write, which it must leave alone: what is there
// and not recorded, whatever the case or slash of either spelling.
TEST(MadeFiles, OnlyFilesThatAreThereAndNotRecordedAreRefused) {
  const std::set<std::string> there = {"C:\\Logs\\out\\err.txt", "C:\\Logs\\out\\Plugins\\DKZ.ini",
                                       "C:\\Logs\\out\\JA1VZT.cbr", "C:\\Logs\\summary.json"};
  auto isFile = [&](const std::string& path) { return there.count(path) > 0; };
  const std::vector<std::string> written = {
      "C:\\Logs\\out\\err.txt", "C:\\Logs\\out\\Plugins\\DKZ.ini", "C:\\Logs\\out\\JA1VZT.cbr",
      "C:\\Logs\\out\\JA1VZT.cbr.tmp", "C:\\Logs\\summary.json"};
  const struct {
    const char* Record;
    std::vector<std::string> Refused;
  } cases[] = {
      {"", {written[0], written[1], written[2], written[4]}},  // none recorded, or no record
      {"ERR.TXT\r\nplugins/dkz.ini\r\nja1vzt.CBR\r\nC:/logs/SUMMARY.json\r\n", {}},
      {"err.txt\nPlugins\\DKZ.ini\n\nJA1VZT.cbr.tmp\nsummary.json\n", {written[2], written[4]}},
      {"err.txt "
       "\r\nPlugins\\DKZ.in\r\nPlugins\\DKZ.ini.bak\r\nJA1VZT.cbr\r\nC:\\Logs\\summary.json",
       {written[0], written[1]}},  // near misses are other names
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Record);
    EXPECT_EQ(NotMadeByUs(MadeFiles::Parse(c.Record), kFolder, written, isFile), c.Refused);
  }
}

TEST(MadeFiles, UpdateKeepsOneLineEachAndDropsWhatIsGone) {
  MadeFiles record = MadeFiles::Parse("err.txt\r\nOLD.cbr\r\nerr.txt\r\n");
  record.Update(NameInFolder(kFolder, "c:\\logs\\OUT\\Plugins\\DKZ.ini"), true);
  record.Update("ERR.TXT", true);
  record.Update("old.cbr", false);
  record.Update(NameInFolder(kFolder, "C:\\Logs\\outside.json"), true);
  record.Update(NameInFolder(kFolder, "C:\\Logs\\out"),
                true);  // the folder itself is no name in it
  EXPECT_EQ(record.Text(),
            "Plugins\\DKZ.ini\r\nERR.TXT\r\nC:\\Logs\\outside.json\r\nC:\\Logs\\out\r\n");
  EXPECT_EQ(MadeFiles::Parse(record.Text()).Text(), record.Text());
}

}  // namespace
