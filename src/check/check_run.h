// The sponsor's check of a contest's folder, apart from any system: every
// file read and judged, one log per station, the period, both scoring passes
// of each log through a scorer (Stats.dll on Windows), the cross-check, and
// every output. A contest of 10,000 logs does not fit in memory as read, so
// each file is read again when it is needed rather than held: once to receive
// it, once for the claimed pass, once for the checked pass and its reports.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "check/checked_contest.h"
#include "check/received_files.h"
#include "check/sponsor_table.h"
#include "logs/country_file.h"
#include "native_plugin/log_scorer.h"

// Makes the scorer of lane 0, 1, ...; lanes run side by side, each with its own.
using ScorerMaker = std::function<std::unique_ptr<LogScorer>(int lane)>;

struct CheckSettings {
  std::optional<CalendarTime> From, To;  // the period's days, when given
  int Minutes = 3;                       // how far apart two logs' times of one QSO may be
  SponsorTable Table = SponsorTable::Default();
  int Lanes = 1;  // logs read, scored and reported side by side
  // Memory the run may use, in bytes; 0: no limit is known.
  uint64_t MemoryRoom = 0;
};

// How far a run has come, for a progress line.
struct CheckProgress {
  int Files = 0;     // in the folder
  int Read = 0;      // files received
  int Entrants = 0;  // logs checked, once known
  int Scored = 0;    // claimed passes done
  bool Matched = false;
  int Reported = 0;  // checked passes done and reports written
};

// What a run tells as it goes: its progress, and each entrant as soon as it is
// done, so that its reports are written while the others are checked.
class CheckSink {
 public:
  virtual ~CheckSink() = default;
  virtual void Progress(const CheckProgress&) {}
  // Every entrant is known and matched; none is done yet.
  virtual void Matched(CheckedContest&) {}
  // The entrant's checked pass is done and its plan at hand (only now). Called
  // from the lanes, for different entrants at the same time.
  virtual void EntrantDone(const CheckedContest&, int /*entrant*/) {}
  // Every entrant is done.
  virtual void Finished(const CheckedContest&) {}
};

// A file's bytes, or InputError when it cannot be had.
using FileBytes = std::function<std::string(const ReceivedFile&)>;

// `files` as ReceivedFilesIn lists them (or as the log robot holds them);
// `bytesOf` is called from the lanes' threads, more than once per file.
// Throws InputError when the contest would not fit in MemoryRoom.
CheckedContest CheckSubmissions(const std::vector<ReceivedFile>& files, const FileBytes& bytesOf,
                                const CountryFile& countries, const CheckSettings& settings,
                                const ScorerMaker& makeScorer, CheckSink& sink);

// The same for the files of a folder.
CheckedContest CheckSubmissions(const std::string& folder, const std::vector<ReceivedFile>& files,
                                const CountryFile& countries, const CheckSettings& settings,
                                const ScorerMaker& makeScorer, CheckSink& sink);

// Fills every entrant's LetterName: its call's LetterNameOf, with "-2", "-3"
// added where another entrant's or `taken` (without extension, any case) has it.
void NameLetters(std::vector<Entrant>& entrants, const std::vector<std::string>& taken);
