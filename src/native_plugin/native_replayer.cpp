#include "native_plugin/native_replayer.h"

#include <stdexcept>

#include "core/base/text.h"
#include "core/cabrillo/cabrillo_fields.h"
#include "core/cabrillo/header_boxes.h"
#include "core/engine/scoring_pass.h"
#include "files/file_access.h"
#include "files/file_writer.h"
#include "native_plugin/ini_settings.h"

namespace {

const char kProduced[] = "File produced: ";

// The pass as the DLL makes it for dkz-score: no host, no live windows, no
// version of a host beside it, and the boxes typed from the command line.
class NativeSurroundings : public PassSurroundings {
 public:
  void WithPassState(const std::function<void(ContestState&)>& body) override { body(state_); }
  void WithCabrilloLog(const std::function<void(CabrilloLog&)>& body) override { body(log_); }
  Settings& PassSettings() override { return settings_; }
  ErrorFile& PassErrors() override { return errors_; }
  bool ShowCabrilloHeader(CabrilloLog& log) override {
    FillHeaderBoxes(log, Header);
    return true;
  }
  std::string HostVersion() override { return ""; }
  bool WriteCabrilloFile(const std::string& name, const std::string& bytes,
                         std::string& reason) override {
    return WriteFileWhole(name, bytes, reason);
  }
  void TellCabrilloOutput(const std::string& message, bool) override { Message = message; }
  bool LiveWindowsRunning() override { return false; }
  void StartInfoWindows() override {}
  void AttachForSummary(int32_t, int32_t) override {}

  std::vector<HeaderEntry> Header;
  std::string Message;

 private:
  ContestState state_;
  CabrilloLog log_;
  IniFileSettings settings_{SystemPath(SettingsFile)};
  ErrorFile errors_{kErrorFileName};
};

class NativeReplayer : public PassReplayer {
 public:
  void Reset(const ResetInput& reset, const std::vector<HeaderEntry>& header) override {
    pass_.Header = header;
    PassResetStats(pass_, reset);
  }
  bool AddData(const QsoInput& qso) override { return PassAddData(pass_, qso) == 1; }
  std::string Summary() override { return PassGetResult(pass_, nullptr); }
  std::string SummaryWritingCabrillo(CabrilloOutcome& outcome) override {
    int status = 0;
    std::string summary = PassGetResult(pass_, &status);
    outcome.Message = pass_.Message;
    if (outcome.Message.compare(0, sizeof kProduced - 1, kProduced) == 0)
      outcome.FileName = outcome.Message.substr(sizeof kProduced - 1);
    outcome.Written =
        status == -1 && !outcome.FileName.empty() && KindOf(outcome.FileName) == PathKind::kFile;
    return summary;
  }

 private:
  NativeSurroundings pass_;
};

void FillBox(CabrilloLog& log, const HeaderEntry& entry) {
  const HeaderBox* box = HeaderBoxOf(entry.Field);
  if (box == nullptr)
    throw std::runtime_error("the header dialog has no box for " + HeaderOptionName(entry.Field));
  if (box->Kind == HeaderBoxKind::kCombo && !entry.Text.empty()) {
    for (const HeaderListEntry& listed : kHeaderListEntries) {
      if (listed.ControlId == box->ControlId && EqualsIgnoreCase(listed.Text, entry.Text)) {
        log.*entry.Field = listed.Text;
        return;
      }
    }
  }
  // Enter breaks the line in the soapbox only; elsewhere it would end the dialog.
  if (entry.Text.find('\n') != std::string::npos && box->ControlId != IDC_CABRILLO_SOAPBOX) {
    throw std::runtime_error("the header dialog did not take " + HeaderOptionName(entry.Field) +
                             " '" + entry.Text + "': a line break ends the dialog there");
  }
  if (box->Kind != HeaderBoxKind::kShownOnly)
    log.*entry.Field = ReplaceAll(entry.Text, "\n", "\r\n");
}

}  // namespace

std::unique_ptr<PassReplayer> MakeNativeReplayer() {
  return std::make_unique<NativeReplayer>();
}

void FillHeaderBoxes(CabrilloLog& log, const std::vector<HeaderEntry>& header) {
  for (const HeaderEntry& entry : header)
    FillBox(log, entry);
}
