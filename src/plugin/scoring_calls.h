// What the scoring exports do, once their arguments are copied out.
#pragma once

#include "core/engine/host_input.h"

int PluginAddData(const QsoInput& qso);
int PluginRemoveData(const QsoInput& qso);
int PluginCheckCall(const CallCheckInput& input);
int PluginResetStats(const ResetInput& input);
const char* PluginGetResult(int* status);
