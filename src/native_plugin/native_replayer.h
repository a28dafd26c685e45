// The replay natively: the plug-in's pass code (core/engine/scoring_pass.h)
// with err.txt, Plugins/DKZ.ini and the Cabrillo file in the current folder,
// and the header dialog filled as dkz-score fills the DLL's.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/cabrillo/cabrillo_log.h"
#include "native_plugin/pass_replayer.h"

std::unique_ptr<PassReplayer> MakeNativeReplayer();

// What the header dialog takes back when `header` is typed into its boxes
// over `log`: a combo box picks the entry of its list that matches whatever
// its case, an edit box takes the text with its line breaks as CR LF, the
// claimed score's box discards it. Throws std::runtime_error for a value the
// dialog would not take (a line break outside the soapbox).
void FillHeaderBoxes(CabrilloLog& log, const std::vector<HeaderEntry>& header);
