// What the robot keeps of an upload, apart from HTTP: the bytes and the row
// durably, in that order, or nothing; the last submission of a call counts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "robot_test_logs.h"
#include "sha256.h"

namespace {

Upload UploadOf(const std::string& bytes, const std::string& name = "log.cbr") {
  return {bytes, Sha256Hex(bytes), name, "op@example.org"};
}

class UploadServiceTest : public testing::Test {
 protected:
  UploadServiceTest() : blobs_(folder_.Path() + "/logs"), db_(folder_.Path() + "/robot.db") {}

  UploadService Service(RobotSettings settings = {}) {
    return UploadService(settings, TestCountries(), SponsorTable::Default(), blobs_, db_);
  }

  TempFolder folder_;
  BlobStore blobs_;
  SubmissionDb db_;
};

TEST_F(UploadServiceTest, KeepsTheBytesAsSentAndARowThatSurvivesAReopen) {
  std::string bytes = TestLog("DL4MCF", 20) + "\r\n\x01 trailing bytes \xFF\n";
  UploadAnswer answer = Service().Receive(UploadOf(bytes, "../../etc/passwd"), 1686394800);
  ASSERT_TRUE(answer.Receipt.has_value());
  EXPECT_EQ(answer.Receipt->FileName, "../../etc/passwd");
  EXPECT_EQ(blobs_.Read(Sha256Hex(bytes)), bytes);
  EXPECT_FALSE(std::filesystem::exists(folder_.Path() + "/etc"));

  SubmissionDb reopened(folder_.Path() + "/robot.db");
  std::optional<SubmissionRow> row = reopened.Find(answer.Receipt->Id);
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ(row->Sha256, Sha256Hex(bytes));
  EXPECT_EQ(row->Size, static_cast<int64_t>(bytes.size()));
  EXPECT_EQ(row->Warnings, answer.Receipt->Warnings);
  EXPECT_EQ(row->ComputedScore, answer.Receipt->ComputedScore);
}

TEST_F(UploadServiceTest, StoresNothingOfARefusedLog) {
  UploadAnswer answer = Service().Receive(UploadOf("<html><script>x</script></html>"), 1);
  EXPECT_FALSE(answer.Receipt.has_value());
  EXPECT_TRUE(answer.Verdict.Refused);
  EXPECT_TRUE(db_.All().empty());
  EXPECT_TRUE(blobs_.List().empty());
}

TEST_F(UploadServiceTest, TheLastSubmissionCountsAndTheEarlierAreKept) {
  UploadService service = Service();
  int64_t first = service.Receive(UploadOf(TestLog("DL4MCF", 10)), 100).Receipt->Id;
  int64_t other = service.Receive(UploadOf(TestLog("OK1XX", 10)), 150).Receipt->Id;
  int64_t second = service.Receive(UploadOf(TestLog("DL4MCF", 12)), 200).Receipt->Id;
  std::vector<SubmissionRow> history = db_.History("DL4MCF");
  ASSERT_EQ(history.size(), 2u);
  EXPECT_EQ(history[0].Id, second);
  EXPECT_EQ(history[0].SupersededBy, 0);
  EXPECT_EQ(history[1].Id, first);
  EXPECT_EQ(history[1].SupersededBy, second);
  std::vector<SubmissionRow> current = db_.Current();
  ASSERT_EQ(current.size(), 2u);
  EXPECT_EQ(current[0].Id, second);
  EXPECT_EQ(current[1].Id, other);
}

TEST_F(UploadServiceTest, ListsOfRowsNeverCarryTheWarningsText) {
  SubmissionRow row;
  row.Call = "DL4MCF";
  row.Sha256 = std::string(64, 'a');
  row.Warnings.assign(20000, std::string(200, 'w'));
  const int64_t id = db_.Insert(row, {});
  ASSERT_EQ(db_.Current().size(), 1u);
  EXPECT_TRUE(db_.Current()[0].Warnings.empty());
  ASSERT_EQ(db_.All().size(), 1u);
  EXPECT_TRUE(db_.All()[0].Warnings.empty());
  EXPECT_EQ(db_.All()[0].WarningCount, 20000);
  EXPECT_TRUE(db_.History("DL4MCF").at(0).Warnings.empty());
  EXPECT_EQ(db_.History("DL4MCF").at(0).WarningCount, 20000);
  // Where one log is shown whole, all of them.
  EXPECT_EQ(db_.Find(id)->Warnings.size(), 20000u);
}

TEST_F(UploadServiceTest, ALateLogIsKeptAndMarked) {
  RobotSettings settings;
  settings.Deadline = 1000;
  UploadService service = Service(settings);
  EXPECT_FALSE(service.Receive(UploadOf(TestLog("DL4MCF")), 1000).Receipt->Late);
  std::optional<SubmissionRow> late = service.Receive(UploadOf(TestLog("OK1XX")), 1001).Receipt;
  ASSERT_TRUE(late.has_value());
  EXPECT_TRUE(late->Late);
  EXPECT_NE(late->Warnings.at(0).find("after the deadline"), std::string::npos);
}

TEST_F(UploadServiceTest, ListsStationsFoundInEnoughLogsThatSentNone) {
  UploadService service = Service();
  // Each test log of 20 QSOs works JA0AAA, JA1BAA, ... JA9TAA; JA1BAA sends
  // a log of its own, of one QSO with JA0AAA.
  for (const char* call : {"DL4MCF", "OK1XX", "G3ZZZ"})
    service.Receive(UploadOf(TestLog(call, 20)), 1);
  service.Receive(UploadOf(TestLog("JA1BAA", 1)), 2);
  std::vector<MissingCall> missing = db_.Missing(3);
  ASSERT_EQ(missing.size(), 19u);
  EXPECT_EQ(missing[0].Call, "JA0AAA");
  EXPECT_EQ(missing[0].Logs, 4);
  for (const MissingCall& call : missing)
    EXPECT_NE(call.Call, "JA1BAA");
  EXPECT_EQ(db_.Missing(4).size(), 1u);
  EXPECT_TRUE(db_.Missing(5).empty());
}

TEST_F(UploadServiceTest, AFolderThatFailsGivesNoReceiptAndNoRow) {
  UploadService service = Service();
  // The folder of the logs gone, a file in its place: every store fails.
  std::filesystem::remove_all(folder_.Path() + "/logs");
  std::filesystem::create_directory(folder_.Path() + "/logs.away");
  ASSERT_EQ(symlink("logs.away/missing/none", (folder_.Path() + "/logs").c_str()), 0);
  EXPECT_THROW(service.Receive(UploadOf(TestLog()), 1), StorageError);
  EXPECT_TRUE(db_.All().empty());
}

}  // namespace
