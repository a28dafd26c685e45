// The district window and its live update, driven through the real DLL and
// the fake host's automation object.
#include <algorithm>

#include "live_support.h"

namespace {

using Macros = std::vector<std::string>;

class LiveWindows : public LiveTest {};

TEST_F(LiveWindows, FirstUpdateSendsTheOpeningMacrosOnceThenSpot) {
  orvo_.EntryText = L"JA1ABC";
  ASSERT_NE(Show(), nullptr);
  ASSERT_TRUE(WaitForUpdates(1));
  EXPECT_EQ(orvo_.Macros(), (Macros{"<MODE:CW>", "<BAUDRATE:27>", "<SP1>"}));
  EXPECT_EQ(orvo_.Calls()[2].Text, "5") << "the entry field asked for";

  // Later updates, summaries and a second info thread send no opening macro.
  plugin_->CheckCall0(Typing("JA1ABC"));
  ASSERT_TRUE(WaitForUpdates(2));
  plugin_->GetResult0();
  plugin_->RunCommand0("HIDEINFO");
  ASSERT_NE(Show(), nullptr);
  ASSERT_TRUE(WaitForUpdates(3));
  Macros macros = orvo_.Macros();
  EXPECT_EQ(std::count(macros.begin(), macros.end(), "<MODE:CW>"), 1);
  EXPECT_EQ(std::count(macros.begin(), macros.end(), "<BAUDRATE:27>"), 1);
}

}  // namespace
