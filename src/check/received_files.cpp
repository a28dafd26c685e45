#include "check/received_files.h"

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "logs/log_qso.h"

namespace fs = std::filesystem;

std::vector<ReceivedFile> ReceivedFilesIn(const std::string& folder) {
  std::vector<ReceivedFile> files;
  std::error_code error;
  for (fs::directory_iterator it(fs::u8path(folder), error), end; !error && it != end;
       it.increment(error)) {
    std::error_code fileError;
    if (!it->is_regular_file(fileError))
      continue;
    ReceivedFile file;
    file.Name = it->path().filename().u8string();
    file.Bytes = it->file_size(fileError);
    file.Modified = it->last_write_time(fileError).time_since_epoch().count();
    files.push_back(file);
  }
  if (error)
    throw InputError("cannot read the folder " + folder + ": " + error.message());
  std::sort(files.begin(), files.end(),
            [](const ReceivedFile& a, const ReceivedFile& b) { return a.Name < b.Name; });
  return files;
}

bool Replaces(const SubmissionOrder& a, const SubmissionOrder& b) {
  return std::tie(a.Modified, a.QsoLines, a.Name) > std::tie(b.Modified, b.QsoLines, b.Name);
}
