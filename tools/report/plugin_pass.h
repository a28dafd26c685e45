// The plug-in's own acceptance and summary run natively over a log, for the
// report's tests and benchmark: what the DLL would leave after these QSOs.
#pragma once

#include <string>
#include <vector>

#include "engine/contest_state.h"
#include "engine/host_input.h"

struct PluginPass {
  ContestState State;     // SummaryText, DistrictsByBand, ... as the summary left them
  std::string ErrorText;  // err.txt, header first
  std::vector<bool> Stored;
};

PluginPass RunPluginPass(const std::string& ownPrefix, const std::vector<QsoInput>& qsos);
