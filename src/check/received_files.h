// The files of a contest's folder as received, and which of them counts when
// one station sent several: the newest, as sponsors' log robots take it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ReceivedFile {
  std::string Name;
  uint64_t Bytes = 0;
  int64_t Modified = 0;  // in the file system's own units: only compared
};

// The folder's files (a link to a file is read as that file), sorted by name;
// folders in it are passed over. Throws InputError when the folder cannot be read.
std::vector<ReceivedFile> ReceivedFilesIn(const std::string& folder);

struct SubmissionOrder {
  int64_t Modified = 0;
  size_t QsoLines = 0;
  std::string Name;
};

// Whether `a` replaces `b`: newer; at the same time, the one with more QSO
// lines; then the later name, so that the choice never depends on the order
// the files were listed in.
bool Replaces(const SubmissionOrder& a, const SubmissionOrder& b);
