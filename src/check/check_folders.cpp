#include "check_folders.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "file_writer.h"
#include "log_qso.h"
#include "log_values.h"
#include "made_files.h"
#include "path_entry.h"

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

// A record behind a link is none: the link could name anyone's files.
MadeFiles RecordIn(const fs::path& folder) {
  const fs::path path = folder / kMadeFilesName;
  if (EntryAt(path.u8string()) != EntryKind::kFile)
    return MadeFiles();
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return MadeFiles::Parse(text.str());
}

// `path` and all below it, the deepest first. A link or a device on the way
// stops the clean-up before anything is removed: removing it might remove
// what it leads to (Wine deletes the target of a link).
void CollectForRemoval(const fs::path& path, const std::string& name, const std::string& shown,
                       std::vector<fs::path>& removal) {
  EntryKind kind = EntryAt(path.u8string());
  if (kind == EntryKind::kLink || kind == EntryKind::kOther) {
    throw InputError(shown + " holds " + name + ", which is " + EntryRefusal(kind) +
                     ": give a new or empty results folder");
  }
  if (kind == EntryKind::kFolder) {
    for (const fs::directory_entry& entry : fs::directory_iterator(path)) {
      CollectForRemoval(entry.path(), (fs::u8path(name) / entry.path().filename()).u8string(),
                        shown, removal);
    }
  }
  removal.push_back(path);
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
  std::vector<fs::path> removal;
  for (const fs::path& entry : entries)
    CollectForRemoval(entry, entry.filename().u8string(), shown, removal);
  for (const fs::path& entry : removal) {
    std::error_code error;
    fs::remove(entry, error);
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
  MadeFiles record;
  for (const std::string& name : names)
    record.Update(name, true);
  std::string reason;
  if (!WriteFileWhole((out / kMadeFilesName).u8string(), record.Text(), reason))
    throw InputError("cannot write into " + results + ": " + reason);
}

void RemoveWorkFolder(const std::string& folder) {
  std::vector<fs::path> removal;
  try {
    CollectForRemoval(PathOf(folder), folder, folder, removal);
  } catch (const std::exception&) {
    return;
  }
  for (const fs::path& entry : removal) {
    std::error_code ignored;  // what stays is only the plug-in's own files
    fs::remove(entry, ignored);
  }
}
