#include "check_folders.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "log_qso.h"
#include "log_values.h"
#include "made_files.h"

namespace fs = std::filesystem;

namespace {

// Paths are UTF-8 text, as everywhere in the scorer.
fs::path PathOf(const std::string& utf8) {
  return fs::u8path(utf8);
}

// Names compare as Windows compares them.
std::string NameKey(const fs::path& name) {
  return ToLower(name.u8string());
}

bool Inside(const fs::path& inner, const fs::path& outer) {
  std::error_code error;
  std::string in = NameKey(fs::weakly_canonical(fs::absolute(inner, error), error));
  std::string out = NameKey(fs::weakly_canonical(fs::absolute(outer, error), error));
  while (!out.empty() && (out.back() == '/' || out.back() == '\\'))
    out.pop_back();
  return in.compare(0, out.size(), out) == 0 &&
         (in.size() == out.size() || in[out.size()] == '/' || in[out.size()] == '\\');
}

MadeFiles RecordIn(const fs::path& folder) {
  std::ifstream in(folder / kMadeFilesName, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return MadeFiles::Parse(text.str());
}

// Removes an earlier check's outputs, after making sure nothing else is there.
void ClearEarlierResults(const fs::path& folder, const std::string& shown) {
  MadeFiles ours = RecordIn(folder);
  ours.Update(kMadeFilesName, true);
  std::vector<fs::path> entries;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (!ours.Holds(entry.path().filename().u8string())) {
      throw InputError(shown + " holds " + entry.path().filename().u8string() +
                       ", which no check wrote: give a new or empty results folder");
    }
    entries.push_back(entry.path());
  }
  // The record goes last: an interrupted clean-up can be run again.
  MadeFiles record;
  record.Update(kMadeFilesName, true);
  std::stable_partition(entries.begin(), entries.end(), [&](const fs::path& path) {
    return !record.Holds(path.filename().u8string());
  });
  for (const fs::path& entry : entries) {
    std::error_code error;
    fs::remove_all(entry, error);
    if (error)
      throw InputError("cannot remove the earlier " + entry.u8string() + ": " + error.message());
  }
}

}  // namespace

std::vector<std::string> LogFilesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(PathOf(folder), error), end; !error && it != end;
       it.increment(error)) {
    if (it->is_regular_file(error))
      names.push_back(it->path().filename().u8string());
  }
  if (error)
    throw InputError("cannot read the folder " + folder + ": " + error.message());
  std::sort(names.begin(), names.end());
  return names;
}

void PrepareResultsFolder(const std::string& logFolder, const std::string& results,
                          const std::vector<std::string>& names) {
  const fs::path out = PathOf(results);
  if (Inside(out, PathOf(logFolder)))
    throw InputError("the results folder " + results + " is in the logs' folder " + logFolder +
                     ": give one outside it");
  std::error_code error;
  if (fs::exists(out, error)) {
    if (!fs::is_directory(out, error))
      throw InputError(results + " is a file, not a folder");
    try {
      ClearEarlierResults(out, results);
    } catch (const fs::filesystem_error& e) {
      throw InputError("cannot read the folder " + results + ": " + e.what());
    }
  } else if (!fs::create_directories(out, error)) {
    throw InputError("cannot make the folder " + results + ": " + error.message());
  }
  RecordResults(results, names);
}

void RecordResults(const std::string& results, const std::vector<std::string>& names) {
  MadeFiles record;
  for (const std::string& name : names)
    record.Update(name, true);
  std::ofstream written(PathOf(results) / kMadeFilesName, std::ios::binary);
  written << record.Text();
  written.close();
  if (!written)
    throw InputError("cannot write into " + results);
}
