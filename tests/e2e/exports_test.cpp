// The plug-in's exports through both names, and the set-level answers.
#include <gtest/gtest.h>

#include "driver/export_names.h"
#include "driver/plugin_host.h"

namespace {

// The export table itself (exactly these names, RunCommand0 without a plain
// one) is checked once, by tools/check-exports.sh on the built DLL.

// All ten pairs: then a test through either name tests both.
TEST(ExportTable, PlainAndDecoratedNamesReachTheSameFunctions) {
  PluginHost host;
  int pairs = 0;
  for (const ExportName& name : ExportNames()) {
    FARPROC plain = GetProcAddress(host.Module(), name.Plain);
    if (plain == nullptr)
      continue;  // RunCommand0, decorated only
    ++pairs;
    EXPECT_EQ(plain, GetProcAddress(host.Module(), name.Decorated)) << name.Plain;
  }
  EXPECT_EQ(pairs, 10);
}

// By the decorated names, as the logging program calls them: ExportTable checks
// that the plain names reach the same functions.
class SetExports : public ::testing::Test {
 protected:
  ScratchFolder folder_;
  PluginHost host_{true};
};

TEST_F(SetExports, OfferOneSetNamedDkz) {
  EXPECT_EQ(host_.GetNumberOfSets(), 1);
  EXPECT_STREQ(host_.GetSetName(0), "DKZ Contest (C)");
  EXPECT_STREQ(host_.GetSetName(1), "");
  EXPECT_STREQ(host_.GetSetName(-1), "");
  EXPECT_EQ(host_.GetExchgCount0("", "", ""), 1);
}

TEST_F(SetExports, RunCommandAnswersTheEmptyTextForAnyCommand) {
  for (const char* command : {"lowercase showinfo", "", "HIDEINFO"}) {
    const char* answer = host_.RunCommand0(command);
    ASSERT_NE(answer, nullptr);
    EXPECT_STREQ(answer, "");
  }
  EXPECT_STREQ(host_.RunCommand0(nullptr), "");
}

}  // namespace
