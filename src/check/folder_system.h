// The file system as the results folder's guard needs it beside what stands
// at a path (path_entry.h) and the one writer (file_writer.h): what a path
// resolves to, and removals that never reach through a link. Windows through
// wide calls and open handles (Wine shows its Unix links as their targets);
// POSIX elsewhere. Paths are UTF-8.
#pragma once

#include <string>
#include <vector>

#include "files/path_entry.h"

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

// Whether the link at `path` leads to a folder.
bool LinkLeadsToFolder(const std::string& path);

// Whether a link to a folder can be removed without touching the folder.
bool CanRemoveFolderLink(const std::string& path);

// Removes the entry itself: a file, an empty folder, or a link (a name the
// listing gave that no longer opens is taken for a link to nothing), never
// what a link leads to. False with why when that cannot be done safely.
bool RemoveEntry(const std::string& path, EntryKind kind, std::string& why);

// Makes a new folder: false with why when anything stands there already.
bool MakeNewFolder(const std::string& path, std::string& why);
