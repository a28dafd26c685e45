// The Cabrillo file's two touches of the file system: the host's version for
// CREATED-BY, and a write that never leaves a half-written log behind.
#pragma once

#include <string>

// The version text of the first "*.exe" in the current folder whose name
// contains "Orvo" and that carries a readable version; an executable without
// one is passed over. Empty when none qualifies.
std::string FindHostVersion();

// Writes `bytes` to `name` through the tools' one writer (a temporary file
// beside it, renamed over it), so a failed write leaves the previous file as it
// was; a link, folder or device at `name` is not replaced. On failure `reason`
// holds the system's words for it.
bool WriteFileReplacing(const std::string& name, const std::string& bytes, std::string& reason);
