// dkz-score natively: the plug-in's own code, built from the sources of the
// Stats.dll of the same version, scores in place of the DLL.
#include <iostream>

#include "core/base/text.h"
#include "dkz_version.h"
#include "files/file_access.h"
#include "native_plugin/native_replayer.h"
#include "scorer/score_command.h"
#include "scorer/score_options.h"
#include "scorer/scorer_platform.h"

std::unique_ptr<PassReplayer> LoadReplayer() {
  return MakeNativeReplayer();
}

std::string ReplayerVersion() {
  return DKZ_VERSION_RESOURCE_TEXT;  // what the DLL of these sources carries
}

CountryFileChoice DefaultCountryFile() {
  const std::string path = DKZ_COUNTRY_FILE;
  if (KindOf(path) != PathKind::kFile) {
    throw InputError("no country file: " + path +
                     " is not there; install Debian's hamradio-files or give one with --cty FILE");
  }
  return {path, path};
}

int PrintVersion() {
  std::cout << "dkz-score " DKZ_VERSION_TEXT "\n"
            << "scoring with the plug-in's code of Stats.dll " DKZ_VERSION_RESOURCE_TEXT
               ", built natively\n";
  return kExitOk;
}

int PrintInfo() {
  std::cerr << "dkz-score: info asks a loaded Stats.dll; the native build has none\n";
  return kExitFailed;
}

std::string ThisBuildsWords(const std::string& help) {
  std::string text = ReplaceAll(help, "through Stats.dll", "with Stats.dll's code");
  text = ReplaceAll(text, "cty.dat beside dkz-score.exe", DKZ_COUNTRY_FILE);
  text = ReplaceAll(text, "Plugins\\DKZ.ini", SystemPath("Plugins\\DKZ.ini"));
  return ReplaceAll(text, "of the Stats.dll beside it", "of the plug-in's code it scores with");
}
