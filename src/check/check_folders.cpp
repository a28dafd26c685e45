#include "check/check_folders.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "check/folder_system.h"
#include "files/file_writer.h"
#include "files/made_files.h"
#include "logs/log_qso.h"

namespace {

// A record behind a link is none: the link could name anyone's files.
MadeFiles RecordIn(const std::string& folder) {
  const std::string path = PathIn(folder, kMadeFilesName);
  if (EntryAt(path) != EntryKind::kFile)
    return MadeFiles();
  std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return MadeFiles::Parse(text.str());
}

struct Entry {
  std::string Path;
  EntryKind Kind;
};

// The entries of a folder the check made, looked at before any is removed.
std::vector<Entry> EntriesOf(const std::string& folder) {
  std::vector<std::string> names;
  std::string why;
  if (!NamesIn(folder, names, why))
    throw InputError(why);
  std::vector<Entry> entries;
  for (const std::string& name : names) {
    std::string path = PathIn(folder, name);
    entries.push_back({path, EntryAt(path)});
  }
  return entries;
}

// Whether everything in `entries`, and in the folders among them, can go
// without reaching outside; otherwise why not.
std::string Unremovable(const std::vector<Entry>& entries, int depth = 0) {
  for (const Entry& entry : entries) {
    if (entry.Kind == EntryKind::kOther)
      return entry.Path + " is neither a file nor a folder: it is left as it is";
    if (entry.Kind == EntryKind::kLink && LinkLeadsToFolder(entry.Path) &&
        !CanRemoveFolderLink(entry.Path))
      return entry.Path +
             " is a link to a folder, which this system cannot remove without what "
             "it points to: remove the link yourself";
    if (entry.Kind == EntryKind::kFolder) {
      if (depth > 8)
        return entry.Path + " lies deeper than any folder the check makes";
      std::string inside = Unremovable(EntriesOf(entry.Path), depth + 1);
      if (!inside.empty())
        return inside;
    }
  }
  return "";
}

void Remove(const Entry& entry) {
  if (entry.Kind == EntryKind::kFolder) {
    for (const Entry& inside : EntriesOf(entry.Path))
      Remove(inside);
  }
  std::string why;
  if (!RemoveEntry(entry.Path, entry.Kind, why))
    throw InputError("cannot remove the earlier " + entry.Path + ": " + why);
}

// Removes an earlier check's outputs, after making sure nothing else is there
// and that each can go alone.
void ClearEarlierResults(const std::string& folder, const std::string& shown) {
  MadeFiles ours = RecordIn(folder);
  ours.Update(kMadeFilesName, true);
  std::vector<Entry> entries = EntriesOf(folder);
  for (const Entry& entry : entries) {
    std::string name = entry.Path.substr(folder.size() + 1);
    if (!ours.Holds(name)) {
      throw InputError(shown + " holds " + name +
                       ", which no check wrote: give a new or empty results folder");
    }
  }
  std::string refusal = Unremovable(entries);
  if (!refusal.empty())
    throw InputError(refusal + "; nothing was removed");
  // The record goes last: an interrupted clean-up can be run again.
  std::stable_partition(entries.begin(), entries.end(), [&](const Entry& entry) {
    return entry.Path != PathIn(folder, kMadeFilesName);
  });
  for (const Entry& entry : entries)
    Remove(entry);
}

}  // namespace

std::string PrepareResultsFolder(const std::string& logFolder, const std::string& results,
                                 const std::vector<std::string>& names) {
  auto refuseOverlap = [&] {
    if (SameOrInside(results, logFolder))
      throw InputError("the results folder " + results + " is or lies in the logs' folder " +
                       logFolder + ": give one outside it");
    if (SameOrInside(logFolder, results))
      throw InputError("the logs' folder " + logFolder + " lies in the results folder " + results +
                       ", which the check clears: give a results folder outside it");
  };
  refuseOverlap();
  EntryKind given = EntryAt(results);
  if (given == EntryKind::kLink && LinkLeadsToFolder(results))
    given = EntryKind::kFolder;  // the folder the user named, wherever it is
  switch (given) {
    case EntryKind::kFolder:
      ClearEarlierResults(ResolvedPath(results), results);
      break;
    case EntryKind::kMissing: {
      std::error_code error;
      std::filesystem::create_directories(std::filesystem::u8path(results), error);
      if (error || EntryAt(results) != EntryKind::kFolder)
        throw InputError("cannot make the folder " + results + ": " + error.message());
      break;
    }
    default:
      throw InputError(results + " is a file, not a folder");
  }
  refuseOverlap();  // made now: what it resolves to is known
  std::string folder = ResolvedPath(results);
  RecordResults(folder, names);
  return folder;
}

void RecordResults(const std::string& results, const std::vector<std::string>& names) {
  MadeFiles record;
  for (const std::string& name : names)
    record.Update(name, true);
  std::string why;
  if (!WriteFileWhole(PathIn(results, kMadeFilesName), record.Text(), why))
    throw InputError("cannot write into " + results + ": " + why);
}

bool WriteResult(const std::string& results, const std::string& name, const std::string& text,
                 std::string& why) {
  if (WriteNewFile(PathIn(results, name), text, why))
    return true;
  why = "cannot write " + PathIn(results, name) + ": " + why;
  return false;
}

void RemoveMadeFolder(const std::string& folder) {
  Entry made{folder, EntryAt(folder)};
  if (made.Kind == EntryKind::kMissing)
    return;
  std::string refusal = Unremovable({made});
  if (!refusal.empty())
    throw InputError(refusal);
  Remove(made);
}
