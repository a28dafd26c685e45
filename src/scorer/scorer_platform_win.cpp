// dkz-score on Windows: everything goes through the Stats.dll beside it.
#include <iostream>

#include "dkz_version.h"
#include "driver/plugin_host.h"
#include "files/file_access_win.h"
#include "scorer/cabrillo_pass_win.h"
#include "scorer/score_command.h"
#include "scorer/score_options.h"
#include "scorer/scorer_platform.h"

namespace {

std::string PluginPath() {
  return ExecutableFolder() + "\\Stats.dll";
}

// The logging program's calls to the loaded DLL, its dialogs worked as the
// operator would.
class PluginReplayer : public PassReplayer {
 public:
  void Reset(const ResetInput& reset, const std::vector<HeaderEntry>& header) override {
    if (reset.CabrilloRequest != 0)
      ResetConfirmingHeader(plugin_, reset, header);
    else
      plugin_.ResetStats0(reset);
  }
  bool AddData(const QsoInput& qso) override { return plugin_.AddData0(qso) == 1; }
  std::string Summary() override { return plugin_.GetResult0(); }
  std::string SummaryWritingCabrillo(CabrilloOutcome& outcome) override {
    return ::SummaryWritingCabrillo(plugin_, outcome);
  }

 private:
  PluginHost plugin_;
};

}  // namespace

std::unique_ptr<PassReplayer> LoadReplayer() {
  return std::make_unique<PluginReplayer>();
}

std::string ReplayerVersion() {
  return FileVersionOf(PluginPath());
}

CountryFileChoice DefaultCountryFile() {
  const std::string besideUs = ExecutableFolder() + "\\cty.dat";
  if (KindOf(besideUs) != PathKind::kFile) {
    throw InputError(
        "no country file: cty.dat is not beside dkz-score.exe; put it there (the "
        "release zip holds one) or give one with --cty FILE");
  }
  return {besideUs, "cty.dat beside dkz-score.exe"};
}

int PrintVersion() {
  std::cout << "dkz-score " DKZ_VERSION_TEXT "\n";
  std::string dll = FileVersionOf(PluginPath());
  if (dll.empty()) {
    std::cerr << "dkz-score: no version of " << PluginPath() << " (missing?)\n";
    return kExitFailed;
  }
  std::cout << "Stats.dll " << dll << "\n";
  return kExitOk;
}

int PrintInfo() {
  PluginHost plugin;
  std::cout << "sets: " << plugin.GetNumberOfSets() << "\n";
  std::cout << "set 0: " << plugin.GetSetName(0) << "\n";
  std::cout << "exchange fields: " << plugin.GetExchgCount0() << "\n";
  return kExitOk;
}

std::string ThisBuildsWords(const std::string& help) {
  return help;
}
