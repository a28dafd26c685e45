#include "log_archive.h"

#include <cstdio>
#include <cstring>

#include "core/base/text.h"
#include "robot_text.h"

namespace {

// `width` - 1 octal digits and a NUL, as ustar writes numbers.
void Octal(char* field, size_t width, uint64_t value) {
  for (size_t i = width - 1; i-- > 0; value >>= 3)
    field[i] = static_cast<char>('0' + (value & 7));
  field[width - 1] = '\0';
}

std::string CsvCell(const std::string& text) {
  std::string cell = text;
  // A cell that begins like a formula is made text, so no spreadsheet runs it.
  if (!cell.empty() && std::strchr("=+-@\t\r", cell[0]) != nullptr)
    cell = "'" + cell;
  if (cell.find_first_of(",\"\n\r") == std::string::npos)
    return cell;
  return '"' + ReplaceAll(cell, "\"", "\"\"") + '"';
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

std::string SubmissionsCsv(const std::vector<SubmissionRow>& rows) {
  std::string csv =
      "id,file,call,received,late,counts,sha256,size,sent_as,email,format,category,"
      "lines_read,lines_unreadable,claimed_score,computed_score,warnings\n";
  for (const SubmissionRow& r : rows) {
    std::vector<std::string> cells = {
        std::to_string(r.Id),
        ArchiveName(r),
        r.Call,
        IsoUtc(r.Received),
        r.Late ? "late" : "",
        r.SupersededBy == 0 ? "yes" : "replaced by " + std::to_string(r.SupersededBy),
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
        std::to_string(r.WarningCount)};
    for (size_t i = 0; i < cells.size(); ++i)
      csv += (i ? "," : "") + CsvCell(cells[i]);
    csv += "\n";
  }
  return csv;
}

bool ArchiveStream::Next(std::string& piece) {
  if (next_ < rows_.size()) {
    const SubmissionRow& row = rows_[next_++];
    std::string bytes = blobs_.Read(row.Sha256);
    piece =
        TarHeader(ArchiveName(row), bytes.size(), row.Received) + bytes + TarPadding(bytes.size());
    return true;
  }
  if (ended_)
    return false;
  std::string csv = SubmissionsCsv(rows_);
  piece =
      TarHeader("submissions.csv", csv.size(), madeAt_) + csv + TarPadding(csv.size()) + TarEnd();
  ended_ = true;
  return true;
}
