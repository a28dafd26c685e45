#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/contest/block_list.h"

namespace {

std::vector<std::string> Contents(const BlockList<std::string, 4>& list) {
  std::vector<std::string> out;
  for (size_t i = 0; i < list.size(); ++i)
    out.push_back(list[i]);
  return out;
}

// Blocks of four, so that growth, removal and refilling all cross blocks.
TEST(BlockList, KeepsOrderAcrossBlocksThroughRemovalAndRefill) {
  BlockList<std::string, 4> list;
  for (int i = 0; i < 10; ++i)
    list.push_back(std::to_string(i));
  list.erase(2);
  list.erase(8);  // the last
  EXPECT_EQ(Contents(list), (std::vector<std::string>{"0", "1", "3", "4", "5", "6", "7", "8"}));
  list.clear();
  EXPECT_EQ(list.size(), 0u);
  for (const char* text : {"a", "b", "c", "d", "e"})
    list.push_back(text);
  EXPECT_EQ(Contents(list), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
}

}  // namespace
