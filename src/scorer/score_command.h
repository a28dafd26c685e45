// The score command: reads a log, replays it through the plug-in in the
// working folder (pass_replayer.h), and collects what the plug-in answered.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "native_plugin/pass_replayer.h"
#include "native_plugin/score_outcome.h"
#include "scorer/score_options.h"

struct ScoreRun {
  ScoreOutcome Outcome;
  std::string WorkFolder;                   // full path
  std::string WorkFolderShown;              // as the user gave it
  std::string CountryFileShown;             // as ChooseCountryFile shows it
  std::optional<CabrilloOutcome> Cabrillo;  // with --cabrillo, once a QSO was stored
};

// Everything the user should know along the way (records skipped, calls
// without a country) goes to `notes`, one line each. Throws InputError for
// input that cannot be used or a file that would be written over (one it
// reads, one it did not make, or a link in place of one it made), before the
// working folder is touched, and std::runtime_error when the plug-in cannot
// be run (or its Cabrillo dialogs cannot be worked). When the plug-in stores
// no QSO the pass ends without a summary or a Cabrillo file.
ScoreRun RunScore(const ScoreCommand& command, std::ostream& notes);

// Updates the working folder's record of the files dkz-score made there
// with those of `paths` (full) that are there now; a record that cannot be
// written is said in `notes`.
void RememberMadeFiles(const std::string& workFolder, const std::vector<std::string>& paths,
                       std::ostream& notes);

struct CountryFileChoice {
  std::string Path;   // full
  std::string Shown;  // as given, or as DefaultCountryFile names it
};

// The country file to read: the one `given`, else DefaultCountryFile's.
// Throws InputError when neither is a file.
CountryFileChoice ChooseCountryFile(const std::string& given);

// This build's country file when none is given: on Windows the cty.dat beside
// dkz-score.exe, natively the one the build was told of. Throws InputError
// when it is not there.
CountryFileChoice DefaultCountryFile();
