#include "check/results_writer.h"

#include "check/check_folders.h"
#include "files/made_files.h"

namespace {

std::vector<std::string> With(std::vector<std::string> names, const std::string& name) {
  names.push_back(name);
  return names;
}

}  // namespace

ResultsWriter::ResultsWriter(const std::string& folder, const SponsorTable& table,
                             std::vector<std::string> ownNames, std::ostream* progress)
    : CheckOutputs(table, With(ownNames, kMadeFilesName)),
      folder_(folder),
      ownNames_(std::move(ownNames)),
      progress_(progress) {}

void ResultsWriter::Expect(const std::vector<std::string>& names) {
  std::vector<std::string> made = ownNames_;
  made.insert(made.end(), names.begin(), names.end());
  RecordResults(folder_, made);
}

void ResultsWriter::Write(const std::string& name, const std::string& text) {
  // A result that cannot be written stops none of the others.
  std::string why;
  if (!WriteResult(folder_, name, text, why))
    unwritten_.push_back(why);
}

void ResultsWriter::Progress(const CheckProgress& progress) {
  if (progress_ == nullptr)
    return;
  // Redrawn at most five times a second: a terminal is slow to draw.
  auto now = std::chrono::steady_clock::now();
  if (now - shown_ < std::chrono::milliseconds(200))
    return;
  shown_ = now;
  double seconds = std::chrono::duration<double>(now - start_).count();
  *progress_ << "\r" << ProgressText(progress, seconds) << "\x1b[K" << std::flush;
}

void ResultsWriter::Finished(const CheckedContest& contest) {
  CheckOutputs::Finished(contest);
  if (progress_ != nullptr)
    *progress_ << "\r\x1b[K" << std::flush;  // the line gives way to the results
}

std::string ProgressText(const CheckProgress& p, double seconds) {
  // The three passes over the logs weigh alike; the matching is short.
  double total = p.Files + 2.0 * p.Entrants;
  double done = p.Read + p.Scored + p.Reported;
  if (p.Entrants == 0)
    total = 3.0 * p.Files;  // not yet known: about one entrant a file
  std::string text = std::to_string(p.Read) + " of " + std::to_string(p.Files) + " logs read, " +
                     std::to_string(p.Scored) + " scored, " + (p.Matched ? "matched, " : "") +
                     std::to_string(p.Reported) + " checked";
  if (done < 1 || total <= 0 || seconds < 1)
    return text;
  int left = static_cast<int>(seconds * (total - done) / done + 0.5);
  return text + "; about " + (left >= 60 ? std::to_string(left / 60) + " min " : std::string()) +
         std::to_string(left % 60) + " s left";
}
