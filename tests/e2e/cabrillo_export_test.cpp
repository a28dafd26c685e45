// The Cabrillo export as the operator meets it: the header dialog at the
// reset of a report run, the file at the summary, the settings in between.
#include <gtest/gtest.h>

#include "cabrillo_check.h"
#include "cabrillo_run.h"

namespace {

struct ControlShows {
  int id;
  std::string text;
};

void ExpectControls(HWND dialog, const std::vector<ControlShows>& expected) {
  for (const ControlShows& c : expected)
    EXPECT_EQ(ControlText(dialog, c.id), c.text) << "control " << c.id;
}

TEST(CabrilloExport, FirstRunShowsTheDefaultsAndWritesEveryRecord) {
  ScratchFolder folder;  // a Plugins folder but no settings file yet
  PluginHost host;
  ResetWithDialog(host, HostReset(), [](HWND dialog) {
    ExpectControls(dialog, {{IDC_CABRILLO_CONTEST, "DKZ"},
                            {IDC_CABRILLO_CALLSIGN, "JA1ZZZ"},
                            {IDC_CABRILLO_CLAIMED, ""},
                            {IDC_CABRILLO_CATEGORY_OPERATOR, "SINGLE-OP"},
                            {IDC_CABRILLO_LOCATION, ""},
                            {IDC_CABRILLO_CATEGORY_BAND, "ALL"},
                            {IDC_CABRILLO_CATEGORY_TRANSMITTER, "ONE"},
                            {IDC_CABRILLO_NAME, ""},
                            {IDC_CABRILLO_ADDRESS, ""},
                            {IDC_CABRILLO_ADDRESS_CITY, ""},
                            {IDC_CABRILLO_POSTALCODE, ""},
                            {IDC_CABRILLO_COUNTRY, ""},
                            {IDC_CABRILLO_OPERATORS, "JA1ZZZ"},
                            {IDC_CABRILLO_CLUB, ""},
                            {IDC_CABRILLO_SOAPBOX, ""},
                            {IDC_CABRILLO_EMAIL, ""}});
    PressOk(dialog);
  });
  ExpectSettings({{"Operators", "JA1ZZZ"},
                  {"Band", "ALL"},
                  {"Category", "SINGLE-OP"},
                  {"Contest", "DKZ"},
                  {"Name", ""},
                  {"Power", ""},
                  {"SoapBox", ""},
                  {"Loc", ""},
                  {"Claimed", "<missing>"}});

  AddAll(host, SampleLog());
  SummaryRun run = SummaryWithReport(host);
  EXPECT_EQ(run.Box.Text, "File produced: JA1ZZZ.cbr");
  EXPECT_EQ(run.Box.Owner, nullptr);  // the test host shows no main window
  EXPECT_EQ(run.Status, -1);
  ExpectGolden("JA1ZZZ.cbr", "first_run.cbr");
  ExpectSettings({{"Claimed", "162"}});

  // A second summary lists every record once again, plus the one logged since.
  HostQso late = SampleLog().back();
  late.Call = "JA7DDD";
  late.Time = MakeOleDateTime(2016, 6, 10, 21, 45);
  late.ExchRcvd = "MG";
  EXPECT_EQ(host.AddData0(late), 1);
  run = SummaryWithReport(host);
  EXPECT_EQ(run.Status, -1);
  ExpectGolden("JA1ZZZ.cbr", "first_run_second_summary.cbr");
  EXPECT_FALSE(FileExists("JA1ZZZ.cbr.tmp"));
}

TEST(CabrilloExport, HeaderTypedInTheDialogReachesTheFileAndTheNextRun) {
  ScratchFolder folder;
  {
    PluginHost host;
    ResetWithDialog(host, HostReset(), [](HWND dialog) {
      TypeInto(dialog, IDC_CABRILLO_NAME, "Taro Yamada");
      TypeInto(dialog, IDC_CABRILLO_ADDRESS, "1-2-3 Chuo");
      TypeInto(dialog, IDC_CABRILLO_ADDRESS_CITY, "Chiyoda-ku, Tokyo");
      TypeInto(dialog, IDC_CABRILLO_POSTALCODE, "100-0001");
      TypeInto(dialog, IDC_CABRILLO_COUNTRY, "Japan");
      TypeInto(dialog, IDC_CABRILLO_EMAIL, "ja1zzz@example.jp");
      TypeInto(dialog, IDC_CABRILLO_CLUB, "DKZ Radio Club");
      TypeInto(dialog, IDC_CABRILLO_LOCATION, "TK");
      TypeInto(dialog, IDC_CABRILLO_SOAPBOX, "Good conditions\r73 de JA1ZZZ");  // Enter
      TypeInto(dialog, IDC_CABRILLO_OPERATORS, "JA1ZZZ\nJA1YYY");               // Ctrl+Enter
      EXPECT_TRUE(PickComboEntry(dialog, IDC_CABRILLO_CATEGORY_OPERATOR, "MULTI-OP"));
      EXPECT_TRUE(PickComboEntry(dialog, IDC_CABRILLO_CATEGORY_BAND, "40M"));
      EXPECT_TRUE(PickComboEntry(dialog, IDC_CABRILLO_CATEGORY_TRANSMITTER, "TWO"));
      TypeInto(dialog, IDC_CABRILLO_CLAIMED, "999999");     // the file claims the real score
      TypeInto(dialog, IDC_CABRILLO_CALLSIGN, "JA1ZZZ/1");  // the file keeps its name
      PressOk(dialog);
    });
    AddAll(host, SampleLog());
    SummaryRun run = SummaryWithReport(host);
    EXPECT_EQ(run.Box.Text, "File produced: JA1ZZZ.cbr");
    ExpectGolden("JA1ZZZ.cbr", "typed_header.cbr");
    EXPECT_FALSE(FileExists("JA1ZZZ_1.cbr"));
    ExpectSettings({{"Operators", "JA1ZZZ<CR><LF>JA1YYY"},
                    {"SoapBox", "Good conditions<CR><LF>73 de JA1ZZZ"},
                    {"Name", "Taro Yamada"},
                    {"Address", "1-2-3 Chuo"},
                    {"Address-City", "Chiyoda-ku, Tokyo"},
                    {"Address-PostalCode", "100-0001"},
                    {"Address-Country", "Japan"},
                    {"Email", "ja1zzz@example.jp"},
                    {"Club", "DKZ Radio Club"},
                    {"Loc", "TK"},
                    {"Category", "MULTI-OP"},
                    {"Band", "40M"},
                    {"Contest", "DKZ"},
                    {"Claimed", "162"}});
  }
  // The next run shows the soapbox on two lines, the operators with their
  // markers as typed text, and the categories from their fixed start.
  PluginHost host;
  ResetWithDialog(host, HostReset(), [](HWND dialog) {
    ExpectControls(dialog, {{IDC_CABRILLO_SOAPBOX, "Good conditions\r\n73 de JA1ZZZ"},
                            {IDC_CABRILLO_OPERATORS, "JA1ZZZ<CR><LF>JA1YYY"},
                            {IDC_CABRILLO_CALLSIGN, "JA1ZZZ"},
                            {IDC_CABRILLO_CLAIMED, "162"},
                            {IDC_CABRILLO_CATEGORY_OPERATOR, "SINGLE-OP"},
                            {IDC_CABRILLO_CATEGORY_BAND, "ALL"},
                            {IDC_CABRILLO_CATEGORY_TRANSMITTER, "ONE"},
                            {IDC_CABRILLO_NAME, "Taro Yamada"},
                            {IDC_CABRILLO_LOCATION, "TK"}});
    PressOk(dialog);
  });
  ExpectSettings({{"Operators", "JA1ZZZ<CR><LF>JA1YYY"},
                  {"SoapBox", "Good conditions<CR><LF>73 de JA1ZZZ"},
                  {"Category", "SINGLE-OP"},
                  {"Band", "ALL"}});
  AddAll(host, SampleLog());
  SummaryWithReport(host);
  ExpectGolden("JA1ZZZ.cbr", "second_run.cbr");
}

// CANCEL, Esc and the close box all leave the settings alone, and the stored
// multi-line texts still reach the file line by line.
class CabrilloCancel : public ::testing::TestWithParam<const char*> {};

TEST_P(CabrilloCancel, WritesNoSettingsButTheFileStillHasTaggedLines) {
  ScratchFolder folder;
  WriteSetting("Operators", "JA1ZZZ<CR><LF>JA1YYY");
  WriteSetting("SoapBox", "one<CR><LF>two");
  WriteSetting("Name", "Taro Yamada");
  PluginHost host;
  std::string way = GetParam();
  ResetWithDialog(host, HostReset(), [&](HWND dialog) {
    TypeInto(dialog, IDC_CABRILLO_NAME, "Changed");
    TypeInto(dialog, IDC_CABRILLO_CLUB, "Changed");
    if (way == "button") {
      PressCancel(dialog);
    } else if (way == "escape") {
      FocusControl(dialog, IDC_CABRILLO_SOAPBOX);
      PressKey(dialog, VK_ESCAPE);
    } else {
      PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    EXPECT_TRUE(WaitForWindowGone(dialog));
  });
  ExpectSettings({{"Operators", "JA1ZZZ<CR><LF>JA1YYY"},
                  {"SoapBox", "one<CR><LF>two"},
                  {"Name", "Taro Yamada"},
                  {"Club", "<missing>"},
                  {"Band", "<missing>"},
                  {"Category", "<missing>"}});
  AddAll(host, SampleLog());
  SummaryRun run = SummaryWithReport(host);
  EXPECT_EQ(run.Status, -1);
  ExpectGolden("JA1ZZZ.cbr", "after_cancel.cbr");
}

INSTANTIATE_TEST_SUITE_P(Ways, CabrilloCancel, ::testing::Values("button", "escape", "close"));

TEST(CabrilloExport, OnlyTheExactMultiOpWordSwapsTheBandLine) {
  ScratchFolder folder;
  PluginHost host;
  ResetWithDialog(host, HostReset(), [](HWND dialog) {
    TypeInto(dialog, IDC_CABRILLO_CATEGORY_OPERATOR, "multi-op");
    EXPECT_TRUE(PickComboEntry(dialog, IDC_CABRILLO_CATEGORY_BAND, "20M"));
    PressOk(dialog);
  });
  ExpectSettings({{"Category", "multi-op"}, {"Band", "20M"}});
  AddAll(host, SampleLog());
  SummaryWithReport(host);
  ExpectGolden("JA1ZZZ.cbr", "lowercase_multi_op.cbr");
}

TEST(CabrilloExport, SlashedCallNamesTheFileWithAnUnderscore) {
  ScratchFolder folder;
  PluginHost host;
  HostReset reset;
  reset.OwnCall = "DL1ABC/P";
  reset.OwnPrefix = "DL";
  ResetWithDialog(host, reset, PressOk);
  std::vector<HostQso> log = SampleLog("DL1ABC/P");
  for (HostQso& q : log)
    q.ExchSent = "599";
  AddAll(host, log);
  SummaryRun run = SummaryWithReport(host);
  EXPECT_EQ(run.Box.Text, "File produced: DL1ABC_P.cbr");
  EXPECT_EQ(run.Status, -1);
  ExpectGolden("DL1ABC_P.cbr", "dx_slashed_call.cbr");
}

TEST(CabrilloExport, EmptyCallWritesVuntAndTheCallTypedInTheDialog) {
  ScratchFolder folder;
  PluginHost host;
  HostReset reset;
  reset.OwnCall = "";
  ResetWithDialog(host, reset, [](HWND dialog) {
    ExpectControls(dialog, {{IDC_CABRILLO_CALLSIGN, ""}, {IDC_CABRILLO_OPERATORS, ""}});
    TypeInto(dialog, IDC_CABRILLO_CALLSIGN, "JA1ZZZ");
    PressOk(dialog);
  });
  AddAll(host, SampleLog(""));
  SummaryRun run = SummaryWithReport(host);
  EXPECT_EQ(run.Box.Text, "File produced: VUNT.cbr");
  ExpectGolden("VUNT.cbr", "empty_call_typed.cbr");
}

TEST(CabrilloExport, BlankCallLeftAloneGivesQsoLinesARobotRefuses) {
  // What the writer does as designed: the own call of every QSO line is empty,
  // so the lines lose a token. The check must see that.
  ScratchFolder folder;
  PluginHost host;
  HostReset reset;
  reset.OwnCall = "   ";
  ResetWithDialog(host, reset, PressOk);
  AddAll(host, SampleLog("   "));
  SummaryRun run = SummaryWithReport(host);
  EXPECT_EQ(run.Box.Text, "File produced: VUNT.cbr");
  std::vector<std::string> problems = CabrilloProblems(ReadWholeFile("VUNT.cbr"));
  ASSERT_FALSE(problems.empty());
  EXPECT_NE(problems.front().find("tokens"), std::string::npos) << problems.front();
}

}  // namespace
