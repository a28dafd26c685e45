#include "robot/log_archive.h"

#include <cstdio>
#include <cstring>

#include "check/csv_text.h"
#include "core/base/text.h"
#include "robot/robot_text.h"

namespace {

// `width` - 1 octal digits and a NUL, as ustar writes numbers.
void Octal(char* field, size_t width, uint64_t value) {
  for (size_t i = width - 1; i-- > 0; value >>= 3)
    field[i] = static_cast<char>('0' + (value & 7));
  field[width - 1] = '\0';
}

std::string Optional(const std::optional<int64_t>& value) {
  return value ? std::to_string(*value) : "";
}

}  // namespace

std::string TarHeader(const std::string& name, uint64_t size, int64_t mtime) {
  char block[512] = {};
  std::memcpy(block, name.data(), std::min<size_t>(name.size(), 100));
  Octal(block + 100, 8, 0644);
  Octal(block + 108, 8, 0);
  Octal(block + 116, 8, 0);
  Octal(block + 124, 12, size);
  Octal(block + 136, 12, static_cast<uint64_t>(mtime < 0 ? 0 : mtime));
  std::memset(block + 148, ' ', 8);
  block[156] = '0';
  std::memcpy(block + 257, "ustar", 6);
  std::memcpy(block + 263, "00", 2);
  unsigned sum = 0;
  for (unsigned char c : block)
    sum += c;
  Octal(block + 148, 7, sum);
  return std::string(block, sizeof block);
}

std::string TarPadding(uint64_t size) {
  return std::string((512 - size % 512) % 512, '\0');
}

std::string TarEnd() {
  return std::string(1024, '\0');
}

std::string ArchiveName(const SubmissionRow& row) {
  char id[32];
  snprintf(id, sizeof id, "%06lld", static_cast<long long>(row.Id));
  return std::string("logs/") + id + "-" + ReplaceAll(row.Call, "/", "_") + ".log";
}

std::string LeftOutNote(const SubmissionRow& row, const std::string& problem) {
  return "log " + std::to_string(row.Id) + " (" + row.Call + ", " + ArchiveName(row) +
         "): its stored file is " + problem;
}

std::string SubmissionsCsv(const std::vector<SubmissionRow>& rows,
                           const std::vector<std::string>& fileProblems) {
  std::string csv =
      "id,file,call,received,late,counts,sha256,size,sent_as,email,format,category,"
      "lines_read,lines_unreadable,claimed_score,computed_score,warnings,file_problem\n";
  for (size_t i = 0; i < rows.size(); ++i) {
    const SubmissionRow& r = rows[i];
    std::string counts = r.Held                ? "held for the sponsor"
                         : r.SupersededBy == 0 ? "yes"
                                               : "replaced by " + std::to_string(r.SupersededBy);
    std::vector<std::string> cells = {std::to_string(r.Id),
                                      ArchiveName(r),
                                      r.Call,
                                      IsoUtc(r.Received),
                                      r.Late ? "late" : "",
                                      counts,
                                      r.Sha256,
                                      std::to_string(r.Size),
                                      r.FileName,
                                      r.Email,
                                      r.Format,
                                      r.Category,
                                      std::to_string(r.LinesRead),
                                      std::to_string(r.LinesUnreadable),
                                      Optional(r.ClaimedScore),
                                      Optional(r.ComputedScore),
                                      std::to_string(r.WarningCount),
                                      i < fileProblems.size() ? fileProblems[i] : ""};
    for (size_t i = 0; i < cells.size(); ++i)
      csv += (i ? "," : "") + CsvCell(cells[i]);
    csv += "\n";
  }
  return csv;
}

std::vector<std::string> ArchiveStream::Verify() {
  problems_.clear();
  notes_.clear();
  for (const SubmissionRow& row : rows_) {
    problems_.push_back(blobs_.Fetch(row.Sha256).Problem);
    if (!problems_.back().empty())
      notes_.push_back(LeftOutNote(row, problems_.back()) + ": left out");
  }
  return notes_;
}

bool ArchiveStream::Next(std::string& piece) {
  while (next_ < rows_.size()) {
    const SubmissionRow& row = rows_[next_];
    const bool leftOut = next_ < problems_.size() && !problems_[next_].empty();
    ++next_;
    if (leftOut)
      continue;
    std::string bytes = blobs_.Read(row.Sha256);
    piece =
        TarHeader(ArchiveName(row), bytes.size(), row.Received) + bytes + TarPadding(bytes.size());
    return true;
  }
  if (ended_)
    return false;
  piece.clear();
  if (!notes_.empty()) {
    std::string text;
    for (const std::string& note : notes_)
      text += note + "\n";
    piece = TarHeader("problems.txt", text.size(), madeAt_) + text + TarPadding(text.size());
  }
  std::string csv = SubmissionsCsv(rows_, problems_);
  piece +=
      TarHeader("submissions.csv", csv.size(), madeAt_) + csv + TarPadding(csv.size()) + TarEnd();
  ended_ = true;
  return true;
}
