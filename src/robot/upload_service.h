// What happens to an upload, apart from HTTP: checked, and when it may be a
// log of this contest, stored durably (the bytes, then its row) before the
// receipt exists. Refused logs are not stored.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "blob_store.h"
#include "contest_settings.h"
#include "country_file.h"
#include "log_validation.h"
#include "sponsor_table.h"
#include "submission_db.h"

struct Upload {
  std::string Bytes;     // exactly as received
  std::string Sha256;    // of Bytes
  std::string FileName;  // as the sender named it
  std::string Email;     // from the form; may be empty
};

struct UploadAnswer {
  LogVerdict Verdict;
  std::optional<SubmissionRow> Receipt;  // absent when the log was refused
};

class UploadService {
 public:
  UploadService(RobotSettings settings, CountryFile countries, SponsorTable table, BlobStore& blobs,
                SubmissionDb& db);

  // Throws StorageError when the log could not be stored durably: then there
  // is no receipt, and no row.
  UploadAnswer Receive(const Upload& upload, int64_t nowUtcSeconds);

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
};
