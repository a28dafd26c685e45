// What happens to an upload, apart from HTTP: checked, and when it may be a
// log of this contest, stored durably (the bytes, then its row) before the
// receipt exists. Refused logs are not stored. A later log of a call replaces
// the one that counts only with the call's resubmission key or from the
// address that one came from; otherwise it is held for the sponsor.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "check/sponsor_table.h"
#include "logs/country_file.h"
#include "robot/blob_store.h"
#include "robot/contest_settings.h"
#include "robot/log_validation.h"
#include "robot/submission_db.h"

struct Upload {
  std::string Bytes;     // exactly as received
  std::string Sha256;    // of Bytes
  std::string FileName;  // as the sender named it
  std::string Email;     // from the form; may be empty
  std::string Key;       // the call's resubmission key, from the form; may be empty
};

// When the upload began, before its body was read and judged: the logs of a
// call count in this order, whichever is judged first.
struct Arrival {
  int64_t Sequence = 0;
  int64_t UtcSeconds = 0;
};

struct UploadAnswer {
  LogVerdict Verdict;
  std::optional<SubmissionRow> Receipt;  // absent when the log was refused
  // The call's resubmission key when this upload was given it or sent it:
  // for this answer alone.
  std::string Key;
};

// A log that counted was replaced: whoever sent it is to be told, at the
// address it came from.
struct Replacement {
  std::string Address;
  std::string Call;
  int64_t ReplacedId = 0;
  int64_t ById = 0;
};
using ReplacementHook = std::function<void(const Replacement&)>;

class UploadService {
 public:
  UploadService(RobotSettings settings, CountryFile countries, SponsorTable table, BlobStore& blobs,
                SubmissionDb& db);

  // Takes the upload's place in the order of arrival.
  Arrival Arrive(int64_t nowUtcSeconds) { return {db_.NextSequence(), nowUtcSeconds}; }

  // Throws StorageError when the log could not be stored durably: then there
  // is no receipt, and no row.
  UploadAnswer Receive(const Upload& upload, const Arrival& arrival);
  // The same for an upload that arrives as it is received.
  UploadAnswer Receive(const Upload& upload, int64_t nowUtcSeconds) {
    return Receive(upload, Arrive(nowUtcSeconds));
  }

  // Called, after the new log is stored, for each log it replaced that came
  // from an address. Nothing is mailed yet: the robot sets no hook.
  void OnReplacement(ReplacementHook hook) { onReplacement_ = std::move(hook); }

  const RobotSettings& Settings() const { return settings_; }
  const CountryFile& Countries() const { return countries_; }
  const SponsorTable& Table() const { return table_; }
  BlobStore& Blobs() { return blobs_; }
  SubmissionDb& Db() { return db_; }

 private:
  RobotSettings settings_;
  CountryFile countries_;
  SponsorTable table_;
  BlobStore& blobs_;
  SubmissionDb& db_;
  ReplacementHook onReplacement_;
};
