#include <gtest/gtest.h>

#include "core/contest/qso_log.h"

namespace {

QsoRecord Record(const std::string& call, const std::string& band,
                 const std::string& continent = "AS", const std::string& mode = "CW") {
  QsoRecord r;
  r.Call = call;
  r.Band = band;
  r.Mode = mode;
  r.Continent = continent;
  return r;
}

TEST(QsoLog, FindsSameQsosByCallBandAndModeExactly) {
  QsoLog log;
  log.Append(Record("JA1ABC", "40m"));
  log.Append(Record("JA1ABC", "20m"));
  log.Append(Record("ja1abc", "40m"));
  log.Append(Record("JA1ABC", "40m"));
  log.Append(Record("JA1ABC", "40m", "AS", "SSB"));
  EXPECT_EQ(log.FindSame("JA1ABC", "40m", "CW"), (std::vector<size_t>{0, 3}));
  EXPECT_EQ(log.CountSame("ja1abc", "40m", "CW"), 1u);
  EXPECT_EQ(log.CountSame("JA1ABC", "80m", "CW"), 0u);
}

TEST(QsoLog, RemovalShiftsLaterRecordsAndKeepsTheIndexesRight) {
  QsoLog log;
  log.Append(Record("A", "40m", "EU"));
  log.Append(Record("B", "40m", "AS"));
  log.Append(Record("A", "40m", "EU"));
  log.Append(Record("C", "20m", "EU"));
  log.RemoveAt(0);
  ASSERT_EQ(log.Count(), 3u);
  EXPECT_EQ(log.At(0).Call, "B");
  EXPECT_EQ(log.FindSame("A", "40m", "CW"), (std::vector<size_t>{1}));
  EXPECT_EQ(log.FindSame("C", "20m", "CW"), (std::vector<size_t>{2}));
  EXPECT_TRUE(log.HasBandContinent("40m", "EU"));
  log.RemoveAt(1);
  EXPECT_FALSE(log.HasBandContinent("40m", "EU"));
  EXPECT_TRUE(log.HasBandContinent("20m", "EU"));
  log.Append(Record("A", "40m", "EU"));
  EXPECT_EQ(log.FindSame("A", "40m", "CW"), (std::vector<size_t>{2}));
  log.RemoveAt(2);  // the station's only record: its group empties
  EXPECT_EQ(log.CountSame("A", "40m", "CW"), 0u);
  EXPECT_TRUE(log.FindSame("A", "40m", "CW").empty());
  log.Append(Record("A", "40m", "EU"));
  log.Append(Record("A", "40m", "EU"));
  EXPECT_EQ(log.FindSame("A", "40m", "CW"), (std::vector<size_t>{2, 3}));
  log.Clear();
  EXPECT_EQ(log.Count(), 0u);
  EXPECT_EQ(log.CountSame("B", "40m", "CW"), 0u);
  EXPECT_FALSE(log.HasBandContinent("20m", "EU"));
}

TEST(QsoLog, KnowsTheDistrictsThatCountingRecordsCarryPerBand) {
  QsoLog log;
  QsoRecord counted = Record("A", "40m");
  counted.District = "AC";
  QsoRecord dupe = counted;
  dupe.Excluded = true;
  QsoRecord noCall = Record("", "40m");
  noCall.District = "TK";
  log.Append(counted);
  log.Append(dupe);
  log.Append(noCall);
  EXPECT_TRUE(log.HasCountedDistrict("40m", "AC"));
  EXPECT_FALSE(log.HasCountedDistrict("20m", "AC"));
  EXPECT_FALSE(log.HasCountedDistrict("40m", "TK"));
  log.RemoveAt(0);
  EXPECT_FALSE(log.HasCountedDistrict("40m", "AC"));
  log.SetExcluded(0, false);
  EXPECT_TRUE(log.HasCountedDistrict("40m", "AC"));
  log.SetExcluded(0, true);
  EXPECT_FALSE(log.HasCountedDistrict("40m", "AC"));
  log.SetExcluded(0, false);
  log.Clear();
  EXPECT_FALSE(log.HasCountedDistrict("40m", "AC"));
}

TEST(QsoLog, AppendCopiesTheRecord) {
  QsoLog log;
  QsoRecord r = Record("A", "40m");
  log.Append(r);
  r.Call = "changed";
  EXPECT_EQ(log.At(0).Call, "A");
}

TEST(QsoLog, ARecordFilledInPlaceStartsEmptyAfterAClear) {
  QsoLog log;
  QsoRecord old = Record("A", "40m");
  old.District = "AC";
  old.Excluded = true;
  log.Append(old);
  log.Clear();  // keeps the place and, until now, what it held
  QsoRecord& record = log.StartAppend();
  EXPECT_TRUE(record.Call.empty() && record.District.empty());
  EXPECT_FALSE(record.Excluded);
  record.Call = "B";
  record.Band = "40m";
  record.Mode = "CW";
  log.FinishAppend(log.SameGroupOf("B", "40m", "CW"));
  EXPECT_EQ(log.FindSame("B", "40m", "CW"), (std::vector<size_t>{0}));
  EXPECT_EQ(log.CountSame("A", "40m", "CW"), 0u);
}

TEST(TextLists, IndexOfFindsTheFirstEqualEntry) {
  TextList bands = {"40m", "20m", "40m"};
  EXPECT_EQ(IndexOf(bands, "40m"), 0);
  EXPECT_EQ(IndexOf(bands, "20m"), 1);
  EXPECT_EQ(IndexOf(bands, "80m"), -1);
}

}  // namespace
