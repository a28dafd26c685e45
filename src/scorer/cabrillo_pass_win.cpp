#include "scorer/cabrillo_pass_win.h"

#include <stdexcept>

#include "core/base/text.h"
#include "core/cabrillo/cabrillo_fields.h"
#include "core/cabrillo/header_boxes.h"
#include "driver/modal_window.h"
#include "driver/ui_driver.h"
#include "logs/log_values.h"

namespace {

const char kProduced[] = "File produced: ";

bool IsComboBox(HWND dialog, int id) {
  char className[16] = {};
  GetClassNameA(GetDlgItem(dialog, id), className, sizeof className);
  return lstrcmpiA(className, "ComboBox") == 0;
}

// A value of a combo box's list is picked (whatever its case, as the list
// would find it); any other text is typed, as into an edit box. Lines of the
// soapbox are ended with the Enter key, which breaks the line there.
void Fill(HWND dialog, const HeaderEntry& entry) {
  const HeaderBox* box = HeaderBoxOf(entry.Field);
  if (box == nullptr)
    throw std::runtime_error("the header dialog has no box for " + HeaderOptionName(entry.Field));
  const int id = box->ControlId;
  if (IsComboBox(dialog, id) && !entry.Text.empty() && PickComboEntry(dialog, id, entry.Text)) {
    if (!EqualsIgnoreCase(ControlText(dialog, id), entry.Text))
      throw std::runtime_error("the header dialog did not take " + HeaderOptionName(entry.Field) +
                               " " + entry.Text);
    return;
  }
  TypeInto(dialog, id, ReplaceAll(entry.Text, "\n", "\r"));
  std::string shown = ControlText(dialog, id);
  if (shown != ReplaceAll(entry.Text, "\n", "\r\n"))
    throw std::runtime_error("the header dialog did not take " + HeaderOptionName(entry.Field) +
                             " '" + entry.Text + "': it shows '" + shown + "'");
}

}  // namespace

void ResetConfirmingHeader(PluginHost& plugin, const ResetInput& reset,
                           const std::vector<HeaderEntry>& header) {
  CallWithModalWindow(
      "DKZ Contest", "ResetStats0", [&] { plugin.ResetStats0(reset); },
      [&](HWND dialog) {
        for (const HeaderEntry& entry : header)
          Fill(dialog, entry);
        ClickButton(dialog, IDOK);
        if (!WaitForWindowGone(dialog))
          throw std::runtime_error("the header dialog did not close on OK");
      });
}

std::string SummaryWritingCabrillo(PluginHost& plugin, CabrilloOutcome& outcome) {
  int status = 0;
  std::string summary;
  CallWithModalWindow(
      "Output", "GetResult0",
      [&] {
        const char* text = plugin.GetResult0(&status);
        summary = text != nullptr ? text : "";
      },
      [&](HWND box) {
        MessageBoxSeen seen = DismissMessageBox(box);
        outcome.Message = seen.Text;
        if (!seen.Closed)
          throw std::runtime_error("the \"Output\" message box did not close on OK");
      });
  if (outcome.Message.compare(0, sizeof kProduced - 1, kProduced) == 0)
    outcome.FileName = outcome.Message.substr(sizeof kProduced - 1);
  // The plug-in sets the status to -1 only when the file was written.
  outcome.Written = status == -1 && !outcome.FileName.empty() && FileExists(outcome.FileName);
  return summary;
}
