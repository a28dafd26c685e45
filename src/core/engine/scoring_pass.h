// What the scoring exports do once their arguments are copied out, apart from
// any system: the plug-in's exports and dkz-score's native replay both run
// these, so that both make the same summary, err.txt, settings and Cabrillo
// file from the same calls.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/cabrillo/cabrillo_log.h"
#include "core/engine/contest_state.h"
#include "core/engine/error_file.h"
#include "core/engine/host_input.h"
#include "core/engine/settings.h"

// Where a pass keeps its state and what it calls out to. The plug-in holds
// its lock only inside the two With* calls, never while it calls out.
class PassSurroundings {
 public:
  virtual ~PassSurroundings() = default;
  virtual void WithPassState(const std::function<void(ContestState&)>& body) = 0;
  virtual void WithCabrilloLog(const std::function<void(CabrilloLog&)>& body) = 0;
  virtual Settings& PassSettings() = 0;
  virtual ErrorFile& PassErrors() = 0;

  // The header dialog over `log`: true on OK, with the boxes' texts taken back.
  virtual bool ShowCabrilloHeader(CabrilloLog& log) = 0;
  // CREATED-BY's version of the host; empty when none is found.
  virtual std::string HostVersion() = 0;
  // Writes the Cabrillo file whole or not at all; false with the system's words.
  virtual bool WriteCabrilloFile(const std::string& name, const std::string& bytes,
                                 std::string& reason) = 0;
  // The "Output" message box.
  virtual void TellCabrilloOutput(const std::string& message, bool written) = 0;

  virtual bool LiveWindowsRunning() = 0;
  virtual void StartInfoWindows() = 0;
  virtual void AttachForSummary(int32_t masterSetting, int32_t multiplierSetting) = 0;
};

int PassAddData(PassSurroundings& pass, const QsoInput& qso);
int PassResetStats(PassSurroundings& pass, const ResetInput& input);
// The summary; `status`, when given, becomes -1 when the Cabrillo file was written.
std::string PassGetResult(PassSurroundings& pass, int* status);

// The reset's header dialog: the header loaded from the settings, shown, and
// on OK stored back; the pass's Cabrillo log takes it either way.
bool PassConfirmCabrilloHeader(PassSurroundings& pass, const std::string& ownCall);

// The summary's Cabrillo file of the whole log, and the message that tells of
// it. True when the file was written.
bool PassWriteCabrilloLog(PassSurroundings& pass);
