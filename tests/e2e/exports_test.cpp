// The plug-in's export table and the set-level answers, through both names.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "export_names.h"
#include "plugin_host.h"

namespace {

std::vector<std::string> ExportedNames(HMODULE module) {
  auto base = reinterpret_cast<const BYTE*>(module);
  auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
  auto names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  std::vector<std::string> result;
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
    result.push_back(reinterpret_cast<const char*>(base + names[i]));
  }
  std::sort(result.begin(), result.end());
  return result;
}

// The names come from Stats.def; tools/check-exports.sh checks them against
// the declarations.
TEST(ExportTable, HoldsExactlyThePlainAndDecoratedNames) {
  PluginHost host;
  std::vector<std::string> expected;
  for (const ExportName& name : ExportNames()) {
    expected.push_back(name.Decorated);
    if (std::string(name.Plain) != "RunCommand0")
      expected.push_back(name.Plain);
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(expected.size(), 21u);
  EXPECT_EQ(ExportedNames(host.Module()), expected);
  // A host that asks for a plain RunCommand0 does not find it.
  EXPECT_EQ(GetProcAddress(host.Module(), "RunCommand0"), nullptr);
}

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
