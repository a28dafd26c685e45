#include <gtest/gtest.h>

#include <string>

#include "contest/key_index.h"

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

}  // namespace
