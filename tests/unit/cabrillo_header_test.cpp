#include <gtest/gtest.h>

#include <vector>

#include "core/cabrillo/cabrillo_header.h"

namespace {

// Remembers the order of the writes as well as the values.
class RecordingSettings : public MemorySettings {
 public:
  bool WriteText(const char* key, const std::string& value) override {
    Written.push_back(key);
    return MemorySettings::WriteText(key, value);
  }
  std::vector<std::string> Written;
};

TEST(CabrilloHeader, LineBreakFormsRoundTrip) {
  struct Case {
    const char* typed;
    const char* escaped;
    const char* fileForm;
  } cases[] = {
      {"one", "one", "one"},
      {"one\r\ntwo", "one<CR><LF>two", "one\r\nSOAPBOX: two"},
      {"a\r\nb\r\nc", "a<CR><LF>b<CR><LF>c", "a\r\nSOAPBOX: b\r\nSOAPBOX: c"},
      {"\r\n", "<CR><LF>", "\r\nSOAPBOX: "},
      {"lf\nonly", "lf<LF>only", "lfonly"},
      {"cr\ronly", "cr<CR>only", "cr\r\nSOAPBOX: only"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EscapeLineBreaks(c.typed), c.escaped);
    EXPECT_EQ(UnescapeLineBreaks(c.escaped), c.typed);
    EXPECT_EQ(ToFileForm(c.escaped, "SOAPBOX: "), c.fileForm);
  }
  // Replacement output is not scanned again.
  EXPECT_EQ(UnescapeLineBreaks("<<CR>LF>"), "<\rLF>");
  EXPECT_EQ(ToFileForm("x<CR<LF>>y", "T: "), "x<CR>y");
}

TEST(CabrilloHeader, FirstRunStartsFromTheOwnCallAndFixedCategories) {
  MemorySettings none;
  CabrilloLog log = LoadCabrilloHeader(none, "JA1ZZZ/P");
  EXPECT_EQ(log.Callsign, "JA1ZZZ/P");
  EXPECT_EQ(log.BaseName, "JA1ZZZ_P");
  EXPECT_EQ(log.Operators, "JA1ZZZ/P");
  EXPECT_EQ(log.Contest, "DKZ");
  EXPECT_EQ(log.CategoryOperator, "SINGLE-OP");
  EXPECT_EQ(log.CategoryBand, "ALL");
  EXPECT_EQ(log.CategoryTransmitter, "ONE");
  for (const std::string* empty :
       {&log.Name, &log.Address, &log.AddressCity, &log.AddressPostalCode, &log.AddressCountry,
        &log.Claimed, &log.Power, &log.Location, &log.Email, &log.Club, &log.SoapBox})
    EXPECT_EQ(*empty, "");
}

TEST(CabrilloHeader, StoredKeysLoadButCategoriesStartFresh) {
  MemorySettings stored;
  stored.Values = {{"Operators", "JA1ZZZ<CR><LF>JA1YYY"},
                   {"Name", "Taro"},
                   {"Loc", "AS"},
                   {"Claimed", "777"},
                   {"Power", "100"},
                   {"SoapBox", "one<CR><LF>two"},
                   {"Band", "20M"},
                   {"Category", "MULTI-OP"},
                   {"Contest", "OTHER"}};
  CabrilloLog log = LoadCabrilloHeader(stored, "JA1ZZZ");
  EXPECT_EQ(log.Operators, "JA1ZZZ<CR><LF>JA1YYY");  // shown with its markers
  EXPECT_EQ(log.SoapBox, "one\r\ntwo");
  EXPECT_EQ(log.Name, "Taro");
  EXPECT_EQ(log.Location, "AS");
  EXPECT_EQ(log.Claimed, "777");
  EXPECT_EQ(log.Power, "100");
  EXPECT_EQ(log.CategoryBand, "ALL");
  EXPECT_EQ(log.CategoryOperator, "SINGLE-OP");
  EXPECT_EQ(log.Contest, "DKZ");
}

TEST(CabrilloHeader, OkWritesEveryKeyInOrderAndLeavesTheFileForm) {
  RecordingSettings settings;
  settings.Values["Claimed"] = "777";
  CabrilloLog log = LoadCabrilloHeader(settings, "JA1ZZZ");
  log.Operators = "JA1ZZZ\r\nJA1YYY";
  log.SoapBox = "one\r\ntwo";
  log.Power = "100";
  log.CategoryOperator = "MULTI-OP";
  log.CategoryBand = "40M";
  log.Claimed = "typed";
  log.QsoLines.push_back("stale\r\n");
  FinishCabrilloHeader(log, settings, true);

  EXPECT_EQ(settings.Written,
            (std::vector<std::string>{"Band", "Power", "Operators", "Name", "Address",
                                      "Address-City", "Address-PostalCode", "Address-Country",
                                      "Category", "Contest", "Email", "Club", "SoapBox", "Loc"}));
  EXPECT_EQ(settings.Values["Operators"], "JA1ZZZ<CR><LF>JA1YYY");
  EXPECT_EQ(settings.Values["SoapBox"], "one<CR><LF>two");
  EXPECT_EQ(settings.Values["Category"], "MULTI-OP");
  EXPECT_EQ(settings.Values["Band"], "40M");
  EXPECT_EQ(settings.Values["Contest"], "DKZ");
  EXPECT_EQ(settings.Values["Power"], "100");
  EXPECT_EQ(settings.Values["Name"], "");
  EXPECT_EQ(settings.Values["Claimed"], "777");
  EXPECT_EQ(log.Operators, "JA1ZZZ\r\nOPERATORS: JA1YYY");
  EXPECT_EQ(log.SoapBox, "one\r\nSOAPBOX: two");
  EXPECT_TRUE(log.QsoLines.empty());
}

TEST(CabrilloHeader, CancelWritesNothingButStillGivesTheFileForm) {
  RecordingSettings settings;
  settings.Values = {{"Operators", "JA1ZZZ<CR><LF>JA1YYY"}, {"SoapBox", "one<CR><LF>two"}};
  CabrilloLog log = LoadCabrilloHeader(settings, "JA1ZZZ");
  FinishCabrilloHeader(log, settings, false);
  EXPECT_TRUE(settings.Written.empty());
  EXPECT_EQ(log.Operators, "JA1ZZZ\r\nOPERATORS: JA1YYY");
  EXPECT_EQ(log.SoapBox, "one\r\nSOAPBOX: two");
}

}  // namespace
