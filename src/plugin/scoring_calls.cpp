#include "plugin/scoring_calls.h"

// Neutral answers until the scoring engine is wired in.
int PluginAddData(const QsoInput&) {
  return 0;
}
int PluginRemoveData(const QsoInput&) {
  return 0;
}
int PluginCheckCall(const CallCheckInput&) {
  return 1;
}
int PluginResetStats(const ResetInput&) {
  return 1;
}
const char* PluginGetResult(int*) {
  return "";
}
