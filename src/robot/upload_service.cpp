#include "upload_service.h"

#include "robot_text.h"

UploadService::UploadService(RobotSettings settings, CountryFile countries, SponsorTable table,
                             BlobStore& blobs, SubmissionDb& db)
    : settings_(std::move(settings)),
      countries_(std::move(countries)),
      table_(std::move(table)),
      blobs_(blobs),
      db_(db) {}

UploadAnswer UploadService::Receive(const Upload& upload, int64_t nowUtcSeconds) {
  UploadAnswer answer;
  answer.Verdict = ValidateLog(upload.Bytes, settings_, countries_, table_);
  const LogVerdict& verdict = answer.Verdict;
  if (verdict.Refused)
    return answer;
  SubmissionRow row;
  row.Call = verdict.Call;
  row.Received = nowUtcSeconds;
  row.Late = settings_.Deadline && nowUtcSeconds > *settings_.Deadline;
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
  row.Id = db_.Insert(row, verdict.WorkedCalls);
  answer.Receipt = row;
  return answer;
}
