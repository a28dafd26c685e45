#include "submission_variants.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>

#include "contest_cabrillo.h"
#include "contest_folder.h"
#include "core/base/text.h"

namespace fs = std::filesystem;

namespace {

using Words = std::vector<std::string>;

// The file's lines without their CR LF, and back.
std::vector<std::string> LinesOf(const std::string& text) {
  return SplitLines(text);
}

std::string TextOf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  return text;
}

bool IsQsoLine(const std::string& line) {
  return line.compare(0, 4, "QSO:") == 0;
}

// Rewrites QSO lines through `change` (on "QSO:" and its fields: freq mode date
// time call rst exch call rst exch); `pick` chooses which, by their count.
void ChangeQsoLines(std::vector<std::string>& lines, const std::function<bool(int)>& pick,
                    const std::function<void(Words&)>& change) {
  int n = 0;
  for (std::string& line : lines) {
    if (!IsQsoLine(line) || !pick(n++))
      continue;
    Words words = SplitWords(line);
    change(words);
    std::string joined;
    for (const std::string& word : words)
      joined += (joined.empty() ? "" : " ") + word;
    line = joined;
  }
}

void ReplaceHeader(std::vector<std::string>& lines, const std::string& tag,
                   const std::string& value) {
  for (std::string& line : lines) {
    if (line.compare(0, tag.size(), tag) == 0)
      line = tag + " " + value;
  }
}

// "2026-06-13" moved by whole days.
std::string ShiftDate(const std::string& date, int days) {
  int y = std::stoi(date.substr(0, 4)), m = std::stoi(date.substr(5, 2)),
      d = std::stoi(date.substr(8, 2));
  std::tm tm{};
  tm.tm_year = y - 1900;
  tm.tm_mon = m - 1;
  tm.tm_mday = d + days;
  tm.tm_hour = 12;
  std::mktime(&tm);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
  return text;
}

std::string Mhz(const std::string& khz) {
  int value = std::stoi(khz);
  char text[32];
  std::snprintf(text, sizeof text, "%d.%03d", value / 1000, value % 1000);
  return text;
}

}  // namespace

