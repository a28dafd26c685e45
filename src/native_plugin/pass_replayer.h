// What dkz-score replays a log through: the calls the logging program makes
// (the reset, each QSO, the summary), answered by the loaded Stats.dll on
// Windows, natively by the plug-in's own pass code built from the same sources.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/cabrillo/cabrillo_log.h"
#include "core/engine/host_input.h"

// A text for the box of the plug-in's Cabrillo header dialog that shows one
// field of the header; "\n" separates the lines of a multi-line box.
struct HeaderEntry {
  std::string CabrilloLog::*Field = nullptr;
  std::string Text;
};

struct CabrilloOutcome {
  bool Written = false;  // the plug-in reported the file written and it is there
  std::string Message;   // the "Output" message box's text
  std::string FileName;  // in the working folder
};

class PassReplayer {
 public:
  virtual ~PassReplayer() = default;
  // ResetStats0. With the report flag set in `reset`, the "DKZ Contest" dialog
  // gets `header` typed into its boxes, keeps what it shows elsewhere, and is
  // confirmed. Throws std::runtime_error when the dialog does not take a value.
  virtual void Reset(const ResetInput& reset, const std::vector<HeaderEntry>& header) = 0;
  // AddData0: true when the QSO was stored.
  virtual bool AddData(const QsoInput& qso) = 0;
  // GetResult0.
  virtual std::string Summary() = 0;
  // GetResult0 of a Cabrillo pass: the summary, and what the plug-in said of the file.
  virtual std::string SummaryWritingCabrillo(CabrilloOutcome& outcome) = 0;
};

// The replayer of this build, working in the current folder (the working
// folder): throws std::runtime_error when it cannot be had.
std::unique_ptr<PassReplayer> LoadReplayer();

// The FileVersion of the code that scores ("1.3.0.0").
std::string ReplayerVersion();
