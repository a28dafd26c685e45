// Where the check reads and writes: the logs of a contest's folder, and a
// results folder in which no file the check did not write is ever touched.
#pragma once

#include <string>
#include <vector>

// The names of the folder's files, sorted; folders in it are passed over.
// Throws InputError when the folder cannot be read.
std::vector<std::string> LogFilesIn(const std::string& folder);

// Readies `results` for a run that writes `names` (files or folders directly
// in it). The folder may be missing (it is made), empty, or hold only what an
// earlier check listed in its record of made files (made_files.h): that is
// removed. Then the record lists `names`. Throws InputError, before anything
// is written or removed, for a folder that holds anything else, a link among
// the earlier results, or lies in the logs' folder.
void PrepareResultsFolder(const std::string& logFolder, const std::string& results,
                          const std::vector<std::string>& names);

// Removes the plug-in's working folder of a run and what it holds; where a link
// or a device is found in it, nothing is removed.
void RemoveWorkFolder(const std::string& folder);