std::vector<SubmissionVariant> WriteSubmissionVariants(const GeneratedContest& contest,
                                                       const std::string& folder) {
  std::error_code error;
  if (fs::exists(folder, error))
    throw WriteError(folder + " exists already; give a new folder");
  if (!fs::create_directories(folder, error))
    throw WriteError("cannot create " + folder + ": " + error.message());

  // The variants go to logs big enough to show them, with a right clock.
  const char* const kinds[] = {"colon_times_mhz", "short_times_khz", "some_phone",
                               "all_phone",       "other_contest",   "checklog",
                               "resubmitted",     "fake_older",      "late_qsos",
                               "other_year",      "unreadable_lines"};
  std::vector<SubmissionVariant> variants;
  for (size_t l = 0; l < contest.Logs.size() && variants.size() < std::size(kinds); ++l) {
    if (contest.Logs[l].Log.Qsos.size() >= 30 && contest.WrongClock[l] == 0)
      variants.push_back({kinds[variants.size()], static_cast<int>(l), "", 0});
  }
  if (variants.size() < std::size(kinds))
    throw WriteError("the contest has too few logs of 30 QSOs for every variant");

  struct Written {
    fs::path Path;
    int HoursOlder = 0;  // than its place in name order gives
  };
  std::vector<Written> files;
  std::vector<const SubmissionVariant*> byLog(contest.Logs.size(), nullptr);
  for (const SubmissionVariant& v : variants)
    byLog[v.Log] = &v;
  for (size_t l = 0; l < contest.Logs.size(); ++l) {
    const GeneratedLog& log = contest.Logs[l];
    std::vector<std::string> lines = LinesOf(CabrilloText(log));
    SubmissionVariant* variant = const_cast<SubmissionVariant*>(byLog[l]);
    auto all = [](int) { return true; };
    if (variant != nullptr) {
      const std::string& kind = variant->Kind;
      // Three lines in five, as when a log was joined from two programs' files.
      auto most = [](int n) { return n % 5 < 3; };
      if (kind == "colon_times_mhz") {
        ChangeQsoLines(lines, most, [](Words& w) {
          w[1] = Mhz(w[1]);
          w[4] = w[4].substr(0, 2) + ":" + w[4].substr(2);
        });
      } else if (kind == "short_times_khz") {
        ChangeQsoLines(lines, most, [](Words& w) {
          w[1] += ".0";
          w[4] = std::to_string(std::stoi(w[4]));
        });
      } else if (kind == "some_phone") {
        ChangeQsoLines(
            lines, [](int n) { return n % 2 == 0 && n < 58; },
            [variant](Words& w) {
              w[2] = "PH";
              ++variant->Lines;
            });
      } else if (kind == "all_phone") {
        ChangeQsoLines(lines, all, [](Words& w) { w[2] = "PH"; });
      } else if (kind == "other_contest") {
        ReplaceHeader(lines, "CONTEST:", "CQ-WW-CW");
      } else if (kind == "checklog") {
        ReplaceHeader(lines, "CATEGORY-OPERATOR:", "CHECKLOG");
      } else if (kind == "other_year") {
        ChangeQsoLines(lines, all, [](Words& w) { w[3] = ShiftDate(w[3], -364); });
      } else if (kind == "unreadable_lines") {
        // The sent exchange left out, as when a column is empty.
        ChangeQsoLines(
            lines, [](int n) { return n % 6 == 3 && n < 30; },
            [variant](Words& w) {
              w.erase(w.begin() + 7);
              ++variant->Lines;
            });
      } else if (kind == "late_qsos") {
        // The last three QSOs again, on another band, two days after the contest.
        std::vector<std::string> late;
        for (const std::string& line : lines) {
          if (IsQsoLine(line))
            late.push_back(line);
        }
        late.erase(late.begin(), late.end() - 3);
        ChangeQsoLines(late, all, [](Words& w) {
          int khz = std::stoi(w[1]);
          w[1] = std::to_string(khz < 10000 ? 2 * khz : khz < 20000 ? khz + 7000 : khz - 7000);
          w[3] = ShiftDate(w[3], 2);
        });
        lines.insert(lines.end() - 1, late.begin(), late.end());
        variant->Lines = 3;
      } else if (kind == "resubmitted" || kind == "fake_older") {
        // An earlier file of the same call, older than the log that replaced it.
        std::vector<std::string> earlier;
        int kept = kind == "resubmitted" ? 10 : 3;
        int qsos = 0;
        for (const std::string& line : lines) {
          if (!IsQsoLine(line) || qsos++ < kept)
            earlier.push_back(line);
        }
        variant->Lines = kept;
        variant->File = kind == "resubmitted" ? log.Log.Call + "-first.cbr" : "000-fake.cbr";
        files.push_back({fs::path(folder) / variant->File, 1});
        WriteGeneratedFile(files.back().Path.string(), TextOf(earlier));
        files.push_back({fs::path(folder) / CabrilloFileName(log.Log.Call), 0});
        WriteGeneratedFile(files.back().Path.string(), TextOf(lines));
        continue;
      }
      variant->File = CabrilloFileName(log.Log.Call);
    }
    files.push_back({fs::path(folder) / CabrilloFileName(log.Log.Call), 0});
    WriteGeneratedFile(files.back().Path.string(), TextOf(lines));
  }

  // Dated an hour apart in name order, ending now; earlier submissions older still.
  std::sort(files.begin(), files.end(),
            [](const Written& a, const Written& b) { return a.Path < b.Path; });
  const fs::file_time_type now = fs::last_write_time(files.back().Path);
  for (size_t i = 0; i < files.size(); ++i) {
    auto hours = static_cast<int>(files.size() - i) + 10 * files[i].HoursOlder;
    fs::last_write_time(files[i].Path, now - std::chrono::hours(hours), error);
    if (error)
      throw WriteError("cannot date " + files[i].Path.string() + ": " + error.message());
  }
  return variants;
}
