// The check's second and further lanes on Windows: dkz-score.exe started
// again as a scoring process, which answers scoring passes over its pipes.
#pragma once

#include <string>
#include <vector>

// Whether the command line starts a scoring process.
bool IsScoringWorker(const std::vector<std::string>& args);

// Scores each pass read from standard input with the loaded Stats.dll and
// writes the answer to standard output, until the input ends.
int RunScoringWorker();
