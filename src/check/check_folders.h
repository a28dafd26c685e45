// Where the check reads and writes: the logs of a contest's folder, and a
// results folder in which no file the check did not write is ever touched.
// Folders are compared by what the system resolves them to, links are never
// followed into, and what the check writes replaces a link, never goes through it.
#pragma once

#include <string>
#include <vector>

// Readies `results` for a run that writes `names` (files or folders directly
// in it). The folder may be missing (it is made), empty, or hold only what an
// earlier check listed in its record of made files (made_files.h): that is
// removed (a link as a link). Then the record lists `names`. Throws
// InputError, before anything is written or removed, for a folder that holds
// anything else or a link it cannot remove alone, that is or lies in the logs'
// folder, or that holds it. Returns the results folder's resolved path.
std::string PrepareResultsFolder(const std::string& logFolder, const std::string& results,
                                 const std::vector<std::string>& names);

// Lists `names` (files directly in the resolved `results`) in its record of
// made files, before they are written. Throws InputError when the record
// cannot be written.
void RecordResults(const std::string& results, const std::vector<std::string>& names);

// Writes one result as a new file (WriteNewFile: the folder was cleared for
// the run), never through or over anything; false with why.
bool WriteResult(const std::string& results, const std::string& name, const std::string& text,
                 std::string& why);

// Removes a folder the check made, and all in it, links as links. Throws
// InputError when something in it cannot be removed alone.
void RemoveMadeFolder(const std::string& folder);
