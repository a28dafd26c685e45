// What the robot keeps of an upload, apart from HTTP: the bytes and the row
// durably, in that order, or nothing; the submission of a call that arrived
// last counts, when it came from whoever sent the one that counted.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>

#include "robot/resubmission_key.h"
#include "robot/sha256.h"
#include "robot_test_logs.h"

namespace {

Upload UploadOf(const std::string& bytes, const std::string& name = "log.cbr",
                const std::string& email = "op@example.org", const std::string& key = "") {
  return {bytes, Sha256Hex(bytes), name, email, key};
}

// A one-QSO checklog under another station's call.
const std::string kForged =
    "START-OF-LOG: 3.0\nCALLSIGN: DL4MCF\nCONTEST: DKZ-CW\nCATEGORY-OPERATOR: CHECKLOG\n"
    "QSO:  7017 CW 2023-06-10 0906 DL4MCF 599 1 JP6OGM 599 AT\nEND-OF-LOG:\n";

std::vector<int64_t> CountingIds(SubmissionDb& db) {
  std::vector<int64_t> ids;
  for (const SubmissionRow& row : db.Current())
    ids.push_back(row.Id);
  return ids;
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
  db_.Insert(row, {}, [](const CallStanding&) { return Admission{}; });
  const int64_t id = row.Id;
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

TEST_F(UploadServiceTest, AStationsCorrectedLogNoLongerCountsTheCallsItDropped) {
  UploadService service = Service();
  for (const char* call : {"DL4MCF", "OK1XX", "G3ZZZ"})
    service.Receive(UploadOf(TestLog(call, 20)), 1);
  auto logsHolding = [this](const std::string& call) {
    for (const MissingCall& missing : db_.Missing(1)) {
      if (missing.Call == call)
        return missing.Logs;
    }
    return 0;
  };
  ASSERT_EQ(logsHolding("JA0AAA"), 3);
  // DL4MCF sends again without its QSO with JA0AAA (the first of TestLog's).
  std::string corrected = TestLog("DL4MCF", 20);
  size_t first = corrected.find("QSO:");
  corrected.erase(first, corrected.find('\n', first) + 1 - first);
  service.Receive(UploadOf(corrected), 2);
  EXPECT_EQ(logsHolding("JA0AAA"), 2);
  EXPECT_EQ(logsHolding("JA1BAA"), 3);
}

// The forgery of the robot's attack: a checklog under DL4MCF's call from
// another address. It is kept, held, and counts nowhere until accepted.
TEST_F(UploadServiceTest, ALaterLogFromAnotherSenderIsHeldForTheSponsor) {
  UploadService service = Service();
  UploadAnswer first = service.Receive(UploadOf(TestLog("DL4MCF", 30)), 100);
  ASSERT_EQ(first.Key.size(), 32u);
  UploadAnswer forged = service.Receive(UploadOf(kForged, "f.cbr", "x@evil.example"), 101);
  ASSERT_TRUE(forged.Receipt.has_value());
  EXPECT_TRUE(forged.Receipt->Held);
  EXPECT_FALSE(forged.Receipt->Counts());
  EXPECT_EQ(forged.Receipt->HeldWhy,
            "a log of DL4MCF counts already (log 1), and this one came without its resubmission "
            "key, from another e-mail address");
  EXPECT_TRUE(forged.Key.empty());
  EXPECT_EQ(CountingIds(db_), std::vector<int64_t>{first.Receipt->Id});
  EXPECT_EQ(db_.Find(first.Receipt->Id)->SupersededBy, 0);
  EXPECT_TRUE(db_.Missing(1).size() > 0);
  for (const MissingCall& call : db_.Missing(1))
    EXPECT_NE(call.Call, "JP6OGM") << "a held log's QSOs are counted";
  UploadAnswer guessed =
      service.Receive(UploadOf(kForged + " ", "g.cbr", "x@evil.example", "0123abcd"), 102);
  EXPECT_NE(guessed.Receipt->HeldWhy.find("with a resubmission key that is not the call's"),
            std::string::npos);
  EXPECT_EQ(db_.HeldLogs().size(), 2u);
}

TEST_F(UploadServiceTest, TheKeyOrTheSameAddressReplacesTheLogThatCounts) {
  UploadService service = Service();
  std::vector<Replacement> told;
  service.OnReplacement([&told](const Replacement& r) { told.push_back(r); });
  UploadAnswer first = service.Receive(UploadOf(TestLog("DL4MCF", 10)), 100);
  // With the key from anywhere: the call keeps its key.
  UploadAnswer byKey = service.Receive(
      UploadOf(TestLog("DL4MCF", 11), "b.cbr", "elsewhere@example.org", " " + first.Key + " "),
      101);
  EXPECT_FALSE(byKey.Receipt->Held);
  EXPECT_EQ(byKey.Key, first.Key);
  // From the address of the log that counts now, in any case: no key shown.
  UploadAnswer byAddress =
      service.Receive(UploadOf(TestLog("DL4MCF", 12), "c.cbr", "Elsewhere@Example.org"), 102);
  EXPECT_FALSE(byAddress.Receipt->Held);
  EXPECT_TRUE(byAddress.Key.empty());
  EXPECT_EQ(CountingIds(db_), std::vector<int64_t>{byAddress.Receipt->Id});
  EXPECT_TRUE(ResubmissionKeyMatches(db_.KeyHashOf("DL4MCF"), first.Key));
  ASSERT_EQ(told.size(), 2u);
  EXPECT_EQ(told[0].Address, "op@example.org");
  EXPECT_EQ(told[0].ReplacedId, first.Receipt->Id);
  EXPECT_EQ(told[1].Address, "elsewhere@example.org");
  EXPECT_EQ(told[1].ById, byAddress.Receipt->Id);
}

// The sponsor's acceptance makes a held log count, and its sender, not the
// holder of the old key, the one who may replace it.
TEST_F(UploadServiceTest, AnAcceptedLogCountsAndTheOldKeyNoLongerReplacesIt) {
  UploadService service = Service();
  UploadAnswer first = service.Receive(UploadOf(TestLog("DL4MCF", 10)), 100);
  UploadAnswer held =
      service.Receive(UploadOf(TestLog("DL4MCF", 11), "h.cbr", "new@example.org"), 101);
  ASSERT_TRUE(held.Receipt->Held);
  auto listedMissing = [this](const std::string& call) {
    for (const MissingCall& missing : db_.Missing(1)) {
      if (missing.Call == call)
        return true;
    }
    return false;
  };
  EXPECT_FALSE(listedMissing("JA0KAA"));  // the 11th QSO: in the held log only
  ASSERT_EQ(db_.Accept(held.Receipt->Id, 200), AcceptOutcome::kAccepted);
  EXPECT_TRUE(listedMissing("JA0KAA"));
  std::optional<SubmissionRow> accepted = db_.Find(held.Receipt->Id);
  EXPECT_TRUE(accepted->Counts());
  EXPECT_EQ(accepted->Accepted, 200);
  EXPECT_EQ(db_.Find(first.Receipt->Id)->SupersededBy, held.Receipt->Id);
  UploadAnswer oldKey =
      service.Receive(UploadOf(TestLog("DL4MCF", 12), "k.cbr", "x@example.org", first.Key), 201);
  EXPECT_TRUE(oldKey.Receipt->Held);
  UploadAnswer sender =
      service.Receive(UploadOf(TestLog("DL4MCF", 13), "s.cbr", "new@example.org"), 202);
  EXPECT_FALSE(sender.Receipt->Held);
  EXPECT_EQ(sender.Key.size(), 32u);
  EXPECT_EQ(CountingIds(db_), std::vector<int64_t>{sender.Receipt->Id});
}

// A log judged longer is stored after a correction sent after it: the one
// whose upload began last counts all the same.
TEST_F(UploadServiceTest, TheLogThatArrivedLastCountsWhicheverIsStoredLast) {
  UploadService service = Service();
  Arrival bigFirst = service.Arrive(100);
  Arrival correction = service.Arrive(100);
  int64_t second = service.Receive(UploadOf(TestLog("DL4MCF", 12)), correction).Receipt->Id;
  int64_t first = service.Receive(UploadOf(TestLog("DL4MCF", 300)), bigFirst).Receipt->Id;
  EXPECT_EQ(CountingIds(db_), std::vector<int64_t>{second});
  std::vector<SubmissionRow> history = db_.History("DL4MCF");
  ASSERT_EQ(history.size(), 2u);
  EXPECT_EQ(history[0].Id, second);
  EXPECT_EQ(history[1].Id, first);
  EXPECT_EQ(history[1].SupersededBy, second);
  // The order survives a restart: later uploads still come after both.
  SubmissionDb reopened(folder_.Path() + "/robot.db");
  EXPECT_GT(reopened.NextSequence(), correction.Sequence);
}

// A data folder of the robot before logs were held: its logs keep their order.
TEST(SubmissionDb, AnEarlierRobotsDatabaseKeepsItsOrder) {
  TempFolder folder;
  const std::string path = folder.Path() + "/robot.db";
  sqlite3* old = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &old), SQLITE_OK);
  const char* kVersion1 =
      "CREATE TABLE submissions(id INTEGER PRIMARY KEY AUTOINCREMENT, call TEXT NOT NULL, "
      "received INTEGER NOT NULL, late INTEGER NOT NULL, sha256 TEXT NOT NULL, size INTEGER NOT "
      "NULL, file_name TEXT NOT NULL, email TEXT NOT NULL, format TEXT NOT NULL, category TEXT "
      "NOT NULL, category_text TEXT NOT NULL, lines_read INTEGER NOT NULL, lines_unreadable "
      "INTEGER NOT NULL, claimed_score INTEGER, computed_score INTEGER, warnings TEXT NOT NULL, "
      "worked TEXT NOT NULL);"
      "CREATE INDEX submissions_by_call ON submissions(call, id);"
      "CREATE TABLE check_runs(id INTEGER PRIMARY KEY AUTOINCREMENT, at INTEGER NOT NULL, "
      "logs INTEGER NOT NULL, folder TEXT NOT NULL);"
      "INSERT INTO submissions VALUES(1, 'DL4MCF', 1, 0, 'a', 1, 'a', 'op@example.org', "
      "'Cabrillo', '', '', 1, 0, NULL, NULL, '', 'JA1AAA');"
      "INSERT INTO submissions VALUES(2, 'DL4MCF', 2, 0, 'b', 1, 'b', 'op@example.org', "
      "'Cabrillo', '', '', 1, 0, NULL, NULL, '', 'JA1AAA');"
      "PRAGMA user_version = 1;";
  ASSERT_EQ(sqlite3_exec(old, kVersion1, nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(old);
  SubmissionDb db(path);
  EXPECT_EQ(CountingIds(db), std::vector<int64_t>{2});
  EXPECT_EQ(db.Find(1)->SupersededBy, 2);
  EXPECT_GT(db.NextSequence(), 2);
  EXPECT_EQ(db.KeyHashOf("DL4MCF"), "");
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
