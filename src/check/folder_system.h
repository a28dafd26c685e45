// The file system as the results folder's guard needs it: what an entry is
// without following a link, what a path resolves to, and changes that never
// reach through a link. Windows through wide calls and open handles (so that
// Wine's Unix links, which show as their targets, are seen for what they
// are); POSIX elsewhere. Paths are UTF-8.
#pragma once

#include <string>
#include <vector>

enum class EntryKind {
  kMissing,
  kFile,
  kFolder,
  kFileLink,    // a link whose target is a file, or is missing
  kFolderLink,  // a link or junction whose target is a folder
  kOther,       // a device, a pipe, or what cannot be opened
};

// What stands at `path` itself: an entry whose resolved path is not where it
// stands is a link, whatever it looks like.
EntryKind EntryAt(const std::string& path);

// Absolute, with every link and the case of every name as the system resolves
// them; a part that does not exist yet is added as written.
std::string ResolvedPath(const std::string& path);

// Whether resolved `inner` is resolved `outer` or lies inside it, names
// compared as the system compares them (on Windows whatever their case, Ä and
// ä alike).
bool SameOrInside(const std::string& inner, const std::string& outer);

// `folder` and `name` joined.
std::string PathIn(const std::string& folder, const std::string& name);

// The names in a folder, "." and ".." aside. False with why when it cannot be read.
bool NamesIn(const std::string& folder, std::vector<std::string>& names, std::string& why);

// Whether a link to a folder can be removed without touching the folder.
bool CanRemoveFolderLink(const std::string& path);

// Removes the entry itself: a file, an empty folder, or a link, never what a
// link points to. False with why when that cannot be done safely.
bool RemoveEntry(const std::string& path, EntryKind kind, std::string& why);

// Makes a new folder: false with why when anything stands there already.
bool MakeNewFolder(const std::string& path, std::string& why);

// Writes `bytes` as `name` in `folder`, never through a link: a new file when
// the name is free (made only if nothing stands there), otherwise a new file
// named `name` + ".tmp" put in the place of the file or the link to a file
// standing there. With anything else there nothing is written and false
// returned with why; a file that could not be written whole is removed.
bool WriteReplacing(const std::string& folder, const std::string& name, const std::string& bytes,
                    std::string& why);
