#include "plugin_pass.h"

#include "engine/acceptance.h"
#include "engine/error_file.h"
#include "reports/summary.h"

PluginPass RunPluginPass(const std::string& ownPrefix, const std::vector<QsoInput>& qsos) {
  PluginPass pass;
  pass.State.OwnPrefix = ownPrefix;
  pass.State.Contestant = qsos.empty() ? "" : qsos.front().OwnCall;
  pass.ErrorText = kErrorFileHeader;
  for (const QsoInput& qso : qsos)
    pass.Stored.push_back(AcceptQso(pass.State, qso, pass.ErrorText) == 1);
  BuildSummary(pass.State);
  return pass;
}
