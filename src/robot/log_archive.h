// Every received log as one tar archive for the sponsor, with a table of what
// each file is. The archive is laid out piece by piece, so that the server
// streams it without holding every log at once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "blob_store.h"
#include "submission_db.h"

// The ustar header of a regular file `name` (at most 100 bytes) of `size` bytes.
std::string TarHeader(const std::string& name, uint64_t size, int64_t mtime);
// The zero bytes that fill a file's data up to the next 512-byte block.
std::string TarPadding(uint64_t size);
// The two zero blocks that end an archive.
std::string TarEnd();

// The name of a submission's file in the archive: "logs/000017-JA1ABC_P.log".
std::string ArchiveName(const SubmissionRow& row);

// submissions.csv: one row per submission, oldest first; every cell that a
// spreadsheet would take as a formula is quoted harmless.
std::string SubmissionsCsv(const std::vector<SubmissionRow>& rows);

// The archive of `rows` piece by piece: a log's header and bytes at a time,
// read from `blobs` when its turn comes, then submissions.csv and the end.
class ArchiveStream {
 public:
  ArchiveStream(std::vector<SubmissionRow> rows, const BlobStore& blobs, int64_t madeAt)
      : rows_(std::move(rows)), blobs_(blobs), madeAt_(madeAt) {}
  // False once the archive is whole. Throws StorageError when a log cannot be read.
  bool Next(std::string& piece);

 private:
  std::vector<SubmissionRow> rows_;
  const BlobStore& blobs_;
  int64_t madeAt_;
  size_t next_ = 0;
  bool ended_ = false;
};
