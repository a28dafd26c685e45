// Cabrillo export runs through the real DLL: the report reset, whose header
// dialog a "user" works from a second thread, and the summary with its
// "Output" message box; golden files and the settings to compare against.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/cabrillo/cabrillo_dialog_ids.h"
#include "driver/plugin_host.h"
#include "driver/ui_driver.h"

// Works the open dialog and ends it (OK, CANCEL, a key...).
using DialogUser = std::function<void(HWND dialog)>;

// ResetStats0 with the report flag set while `user` works the dialog. Fails
// the test when the dialog does not show or the user leaves it open.
void ResetWithDialog(PluginHost& host, HostReset reset, const DialogUser& user);
void PressOk(HWND dialog);
void PressCancel(HWND dialog);
// Moves the focus to a control, as a click into it would.
void FocusControl(HWND dialog, int id);

struct SummaryRun {
  MessageBoxSeen Box;
  int Status = 0;
};
// GetResult0 with the host's status preset to `status`; the "Output" box is
// read and dismissed.
SummaryRun SummaryWithReport(PluginHost& host, int status = 7);

// A small log of a Japanese station: four- and five-digit frequencies, one
// duplicate (listed, not counted), 160 m to 10 m.
std::vector<HostQso> SampleLog(const std::string& ownCall = "JA1ZZZ");
void AddAll(PluginHost& host, const std::vector<HostQso>& log);

// Compares a produced file byte for byte with tests/e2e/golden/<golden> and
// runs the structural check on it. With DKZ_UPDATE_GOLDEN=1 in the
// environment the golden file is rewritten instead (review it by hand).
void ExpectGolden(const std::string& producedPath, const std::string& golden);
std::string GoldenFolder();

// Keys of the settings file and the values they must read back.
void ExpectSettings(const std::vector<std::pair<const char*, std::string>>& expected);
