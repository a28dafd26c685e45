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
// is written, for a folder that holds anything else or lies in the logs' folder.
void PrepareResultsFolder(const std::string& logFolder, const std::string& results,
                          const std::vector<std::string>& names);

// Lists `names` (files directly in `results`) in its record of made files, as
// they will be written. Throws InputError when the record cannot be written.
void RecordResults(const std::string& results, const std::vector<std::string>& names);
