// The one way the tools write a file. The bytes go to a new temporary file in
// the target's folder, which is then renamed over the target: a reader finds
// the old file or the new one, never a part of either. Only a missing name or
// a plain file is replaced; a link (symbolic, junction, second name), a folder
// or a device is left alone, and nothing is ever written through a link.
#pragma once

#include <string>

// Writes `bytes` to `path` (UTF-8). False when it could not, with `reason`
// saying why ("it is a folder, not a file", or the system's words); the old
// file is then as it was and no temporary file is left behind.
bool WriteFileWhole(const std::string& path, const std::string& bytes, std::string& reason);

// Writes `bytes` as a new file at `path`, where nothing may stand yet (a file
// of a folder the caller made and cleared for it, such as the check's
// results): refused, and nothing touched, when anything is there. Not flushed
// to the disk one by one: a run that writes thousands is not kept waiting by
// each, and one cut short is run again.
bool WriteNewFile(const std::string& path, const std::string& bytes, std::string& reason);
