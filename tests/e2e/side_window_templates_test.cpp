// The worked-before and continent windows' templates, item by item.
#include <gtest/gtest.h>

#include "driver/plugin_host.h"
#include "template_reader.h"

namespace {

TEST(WorkedBeforeTemplate, MatchesItsLayout) {
  PluginHost host;
  DialogTemplateInfo t;
  ASSERT_TRUE(ReadDialogTemplate(host.Module(), 108, t));
  EXPECT_EQ(t.Caption, "DXCC");
  EXPECT_EQ(t.Width, 242);
  EXPECT_EQ(t.Height, 142);
  EXPECT_EQ(t.FontFace, "MS Sans Serif");
  EXPECT_EQ(t.FontPoints, 8);
  EXPECT_EQ(t.Style,
            static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                               WS_MAXIMIZEBOX | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | DS_SETFONT));
  EXPECT_EQ(t.ExStyle, 0u);  // not topmost
  ASSERT_EQ(t.Items.size(), 1u);
  const TemplateItem& list = t.Items[0];
  EXPECT_EQ(list.Id, 1003);
  EXPECT_EQ(list.ClassName, "BUTTON");
  EXPECT_EQ(list.Text, "Button1");
  EXPECT_EQ(list.X, 2);
  EXPECT_EQ(list.Y, 1);
  EXPECT_EQ(list.Width, 237);
  EXPECT_EQ(list.Height, 138);
  EXPECT_EQ(list.Style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW |
                                           BS_FLAT | BS_NOTIFY));
  EXPECT_EQ(list.ExStyle, static_cast<DWORD>(WS_EX_DLGMODALFRAME | WS_EX_TRANSPARENT |
                                             WS_EX_CLIENTEDGE | WS_EX_RTLREADING));
}

TEST(ContinentTemplate, MatchesItsLayout) {
  PluginHost host;
  DialogTemplateInfo t;
  ASSERT_TRUE(ReadDialogTemplate(host.Module(), 109, t));
  EXPECT_EQ(t.Caption, "Continent");
  EXPECT_EQ(t.Width, 83);
  EXPECT_EQ(t.Height, 46);
  EXPECT_EQ(t.FontFace, "MS Shell Dlg");
  EXPECT_EQ(t.FontPoints, 8);
  EXPECT_EQ(t.FontWeight, FW_NORMAL);
  EXPECT_FALSE(t.FontItalic);
  EXPECT_EQ(t.Style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                                        DS_SETFONT | DS_FIXEDSYS));
  EXPECT_EQ(t.ExStyle, 0u);

  struct Box {
    int Id;
    const char* Text;
    int X, Y, Width;
  } boxes[] = {
      {1099, "EU", 7, 7, 20},  {1100, "NA", 31, 7, 22},  {1101, "SA", 56, 7, 20},
      {1102, "AF", 7, 25, 20}, {1103, "AS", 31, 25, 20}, {1104, "OC", 56, 25, 20},
  };
  ASSERT_EQ(t.Items.size(), 6u);
  for (const Box& box : boxes) {
    const TemplateItem* item = t.Item(box.Id);
    ASSERT_NE(item, nullptr) << box.Id;
    EXPECT_EQ(item->ClassName, "BUTTON") << box.Id;
    EXPECT_EQ(item->Text, box.Text) << box.Id;
    EXPECT_EQ(item->X, box.X) << box.Id;
    EXPECT_EQ(item->Y, box.Y) << box.Id;
    EXPECT_EQ(item->Width, box.Width) << box.Id;
    EXPECT_EQ(item->Height, 12) << box.Id;
    EXPECT_EQ(item->Style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX))
        << box.Id;
    EXPECT_EQ(item->ExStyle, 0u) << box.Id;
  }
}

}  // namespace
