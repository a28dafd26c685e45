#include <gtest/gtest.h>

#include <stdexcept>

#include "native_plugin/ini_settings.h"
#include "native_plugin/native_replayer.h"

namespace {

TEST(ProfileText, ReadsAsTheProfileServiceDoes) {
  const std::string text =
      "[Other]\r\nStart=7\r\n[settings]\r\n start = 1 \r\nName=\"Quoted\"\r\nLong=" +
      std::string(120, 'x') + "\r\n";
  struct Case {
    const char* Key;
    const char* Fallback;
    std::string Expected;
  } cases[] = {
      {"START", "", "1"},  // the key and section whatever their case, blanks trimmed
      {"Name", "", "Quoted"},
      {"Long", "", std::string(99, 'x')},
      {"Missing", "JA1ZZZ ", "JA1ZZZ"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ProfileValue(text, "Settings", c.Key, c.Fallback), c.Expected) << c.Key;
}

TEST(ProfileText, WritesAKeyInItsPlaceOrAtItsSectionsEnd) {
  EXPECT_EQ(WithProfileValue("", "Settings", "Start", "1"), "[Settings]\r\nStart=1\r\n");
  const std::string text = "[Settings]\r\nStart=1\r\nClaimed=5\r\n\r\n[Other]\r\nA=1\r\n";
  EXPECT_EQ(WithProfileValue(text, "Settings", "start", "0"),
            "[Settings]\r\nstart=0\r\nClaimed=5\r\n\r\n[Other]\r\nA=1\r\n");
  EXPECT_EQ(WithProfileValue(text, "Settings", "Name", "  A B"),
            "[Settings]\r\nStart=1\r\nClaimed=5\r\nName=A B\r\n\r\n[Other]\r\nA=1\r\n");
}

TEST(HeaderBoxes, TakeWhatTheDialogTakes) {
  CabrilloLog log;
  log.Claimed = "0";
  FillHeaderBoxes(log, {{&CabrilloLog::CategoryBand, "40m"},
                        {&CabrilloLog::CategoryOperator, "single"},
                        {&CabrilloLog::SoapBox, "one\ntwo"},
                        {&CabrilloLog::Claimed, "999"},
                        {&CabrilloLog::Name, "A. Name"}});
  EXPECT_EQ(log.CategoryBand, "40M");         // the list's entry
  EXPECT_EQ(log.CategoryOperator, "single");  // typed: no entry is called so
  EXPECT_EQ(log.SoapBox, "one\r\ntwo");       // Enter breaks the line
  EXPECT_EQ(log.Claimed, "0");                // shown only
  EXPECT_EQ(log.Name, "A. Name");
  EXPECT_THROW(FillHeaderBoxes(log, {{&CabrilloLog::Name, "a\nb"}}), std::runtime_error);
}

}  // namespace
