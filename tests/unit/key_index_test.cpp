#include <gtest/gtest.h>

#include <string>

#include "core/contest/key_index.h"

namespace {

TEST(KeyIndex, NumbersKeysInOrderOfFirstAddition) {
  KeyIndex index;
  EXPECT_EQ(index.Find("A"), KeyIndex::kNone);
  EXPECT_EQ(index.Add("A"), 0u);
  EXPECT_EQ(index.Add("B"), 1u);
  EXPECT_EQ(index.Add("A"), 0u);
  EXPECT_EQ(index.Add(std::string("A\0x", 3)), 2u);  // keys hold separators
  EXPECT_EQ(index.Add(""), 3u);
  EXPECT_EQ(index.Find("B"), 1u);
  EXPECT_EQ(index.Find("a"), KeyIndex::kNone);
  index.Clear();
  EXPECT_EQ(index.Find("A"), KeyIndex::kNone);
  EXPECT_EQ(index.Add("B"), 0u);
}

TEST(KeyIndex, KeepsEveryKeyThroughGrowth) {
  KeyIndex index;
  const uint32_t count = 50000;
  for (uint32_t i = 0; i < count; ++i)
    ASSERT_EQ(index.Add("JA" + std::to_string(i)), i);
  for (uint32_t i = 0; i < count; ++i)
    ASSERT_EQ(index.Find("JA" + std::to_string(i)), i);
  EXPECT_EQ(index.Find("JA" + std::to_string(count)), KeyIndex::kNone);
}

TEST(KeyIndex, KeysOfSeveralTextsMatchOnlyTheSameTexts) {
  KeyIndex index;
  EXPECT_EQ(index.Add({"JA1ABC", "40m", "CW"}), 0u);
  EXPECT_EQ(index.Add({"JA1AB", "C40m", "CW"}), 1u);
  EXPECT_EQ(index.Add({"JA1ABC", "40m"}), 2u);
  EXPECT_EQ(index.Add({"JA1ABC", "40m", ""}), 3u);
  EXPECT_EQ(index.Add({"", "", ""}), 4u);
  EXPECT_EQ(index.Find({"JA1ABC", "40m", "CW"}), 0u);
  EXPECT_EQ(index.Find({"JA1ABC", "40m", ""}), 3u);
  EXPECT_EQ(index.Find({"", ""}), KeyIndex::kNone);
  EXPECT_EQ(index.Find(std::string("JA1ABC\0"
                                   "40m",
                                   10)),
            2u);  // the same joined text
}

TEST(KeyCounts, HasAKeyWhileItsCountIsAboveZero) {
  KeyCounts counts;
  counts.Adjust({"40m", "EU"}, -1);  // never added: stays absent
  EXPECT_FALSE(counts.Has({"40m", "EU"}));
  counts.Adjust({"40m", "EU"}, +1);
  counts.Adjust({"40m", "EU"}, +1);
  counts.Adjust({"40m", "EU"}, -1);
  EXPECT_TRUE(counts.Has({"40m", "EU"}));
  EXPECT_FALSE(counts.Has({"40m", "AS"}));
  counts.Adjust({"40m", "EU"}, -1);
  counts.Adjust({"40m", "EU"}, -1);  // not below zero
  EXPECT_FALSE(counts.Has({"40m", "EU"}));
  counts.Adjust({"40m", "EU"}, +1);
  EXPECT_TRUE(counts.Has({"40m", "EU"}));
  counts.Clear();
  EXPECT_FALSE(counts.Has({"40m", "EU"}));
}

}  // namespace
