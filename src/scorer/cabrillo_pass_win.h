// The Cabrillo pass of dkz-score: the plug-in's Cabrillo header dialog filled
// in from the command line and confirmed, and the summary's "Output" message
// box read and dismissed, as the operator would at the logging program.
#pragma once

#include <string>
#include <vector>

#include "driver/plugin_host.h"
#include "native_plugin/pass_replayer.h"
#include "scorer/score_options.h"

// ResetStats0 with the report flag set (in `reset`): the "DKZ Contest"
// dialog gets `header` typed into its boxes, keeps what it shows elsewhere,
// and is confirmed with OK. Throws std::runtime_error when the dialog does
// not show or does not take a value.
void ResetConfirmingHeader(PluginHost& plugin, const ResetInput& reset,
                           const std::vector<HeaderEntry>& header);

// GetResult0 of a Cabrillo pass: returns the summary and tells what the plug-in
// said about the Cabrillo file. Throws std::runtime_error when the "Output"
// message box does not show.
std::string SummaryWritingCabrillo(PluginHost& plugin, CabrilloOutcome& outcome);
