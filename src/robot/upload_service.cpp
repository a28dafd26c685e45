#include "robot/upload_service.h"

#include "core/base/text.h"
#include "robot/resubmission_key.h"
#include "robot/robot_text.h"

namespace {

bool SameAddress(const std::string& a, const std::string& b) {
  return !Trim(a).empty() && ToLower(Trim(a)) == ToLower(Trim(b));
}

// A log of a call that counts already is taken in its place only from whoever
// sent that one: with the call's key, or from the same address. The call's
// first log, or the first after the sponsor accepted a held one, is given a key.
Admission Admit(const CallStanding& standing, const std::string& email, const std::string& key,
                std::string& newKey) {
  Admission admission;
  const bool keyMatches =
      !standing.KeyHash.empty() && ResubmissionKeyMatches(standing.KeyHash, key);
  if (standing.Counted && !keyMatches && !SameAddress(email, standing.Counted->Email)) {
    admission.HeldWhy = "a log of " + standing.Counted->Call + " counts already (log " +
                        std::to_string(standing.Counted->Id) + "), and this one came " +
                        (Trim(key).empty() ? "without its resubmission key"
                                           : "with a resubmission key that is not the call's") +
                        ", from another e-mail address";
    return admission;
  }
  if (standing.KeyHash.empty()) {
    newKey = NewResubmissionKey();
    admission.NewKeyHash = ResubmissionKeyHash(newKey);
  } else if (keyMatches) {
    newKey = CleanResubmissionKey(key);
  }
  return admission;
}

}  // namespace

UploadService::UploadService(RobotSettings settings, CountryFile countries, SponsorTable table,
                             BlobStore& blobs, SubmissionDb& db)
    : settings_(std::move(settings)),
      countries_(std::move(countries)),
      table_(std::move(table)),
      blobs_(blobs),
      db_(db) {}

UploadAnswer UploadService::Receive(const Upload& upload, const Arrival& arrival) {
  UploadAnswer answer;
  answer.Verdict = ValidateLog(upload.Bytes, settings_, countries_, table_);
  const LogVerdict& verdict = answer.Verdict;
  if (verdict.Refused)
    return answer;
  SubmissionRow row;
  row.Call = verdict.Call;
  row.Received = arrival.UtcSeconds;
  row.Sequence = arrival.Sequence;
  row.Late = settings_.Deadline && arrival.UtcSeconds > *settings_.Deadline;
  row.Sha256 = upload.Sha256;
  row.Size = static_cast<int64_t>(upload.Bytes.size());
  row.FileName = Clipped(upload.FileName, 200);
  row.Email = Clipped(upload.Email.empty() ? verdict.Email : upload.Email, 200);
  row.Format = verdict.Format;
  row.Category = verdict.Category;
  row.CategoryText = verdict.CategoryText;
  row.LinesRead = verdict.LinesRead;
  row.LinesUnreadable = verdict.LinesUnreadable;
  row.ClaimedScore = verdict.ClaimedScore;
  row.ComputedScore = verdict.ComputedScore;
  row.Warnings = verdict.Warnings;
  if (row.Late) {
    row.Warnings.insert(
        row.Warnings.begin(),
        "received after the deadline, " + DeadlineText(settings_) + ": kept and marked late");
  }
  // The bytes first, then the row that points at them: a row never names a
  // file that is not on disk, and only a committed row makes a receipt.
  blobs_.Store(row.Sha256, upload.Bytes);
  std::optional<SubmissionRow> replaced;
  db_.Insert(row, verdict.WorkedCalls, [&](const CallStanding& standing) {
    replaced = standing.Counted;
    return Admit(standing, row.Email, upload.Key, answer.Key);
  });
  // Once receipts are mailed, the hook tells the address of the log replaced.
  const bool replacesIt = !row.Held && replaced && replaced->Sequence < row.Sequence;
  if (replacesIt && onReplacement_ && !Trim(replaced->Email).empty())
    onReplacement_({replaced->Email, row.Call, replaced->Id, row.Id});
  answer.Receipt = row;
  return answer;
}
