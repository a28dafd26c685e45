#include "check_scorer.h"

#include "core/engine/settings.h"
#include "file_writer.h"
#include "plugin_host.h"

namespace {

// Every pass of the check through one loaded plug-in.
class PluginScorer : public LogScorer {
 public:
  PluginScorer() {
    // No logging program runs beside the check: with the master switch on, a
    // summary does not look for one (a COM lookup that costs more than the log).
    std::string ignored;  // without it the check only runs slower
    WriteFileWhole(SettingsFile, "[" + std::string(SettingsSection) + "]\r\nMaster=1\r\n", ignored);
  }
  std::string Score(const ResetInput& reset, const std::vector<QsoInput>& qsos,
                    std::vector<bool>* stored) override {
    plugin_.ResetStats0(reset);
    for (const QsoInput& qso : qsos) {
      bool kept = plugin_.AddData0(qso) == 1;
      if (stored)
        stored->push_back(kept);
    }
    return plugin_.GetResult0();
  }

 private:
  PluginHost plugin_;
};

}  // namespace

std::unique_ptr<LogScorer> MakeCheckScorer() {
  return std::make_unique<PluginScorer>();
}

int CheckLanes() {
  return 1;  // one loaded Stats.dll per process, and it holds one contest
}
