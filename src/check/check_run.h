// The sponsor's check of a contest's folder, apart from any system: every
// file read and judged, one log per station, the period, both scoring passes
// of each log through a scorer (Stats.dll on Windows), and the cross-check.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "checked_contest.h"
#include "country_file.h"
#include "received_files.h"
#include "sponsor_table.h"

struct CheckSettings {
  std::optional<CalendarTime> From, To;  // the period's days, when given
  int Minutes = 3;                       // how far apart two logs' times of one QSO may be
  SponsorTable Table = SponsorTable::Default();
};

// What scores a log: the plug-in, or its own code run natively.
class LogScorer {
 public:
  virtual ~LogScorer() = default;
  // One scoring pass: the reset, then each QSO in order; the summary after the
  // last. `stored`, when given, gets the answer to each QSO: stored or not.
  virtual std::string Score(const ResetInput& reset, const std::vector<QsoInput>& qsos,
                            std::vector<bool>* stored) = 0;
};

// `files` as ReceivedFilesIn lists the folder.
CheckedContest CheckSubmissions(const std::string& folder, const std::vector<ReceivedFile>& files,
                                const CountryFile& countries, const CheckSettings& settings,
                                LogScorer& scorer);

// The same for files had otherwise (the log robot holds them itself): `bytesOf`
// gives a file's bytes, or throws InputError when it cannot.
using FileBytes = std::function<std::string(const ReceivedFile&)>;
CheckedContest CheckSubmissions(const std::vector<ReceivedFile>& files, const FileBytes& bytesOf,
                                const CountryFile& countries, const CheckSettings& settings,
                                LogScorer& scorer);

// Fills every entrant's LetterName: its call's LetterNameOf, with "-2", "-3"
// added where another entrant's or `taken` (without extension, any case) has it.
void NameLetters(std::vector<Entrant>& entrants, const std::vector<std::string>& taken);
