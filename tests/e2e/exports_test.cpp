// The plug-in's export table and the set-level answers, through both names.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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

TEST(ExportTable, HoldsExactlyThePlainAndDecoratedNames) {
  PluginHost host;
  std::vector<std::string> expected = {
      "?AddData0@@YAHPBD0PAVCOleDateTime@ATL@@111II000000000000000HHHNN00000@Z",
      "?CheckCallFunc0@@YAHPBDII00000000000HHHNN0000000PAD1@Z",
      "?GetNumberOfSets@@YAHXZ",
      "?GetResult0@@YAPBDPAH@Z",
      "?GetSetName@@YAPBDH@Z",
      "?RemoveData0@@YAHPBD0PAVCOleDateTime@ATL@@111II000000000000000HHHNN00000@Z",
      "?ResetStats0@@YAHPBDH0PAVCOleDateTime@ATL@@10000000000HHHNN000@Z",
      "?RunCommand0@@YAPBDHPBD@Z",
      "?SetupSet0@@YAXXZ",
      "?StatsGetExchgCount0@@YAHPBD00@Z",
      "?StatsIsValidExchg0@@YAHPBD000HHH@Z",
      "AddData0",
      "CheckCall0",
      "GetExchgCount0",
      "GetNumberOfSets",
      "GetResult0",
      "GetSetName",
      "IsValidExchg0",
      "RemoveData0",
      "ResetStats0",
      "SetupSet0",
  };
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ExportedNames(host.Module()), expected);
  // A host that asks for a plain RunCommand0 does not find it.
  EXPECT_EQ(GetProcAddress(host.Module(), "RunCommand0"), nullptr);
}

TEST(ExportTable, PlainAndDecoratedNamesReachTheSameFunctions) {
  PluginHost host;
  const char* pairs[][2] = {
      {"GetSetName", "?GetSetName@@YAPBDH@Z"},
      {"GetExchgCount0", "?StatsGetExchgCount0@@YAHPBD00@Z"},
      {"IsValidExchg0", "?StatsIsValidExchg0@@YAHPBD000HHH@Z"},
      {"CheckCall0", "?CheckCallFunc0@@YAHPBDII00000000000HHHNN0000000PAD1@Z"},
      {"SetupSet0", "?SetupSet0@@YAXXZ"},
  };
  for (auto& pair : pairs) {
    EXPECT_EQ(GetProcAddress(host.Module(), pair[0]), GetProcAddress(host.Module(), pair[1]))
        << pair[0];
  }
}

class SetExports : public ::testing::TestWithParam<bool> {
 protected:
  ScratchFolder folder_;
  PluginHost host_{GetParam()};
};

TEST_P(SetExports, OfferOneSetNamedDkz) {
  EXPECT_EQ(host_.GetNumberOfSets(), 1);
  EXPECT_STREQ(host_.GetSetName(0), "DKZ Contest (C)");
  EXPECT_STREQ(host_.GetSetName(1), "");
  EXPECT_STREQ(host_.GetSetName(-1), "");
  EXPECT_EQ(host_.GetExchgCount0("", "", ""), 1);
}

TEST_P(SetExports, RunCommandAnswersTheEmptyTextForAnyCommand) {
  for (const char* command : {"lowercase showinfo", "", "HIDEINFO"}) {
    const char* answer = host_.RunCommand0(command);
    ASSERT_NE(answer, nullptr);
    EXPECT_STREQ(answer, "");
  }
  EXPECT_STREQ(host_.RunCommand0(nullptr), "");
}

INSTANTIATE_TEST_SUITE_P(ByName, SetExports, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Decorated" : "Plain";
                         });

}  // namespace
