// The "Setup DKZ" dialog behind SetupSet0, driven as an operator would.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "driver/plugin_host.h"
#include "driver/ui_driver.h"
#include "live_support.h"
#include "modal_window_checked.h"
#include "template_reader.h"

namespace {

constexpr int kMaster = 1014;
constexpr int kMultiplier = 1106;
const char kCaption[] = "Setup DKZ";

TEST(SetupDialogTemplate, MatchesItsLayout) {
  PluginHost host;
  DialogTemplateInfo t;
  ASSERT_TRUE(ReadDialogTemplate(host.Module(), 105, t));
  EXPECT_EQ(t.Caption, kCaption);
  EXPECT_EQ(t.Width, 186);
  EXPECT_EQ(t.Height, 41);
  EXPECT_EQ(t.FontFace, "MS Sans Serif");
  EXPECT_EQ(t.FontPoints, 8);
  EXPECT_EQ(t.Style,
            static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
  EXPECT_EQ(t.ExStyle, 0u);

  struct Expected {
    int Id;
    const char* Text;
    int X, Y, Width, Height;
    DWORD Style;
  } expected[] = {
      {IDOK, "OK", 129, 14, 50, 14, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
      {kMaster, "Using master file", 16, 17, 97, 10, WS_CHILD | WS_DISABLED | BS_AUTOCHECKBOX},
      {kMultiplier, "Using window Multiplier", 16, 17, 88, 12,
       WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX},
  };
  ASSERT_EQ(t.Items.size(), 3u);
  for (const Expected& e : expected) {
    const TemplateItem* item = t.Item(e.Id);
    ASSERT_NE(item, nullptr) << e.Id;
    EXPECT_EQ(item->ClassName, "BUTTON") << e.Id;
    EXPECT_EQ(item->Text, e.Text) << e.Id;
    EXPECT_EQ(item->X, e.X) << e.Id;
    EXPECT_EQ(item->Y, e.Y) << e.Id;
    EXPECT_EQ(item->Width, e.Width) << e.Id;
    EXPECT_EQ(item->Height, e.Height) << e.Id;
    EXPECT_EQ(item->Style, e.Style) << e.Id;
    EXPECT_EQ(item->ExStyle, 0u) << e.Id;
  }
}

enum class Ending { Ok, Escape, CloseBox };

// Shows the dialog through SetupSet0 and works it from a second thread with
// `actions`; false when no "Setup DKZ" window showed up.
bool WorkSetupDialog(PluginHost& host, const std::function<void(HWND)>& actions) {
  bool appeared = false;
  CallWithModalWindowChecked(
      kCaption, "SetupSet0", [&] { host.SetupSet0(); },
      [&](HWND dialog) {
        appeared = true;
        actions(dialog);
        EXPECT_TRUE(WaitForWindowGone(dialog)) << "the dialog did not close";
      });
  return appeared;
}

void End(HWND dialog, Ending end) {
  switch (end) {
    case Ending::Ok:
      ClickButton(dialog, IDOK);
      break;
    case Ending::Escape:
      PressKey(dialog, VK_ESCAPE);
      break;
    case Ending::CloseBox:
      PressCloseBox(dialog);
      break;
  }
}

struct SetupCase {
  const char* Name;
  const char* StoredMaster;      // null: key missing
  const char* StoredMultiplier;  // null: key missing
  bool ShownMaster;              // the hidden box's state when the dialog opens
  bool ShownMultiplier;
  bool ClickMultiplier;
  Ending End;
  const char* MasterAfter;  // "<missing>" when nothing is written
  const char* MultiplierAfter;
};

class SetupDialog : public ::testing::TestWithParam<SetupCase> {};

TEST_P(SetupDialog, ShowsAndStoresTheSwitches) {
  const SetupCase& c = GetParam();
  ScratchFolder folder;
  if (c.StoredMaster != nullptr)
    WriteSetting("Master", c.StoredMaster);
  if (c.StoredMultiplier != nullptr)
    WriteSetting("Multiplier", c.StoredMultiplier);
  PluginHost host;

  bool shownMaster = false, shownMultiplier = false, masterHidden = false;
  bool appeared = WorkSetupDialog(host, [&](HWND dialog) {
    shownMaster = IsTicked(dialog, kMaster);
    shownMultiplier = IsTicked(dialog, kMultiplier);
    HWND masterBox = GetDlgItem(dialog, kMaster);
    masterHidden = !IsWindowVisible(masterBox) && !IsWindowEnabled(masterBox) &&
                   IsWindowVisible(GetDlgItem(dialog, kMultiplier));
    if (c.ClickMultiplier)
      ClickButton(dialog, kMultiplier);
    End(dialog, c.End);
  });
  ASSERT_TRUE(appeared) << "no \"Setup DKZ\" window";
  EXPECT_EQ(shownMaster, c.ShownMaster);
  EXPECT_EQ(shownMultiplier, c.ShownMultiplier);
  EXPECT_TRUE(masterHidden);
  EXPECT_EQ(ReadSetting("Master"), c.MasterAfter);
  EXPECT_EQ(ReadSetting("Multiplier"), c.MultiplierAfter);
}

const char kMissing[] = "<missing>";

INSTANTIATE_TEST_SUITE_P(
    Cases, SetupDialog,
    ::testing::Values(
        SetupCase{"NoFileOkWritesZeros", nullptr, nullptr, false, false, false, Ending::Ok, "0",
                  "0"},
        SetupCase{"TickAndOk", nullptr, nullptr, false, false, true, Ending::Ok, "0", "1"},
        SetupCase{"UntickAndOk", "0", "1", false, true, true, Ending::Ok, "0", "0"},
        SetupCase{"MasterOneIsKept", "1", "0", true, false, true, Ending::Ok, "1", "1"},
        SetupCase{"MasterFiveShowsClearWritesZero", "5", "1", false, true, false, Ending::Ok, "0",
                  "1"},
        SetupCase{"NegativeShowsClear", "-1", "-7", false, false, false, Ending::Ok, "0", "0"},
        SetupCase{"TextReadsAsZero", "yes", "x1", false, false, false, Ending::Ok, "0", "0"},
        SetupCase{"TwoStaysOn", "2", "2", true, true, false, Ending::Ok, "1", "1"},
        SetupCase{"EscapeAfterTickWritesNothing", nullptr, nullptr, false, false, true,
                  Ending::Escape, kMissing, kMissing},
        SetupCase{"CloseBoxAfterTickWritesNothing", nullptr, nullptr, false, false, true,
                  Ending::CloseBox, kMissing, kMissing},
        SetupCase{"EscapeKeepsTheFile", "5", "1", false, true, true, Ending::Escape, "5", "1"}),
    [](const ::testing::TestParamInfo<SetupCase>& info) { return std::string(info.param.Name); });

TEST(SetupDialogFile, WithoutPluginsFolderTheDialogStillCloses) {
  ScratchFolder folder(/*withPlugins=*/false);
  PluginHost host;
  bool appeared = WorkSetupDialog(host, [&](HWND dialog) {
    ClickButton(dialog, kMultiplier);
    ClickButton(dialog, IDOK);
  });
  EXPECT_TRUE(appeared);
  EXPECT_FALSE(FileExists("Plugins\\DKZ.ini"));
}

TEST(SetupDialogOwner, BelongsToTheHostsMainWindow) {
  ScratchFolder folder;
  TestMainWindow main;
  PluginHost host;
  HWND owner = nullptr;
  EXPECT_TRUE(WorkSetupDialog(host, [&](HWND dialog) {
    owner = GetWindow(dialog, GW_OWNER);
    End(dialog, Ending::Escape);
  }));
  EXPECT_EQ(owner, main.Handle());
}

// What the two switches gate: the summary's one-time host set-up and the
// reset's start of the live windows, from the values the dialog last read or
// stored, before any reset reads the file again.
class LiveSetupSwitches : public LiveTest {
 protected:
  void RunSetup(bool clickMultiplier, Ending end) {
    bool appeared = WorkSetupDialog(*plugin_, [&](HWND dialog) {
      if (clickMultiplier)
        ClickButton(dialog, kMultiplier);
      End(dialog, end);
    });
    ASSERT_TRUE(appeared);
  }
  using Macros = std::vector<std::string>;
};

TEST_F(LiveSetupSwitches, MasterReadByTheDialogKeepsTheSummaryFromSettingUpTheHost) {
  WriteSetting("Master", "1");
  RunSetup(false, Ending::Escape);
  plugin_->GetResult0();
  EXPECT_TRUE(orvo_.Macros().empty());
}

TEST_F(LiveSetupSwitches, MultiplierClearedWithOkLetsTheSummarySetUpTheHost) {
  WriteSetting("Multiplier", "1");
  RunSetup(true, Ending::Ok);
  EXPECT_EQ(ReadSetting("Multiplier"), "0");
  plugin_->GetResult0();
  EXPECT_EQ(orvo_.Macros(), (Macros{"<MODE:CW>", "<BAUDRATE:27>"}));
}

TEST_F(LiveSetupSwitches, MultiplierTickedWithOkStartsTheWindowsAtTheNextReset) {
  RunSetup(true, Ending::Ok);
  plugin_->ResetStats0(HostReset());
  EXPECT_TRUE(orvo_.PumpUntil([] { return DistrictWindow() != nullptr; }, 3000));
}

}  // namespace
