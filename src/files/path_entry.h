// What stands at a path itself, a link not followed: the tools write and
// remove only what is plainly theirs, never a file a link leads to.
#pragma once

#include <string>

enum class EntryKind {
  kMissing,
  kFile,    // a plain file with no other name
  kFolder,  // a folder, not a link to one
  // A symbolic link, a junction, or a file with a second name (a hard link):
  // writing into it in place would change a file elsewhere.
  kLink,
  kOther,  // a device, a pipe, a socket, or what cannot be looked at
};

// `path` is UTF-8 (on POSIX, the bytes of the name).
EntryKind EntryAt(const std::string& path);

// Why a file may not be written where `kind` stands, after "it is ";
// empty for a missing name or a plain file.
std::string EntryRefusal(EntryKind kind);
