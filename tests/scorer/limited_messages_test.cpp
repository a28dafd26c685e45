// Reading messages kept a few of each kind: the counts stay exact however
// many come, and a hostile file's messages stay a few lines.
#include <gtest/gtest.h>

#include "logs/limited_messages.h"

namespace {

std::string Numbered(const char* text, size_t n) {
  return "a.log: line " + std::to_string(n) + ": " + text;
}

TEST(LimitedMessages, KindsBeyondTheLimitAreOnlyCounted) {
  LimitedMessages messages(2);
  // Each letter a kind of its own, three of each.
  for (size_t kind = 0; kind < LimitedMessages::kMostKinds + 10; ++kind) {
    for (size_t n = 0; n < 3; ++n)
      messages.Add(Numbered(("kind " + std::string(1 + kind / 26, 'a' + kind % 26)).c_str(), n));
  }
  EXPECT_EQ(messages.size(), 3 * (LimitedMessages::kMostKinds + 10));
  EXPECT_EQ(messages.Kept().size(), 2 * LimitedMessages::kMostKinds);
  std::vector<std::string> lines = messages.Lines(1);
  ASSERT_EQ(lines.size(), 2 * LimitedMessages::kMostKinds + 1);
  EXPECT_EQ(lines[0], "a.log: line 0: kind a");
  EXPECT_EQ(lines[1], "  ... and 2 more like the one above, not shown (3 in all)");
  EXPECT_EQ(lines.back(), "  ... and 30 more of other kinds, not shown");
}

TEST(LimitedMessages, AddedToOthersTheirCountsComeAlong) {
  LimitedMessages read;  // as a reader keeps them
  for (size_t n = 1; n <= 30; ++n)
    read.Add(Numbered("time '9' is not HHMM", n));
  read.Add("a.log: 1 X-QSO: line, a QSO not claimed for score, left out");
  LimitedMessages shown(5);
  shown.Add("no START-OF-LOG: line");
  shown.Add(read, [](const std::string& message) { return message.substr(7); });
  EXPECT_EQ(shown.size(), 32u);
  EXPECT_EQ(shown.Lines(5), (std::vector<std::string>{
                                "no START-OF-LOG: line",
                                "line 1: time '9' is not HHMM",
                                "line 2: time '9' is not HHMM",
                                "line 3: time '9' is not HHMM",
                                "line 4: time '9' is not HHMM",
                                "line 5: time '9' is not HHMM",
                                "  ... and 25 more like the one above, not shown (30 in all)",
                                "1 X-QSO: line, a QSO not claimed for score, left out",
                            }));
}

}  // namespace
