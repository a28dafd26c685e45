// The "DKZ Contest" header dialog as built from its template: layout, styles,
// lists, focus, tab order and what the keys do.
#include <gtest/gtest.h>

#include <algorithm>

#include "cabrillo_run.h"

namespace {

struct ControlSpec {
  int id;
  const char* windowClass;
  RECT units;  // left, top, width, height in dialog units
  DWORD styles;
  bool tabStop;
};

const DWORD kEdit = ES_AUTOHSCROLL;
const DWORD kMultiLine = ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
const DWORD kDropDown = CBS_DROPDOWN;

const ControlSpec kControls[] = {
    {IDC_CABRILLO_CONTEST, "Edit", {55, 9, 190, 12}, kEdit, false},
    {IDC_CABRILLO_CALLSIGN, "Edit", {55, 23, 88, 12}, kEdit, false},
    {IDC_CABRILLO_CLAIMED, "Edit", {184, 23, 61, 12}, kEdit, false},
    {IDC_CABRILLO_CATEGORY_OPERATOR, "ComboBox", {96, 38, 69, 42}, kDropDown, true},
    {IDC_CABRILLO_LOCATION, "Edit", {209, 39, 36, 13}, kEdit, true},
    {IDC_CABRILLO_CATEGORY_BAND, "ComboBox", {95, 53, 70, 88}, kDropDown, true},
    {IDC_CABRILLO_CATEGORY_TRANSMITTER, "ComboBox", {105, 67, 59, 42}, kDropDown | CBS_SORT, true},
    {IDC_CABRILLO_NAME, "Edit", {55, 87, 191, 12}, kEdit, false},
    {IDC_CABRILLO_ADDRESS, "Edit", {55, 101, 191, 12}, kEdit, false},
    {IDC_CABRILLO_ADDRESS_CITY, "Edit", {65, 116, 181, 12}, kEdit, false},
    {IDC_CABRILLO_POSTALCODE, "Edit", {97, 130, 149, 12}, kEdit, false},
    {IDC_CABRILLO_COUNTRY, "Edit", {97, 144, 149, 12}, kEdit, false},
    {IDC_CABRILLO_OPERATORS, "Edit", {55, 159, 191, 33}, kMultiLine, false},
    {IDC_CABRILLO_CLUB, "Edit", {55, 192, 191, 12}, kEdit, false},
    {IDC_CABRILLO_SOAPBOX, "Edit", {55, 205, 191, 31}, kMultiLine | ES_WANTRETURN, true},
    {IDC_CABRILLO_EMAIL, "Edit", {55, 236, 191, 12}, kEdit, false},
    {IDOK, "Button", {80, 265, 51, 21}, BS_PUSHBUTTON, false},
    {IDCANCEL, "Button", {145, 264, 46, 21}, BS_PUSHBUTTON, false},
};

// Each of left, top, width and height converted on its own, as the dialog
// manager places controls.
RECT Pixels(HWND dialog, RECT units) {
  MapDialogRect(dialog, &units);
  return units;
}

// Left, top, width and height of a control in the dialog's client area.
RECT PlaceOf(HWND dialog, HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::vector<std::string> ComboEntries(HWND combo) {
  std::vector<std::string> entries;
  LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[64] = {};
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    entries.push_back(text);
  }
  return entries;
}

BOOL CALLBACK CollectStatic(HWND control, LPARAM texts) {
  if (ClassOf(control) == "Static")
    reinterpret_cast<std::vector<std::string>*>(texts)->push_back(WindowText(control));
  return TRUE;
}

TEST(CabrilloDialog, TemplateMatchesItsTable) {
  ScratchFolder folder;
  PluginHost host;
  ResetWithDialog(host, HostReset(), [](HWND dialog) {
    DWORD style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
    const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    EXPECT_EQ(style & frame, frame) << std::hex << style;
    EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    RECT client;
    GetClientRect(dialog, &client);
    RECT expected = Pixels(dialog, {0, 0, 255, 298});
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");

    for (const ControlSpec& spec : kControls) {
      HWND control = GetDlgItem(dialog, spec.id);
      ASSERT_NE(control, nullptr) << spec.id;
      EXPECT_EQ(ClassOf(control), spec.windowClass) << spec.id;
      RECT want = Pixels(dialog, spec.units);
      RECT got = PlaceOf(dialog, control);
      EXPECT_EQ(got.left, want.left) << spec.id;
      EXPECT_EQ(got.top, want.top) << spec.id;
      EXPECT_EQ(got.right, want.right) << spec.id;
      LONG controlStyle = GetWindowLongA(control, GWL_STYLE);
      if (ClassOf(control) == "ComboBox") {
        EXPECT_EQ(controlStyle & 3, CBS_DROPDOWN) << spec.id;
        EXPECT_EQ(controlStyle & CBS_SORT, static_cast<LONG>(spec.styles & CBS_SORT)) << spec.id;
        // The template's height is the combo box's with its list open. Wine
        // reports the open list without the edit part and its 2-pixel gap.
        RECT dropped, closed;
        SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        GetWindowRect(control, &closed);
        LONG open = dropped.bottom - closed.top, edit = closed.bottom - closed.top;
        EXPECT_TRUE(open == want.bottom || open == want.bottom - edit - 2)
            << spec.id << ": open height " << open << ", edit " << edit;
      } else if (ClassOf(control) == "Button") {
        EXPECT_EQ(controlStyle & BS_TYPEMASK, BS_PUSHBUTTON) << "no default button";
        EXPECT_EQ(got.bottom, want.bottom) << spec.id;
      } else {
        EXPECT_EQ(controlStyle & static_cast<LONG>(spec.styles), static_cast<LONG>(spec.styles))
            << spec.id;
        EXPECT_EQ(controlStyle & ES_WANTRETURN, static_cast<LONG>(spec.styles & ES_WANTRETURN))
            << spec.id;
        EXPECT_EQ(got.bottom, want.bottom) << spec.id;
      }
      EXPECT_EQ((controlStyle & WS_TABSTOP) != 0, spec.tabStop) << spec.id;
    }
    EXPECT_EQ(ControlText(dialog, IDOK), "OK");
    EXPECT_EQ(ControlText(dialog, IDCANCEL), "CANCEL");
    EXPECT_EQ(ControlText(dialog, IDC_CABRILLO_BAND_LABEL), "CATEGORY-BAND");
    EXPECT_EQ(ControlText(dialog, IDC_CABRILLO_TRANSMITTER_LABEL), "CATEGORY-TRANSMITTER");
    EXPECT_EQ(ControlText(dialog, IDC_CABRILLO_LOCATION_LABEL), "LOCATION");
    std::vector<std::string> labels;
    EnumChildWindows(dialog, CollectStatic, reinterpret_cast<LPARAM>(&labels));
    std::sort(labels.begin(), labels.end());
    EXPECT_EQ(labels,
              (std::vector<std::string>{
                  "ADDRESS", "ADDRESS-CITY", "ADDRESS-COUNTRY", "ADDRESS-POSTALCODE", "CALLSIGN",
                  "CATEGORY-BAND", "CATEGORY-OPERATOR", "CATEGORY-TRANSMITTER", "CLAIMED", "CLUB",
                  "CONTEST", "E-MAIL", "LOCATION", "NAME", "OPERATORS", "SOAPBOX"}));

    EXPECT_EQ(ComboEntries(GetDlgItem(dialog, IDC_CABRILLO_CATEGORY_OPERATOR)),
              (std::vector<std::string>{"SINGLE-OP", "MULTI-OP", "CHECKLOG"}));
    EXPECT_EQ(ComboEntries(GetDlgItem(dialog, IDC_CABRILLO_CATEGORY_BAND)),
              (std::vector<std::string>{"ALL", "80M", "40M", "20M", "15M", "10M"}));
    EXPECT_EQ(ComboEntries(GetDlgItem(dialog, IDC_CABRILLO_CATEGORY_TRANSMITTER)),
              (std::vector<std::string>{"ONE", "TWO", "UNLIMITED"}));
    PressCancel(dialog);
  });
}

TEST(CabrilloDialog, OpensInSoapboxAndTabVisitsOnlyItsFiveStops) {
  ScratchFolder folder;
  PluginHost host;
  ResetWithDialog(host, HostReset(), [](HWND dialog) {
    EXPECT_TRUE(WaitUntil([&] { return FocusedControlId(dialog) == IDC_CABRILLO_SOAPBOX; }));
    const int order[] = {IDC_CABRILLO_CATEGORY_OPERATOR, IDC_CABRILLO_CATEGORY_BAND,
                         IDC_CABRILLO_LOCATION, IDC_CABRILLO_CATEGORY_TRANSMITTER,
                         IDC_CABRILLO_SOAPBOX};
    for (int next : order) {
      PressKey(dialog, VK_TAB);
      EXPECT_TRUE(WaitUntil([&] { return FocusedControlId(dialog) == next; }, 3000))
          << "expected " << next << ", focus in " << FocusedControlId(dialog);
    }
    PressCancel(dialog);
  });
}

TEST(CabrilloDialog, EnterBreaksTheLineInSoapboxOnly) {
  ScratchFolder folder;
  PluginHost host;
  ResetWithDialog(host, HostReset(), [](HWND dialog) {
    TypeInto(dialog, IDC_CABRILLO_SOAPBOX, "one");
    PressKey(dialog, VK_RETURN);  // the focus is in SOAPBOX
    EXPECT_TRUE(WaitUntil([&] { return ControlText(dialog, IDC_CABRILLO_SOAPBOX) != "one"; }));
    EXPECT_EQ(ControlText(dialog, IDC_CABRILLO_SOAPBOX), "one\r\n");
    EXPECT_TRUE(IsWindowVisible(dialog));

    // In OPERATORS, Enter confirms the dialog instead.
    TypeInto(dialog, IDC_CABRILLO_OPERATORS, "JA1ZZZ JA1YYY");
    FocusControl(dialog, IDC_CABRILLO_OPERATORS);
    SendMessageA(GetDlgItem(dialog, IDC_CABRILLO_OPERATORS), EM_SETSEL, 13, 13);
    PressKey(dialog, VK_RETURN);
    EXPECT_TRUE(WaitForWindowGone(dialog));
  });
  ExpectSettings({{"Operators", "JA1ZZZ JA1YYY"}, {"SoapBox", "one<CR><LF>"}});
}

TEST(CabrilloDialog, EnterInLocationConfirms) {
  ScratchFolder folder;
  PluginHost host;
  ResetWithDialog(host, HostReset(), [](HWND dialog) {
    TypeInto(dialog, IDC_CABRILLO_LOCATION, "TK");
    FocusControl(dialog, IDC_CABRILLO_LOCATION);
    PressKey(dialog, VK_RETURN);
    EXPECT_TRUE(WaitForWindowGone(dialog));
  });
  ExpectSettings({{"Loc", "TK"}});
}

}  // namespace
