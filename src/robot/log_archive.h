// Every received log as one tar archive for the sponsor, with a table of what
// each file is. The archive is laid out piece by piece, so that the server
// streams it without holding every log at once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "robot/blob_store.h"
#include "robot/submission_db.h"

// The ustar header of a regular file `name` (at most 100 bytes) of `size` bytes.
std::string TarHeader(const std::string& name, uint64_t size, int64_t mtime);
// The zero bytes that fill a file's data up to the next 512-byte block.
std::string TarPadding(uint64_t size);
// The two zero blocks that end an archive.
std::string TarEnd();

// The name of a submission's file in the archive: "logs/000017-JA1ABC_P.log".
std::string ArchiveName(const SubmissionRow& row);

// "log 17 (DL4MCF, logs/000017-DL4MCF.log): its stored file is missing".
std::string LeftOutNote(const SubmissionRow& row, const std::string& problem);

// submissions.csv: one row per submission, oldest first, with what is wrong
// with its stored file (`fileProblems`, by row; empty: nothing); every cell
// that a spreadsheet would take as a formula is quoted harmless.
std::string SubmissionsCsv(const std::vector<SubmissionRow>& rows,
                           const std::vector<std::string>& fileProblems = {});

// The archive of `rows` piece by piece: a log's header and bytes at a time,
// read from `blobs` when its turn comes, then problems.txt when a stored log
// is left out, submissions.csv and the end.
class ArchiveStream {
 public:
  ArchiveStream(std::vector<SubmissionRow> rows, const BlobStore& blobs, int64_t madeAt)
      : rows_(std::move(rows)), blobs_(blobs), madeAt_(madeAt) {}
  // Reads every stored log once before the archive begins, so that one that
  // is missing or altered is left out with a note instead of cutting the
  // archive short; returns the notes. Throws StorageError.
  std::vector<std::string> Verify();
  // False once the archive is whole. Throws StorageError when a log cannot be
  // read whole (again): the archive must then be cut short.
  bool Next(std::string& piece);

 private:
  std::vector<SubmissionRow> rows_;
  const BlobStore& blobs_;
  int64_t madeAt_;
  std::vector<std::string> problems_;  // by row, once verified
  std::vector<std::string> notes_;
  size_t next_ = 0;
  bool ended_ = false;
};
