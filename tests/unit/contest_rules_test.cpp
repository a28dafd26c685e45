#include <gtest/gtest.h>

#include "core/base/text.h"
#include "core/contest/contest_rules.h"

namespace {

TEST(Bands, IndexByTextAndByWholeMegahertz) {
  EXPECT_EQ(kDkzRules.BandIndexOf("160m"), 0);
  EXPECT_EQ(kDkzRules.BandIndexOf("10m"), 5);
  EXPECT_EQ(kDkzRules.BandIndexOf("6m"), kNoBand);
  EXPECT_EQ(kDkzRules.BandIndexOf(""), kNoBand);
  EXPECT_EQ(kDkzRules.BandIndexOf("40M"), kNoBand);

  struct {
    double hz;
    int band;
  } cases[] = {{1800000, 0},  {3500000, 1},  {3999999, 1},   {4000000, -1},
               {2000000, -1}, {7000000, 2},  {14000000, 3},  {21000000, 4},
               {28000000, 5}, {28999999, 5}, {29000000, -1}, {0, -1}};
  for (auto& c : cases)
    EXPECT_EQ(kDkzRules.BandIndexOfFrequency(c.hz), c.band) << c.hz;
}

TEST(Bands, OnlyThreeWarcBandsAreOutsideTheContest) {
  for (const char* band : {"30m", "17m", "12m"})
    EXPECT_TRUE(kDkzRules.IsRefusedBand(band));
  for (const char* band : {"6m", "40m", "", "30M"})
    EXPECT_FALSE(kDkzRules.IsRefusedBand(band));
}

TEST(Districts, CodesAreExactAndNormalizeUpperCasesAndTrims) {
  EXPECT_TRUE(kDkzRules.IsDistrictCode("YN"));
  EXPECT_TRUE(kDkzRules.IsDistrictCode("AC"));
  EXPECT_FALSE(kDkzRules.IsDistrictCode("yn"));
  EXPECT_FALSE(kDkzRules.IsDistrictCode("JA"));
  EXPECT_FALSE(kDkzRules.IsDistrictCode(" AC"));
  EXPECT_EQ(NormalizeCode(" ac "), "AC");
  EXPECT_EQ(NormalizeCode("\ttk\r\n"), "TK");
  EXPECT_EQ(NormalizeCode("123"), "123");
  EXPECT_EQ(kDkzRules.DistrictIndexOf("AC"), 0);
  EXPECT_EQ(kDkzRules.DistrictIndexOf("YN"), kDistrictCount - 1);
}

TEST(Districts, TableIsSortedAndUnique) {
  for (int i = 1; i < kDistrictCount; ++i) {
    EXPECT_LT(std::string(kDkzRules.Districts[i - 1].Code),
              std::string(kDkzRules.Districts[i].Code));
  }
  for (int i = 0; i < kDistrictCount; ++i)
    EXPECT_EQ(kDkzRules.DistrictIndexOf(kDkzRules.Districts[i].Code), i);
  for (const char* code : {"AA", "AD", "ZZ", "YO", "\xFF\xFF", ""})
    EXPECT_EQ(kDkzRules.DistrictIndexOf(code), -1) << code;
}

TEST(Rules, PrefixAliasesFoldToItaly) {
  EXPECT_EQ(kDkzRules.FoldPrefix("IT9"), "I");
  EXPECT_EQ(kDkzRules.FoldPrefix("IG9"), "I");
  EXPECT_EQ(kDkzRules.FoldPrefix("IH9"), "I");
  EXPECT_EQ(kDkzRules.FoldPrefix("IT9X"), "IT9X");
  EXPECT_EQ(kDkzRules.FoldPrefix("it9"), "it9");
}

TEST(Rules, ExchangeValidity) {
  struct {
    const char* exchange;
    const char* prefix;
    bool valid;
  } cases[] = {
      {"599", "JA", false}, {"599", "DL", false},  {"AC", "JA", true},     {"ac", "JA", false},
      {"A", "JA", false},   {"ACX", "JA", false},  {"5", "DL", true},      {"1234", "DL", true},
      {"0599", "DL", true}, {"", "DL", false},     {"12345", "DL", false}, {"12A", "DL", false},
      {"AC", "DL", false},  {"\xB9", "DL", false}, {"12", "", true},
  };
  for (auto& c : cases) {
    EXPECT_EQ(kDkzRules.IsValidExchange(c.exchange, c.prefix), c.valid)
        << c.exchange << " " << c.prefix;
  }
}

TEST(Rules, PointsByOwnAndWorkedPrefix) {
  EXPECT_EQ(kDkzRules.QsoPoints("JA", "JA"), 1);
  EXPECT_EQ(kDkzRules.QsoPoints("JA", "DL"), 5);
  EXPECT_EQ(kDkzRules.QsoPoints("DL", "JA"), 1);
  EXPECT_EQ(kDkzRules.QsoPoints("DL", "DL"), 0);
  EXPECT_EQ(kDkzRules.QsoPoints("ja", "DL"), 0);
}

TEST(Text, ReplaceAllDoesNotRescanReplacedText) {
  EXPECT_EQ(ReplaceAll("a/b/c", "/", "_"), "a_b_c");
  EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
  EXPECT_EQ(ReplaceAll("aaaa", "aa", "a"), "aa");
  EXPECT_EQ(ReplaceAll("x\r\ny", "\r", "<CR>"), "x<CR>\ny");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceAll("abc", "b", "b"), "abc");
  EXPECT_EQ(Trim("  \t x y \r\n"), "x y");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(SplitWords(" QSO:\t7012  CW\r"), (std::vector<std::string>{"QSO:", "7012", "CW"}));
  EXPECT_TRUE(SplitWords(" \t ").empty());
  EXPECT_EQ(SplitWords(" a b  c d", 3), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(CountWords(" a b  c d "), 4u);
  EXPECT_EQ(CountWords("\t"), 0u);
  EXPECT_EQ(SplitLines("a\r\n\nb"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(SplitLines("a\n"), (std::vector<std::string>{"a"}));
}

}  // namespace
