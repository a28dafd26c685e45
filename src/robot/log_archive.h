// Every received log as one tar archive for the sponsor, with a table of what
// each file is. The archive is laid out piece by piece, so that the server
// streams it without holding every log at once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
