#include <gtest/gtest.h>

#include "logs/replay_plan.h"

namespace {

const CountryFile& Countries() {
  static const CountryFile file = CountryFile::Parse(
      "Japan: 25: 45: AS: 36.40: -138.38: -9.0: JA:\n    JA,JE;\n"
      "Sicily: 15: 28: EU: 37.50: -14.00: -1.0: *IT9:\n    IT9;\n"
      "Fed. Rep. of Germany: 14: 28: EU: 51.00: -10.00: -1.0: DL:\n    DL;\n",
      "c.dat");
  return file;
}

LogQso Qso(const char* call, int day, const char* own = "JA1XYZ") {
  LogQso q;
  q.Where = std::string("line ") + std::to_string(day);
  q.OwnCall = own;
  q.Call = call;
  q.Time = MakeOleDateTime(2023, 6, day, 7, 5, 30);
  q.FrequencyHz = 7012999;
  q.Band = "40m";
  q.Mode = "CW";
  q.RstSent = "599";
  q.RstRcvd = "579";
  q.ExchSent = "TK";
  q.ExchRcvd = "ac";
  return q;
}

LogContents Log(std::vector<LogQso> qsos) {
  LogContents log;
  log.Format = "ADIF";
  log.Qsos = std::move(qsos);
  return log;
}

TEST(ReplayPlan, HandsOverEachQsoWithItsCountryInLogOrder) {
  ReplayPlan plan = PlanReplay(Log({Qso("JE2AAA", 11), Qso("IT9BBB", 10), Qso("DL1CCC/MM", 12)}),
                               Countries(), ReplayOptions(), "a.adi");
  ASSERT_EQ(plan.Qsos.size(), 3u);
  const QsoInput& q = plan.Qsos[0];
  EXPECT_EQ(q.OwnCall, "JA1XYZ");
  EXPECT_EQ(q.Call, "JE2AAA");
  EXPECT_EQ(FormatDateTime(q.Time, "%Y-%m-%d %H:%M:%S"), "2023-06-11 07:05:30");
  EXPECT_EQ(q.FrequencyHz, 7012999u);
  EXPECT_EQ(q.Mode, "CW");
  EXPECT_EQ(q.RstSent, "599");
  EXPECT_EQ(q.RstRcvd, "579");
  EXPECT_EQ(q.ExchSent, "TK");
  EXPECT_EQ(q.ExchRcvd, "ac");  // as logged: the plug-in normalises it
  EXPECT_EQ(q.Prefix, "JA");
  EXPECT_EQ(q.Continent, "AS");
  EXPECT_EQ(q.Band, "40m");
  EXPECT_EQ(plan.Qsos[1].Prefix, "IT9");  // the plug-in folds it, not us
  EXPECT_EQ(plan.Qsos[1].Continent, "EU");
  EXPECT_EQ(plan.Qsos[2].Prefix, "");
  EXPECT_EQ(plan.Qsos[2].Continent, "");
  ASSERT_EQ(plan.Notes.size(), 1u);
  EXPECT_EQ(plan.Notes[0],
            "a.adi: line 12: no country for DL1CCC/MM: handed over with an empty prefix and "
            "continent");
}

TEST(ReplayPlan, NotesAStationRepeatedMoreOftenThanErrTxtNamesEarlierOnes) {
  for (size_t copies : {11u, 12u}) {
    ReplayPlan plan = PlanReplay(Log(std::vector<LogQso>(copies, Qso("JE2AAA", 11))), Countries(),
                                 ReplayOptions(), "a.adi");
    if (copies == 11) {
      EXPECT_TRUE(plan.Notes.empty());
      continue;
    }
    ASSERT_EQ(plan.Notes.size(), 1u);
    EXPECT_EQ(plan.Notes[0],
              "a.adi: JE2AAA on 40m CW is in the log 12 times; err.txt names at most 10 "
              "earlier ones for each repeat");
  }
}

TEST(ReplayPlan, ResetTakesOwnDataFromTheLogUnlessGiven) {
  ReplayPlan plan = PlanReplay(Log({Qso("JE2AAA", 11), Qso("JE2AAB", 10), Qso("JE2AAC", 12)}),
                               Countries(), ReplayOptions(), "a.adi");
  EXPECT_EQ(plan.Reset.CabrilloRequest, 0);
  EXPECT_EQ(plan.Reset.OwnCall, "JA1XYZ");
  EXPECT_EQ(plan.Reset.OwnPrefix, "JA");
  // The period runs from the earliest to the latest QSO date, whole days.
  EXPECT_EQ(FormatDateTime(plan.Reset.PeriodStart, "%Y-%m-%d %H%M"), "2023-06-10 0000");
  EXPECT_EQ(FormatDateTime(plan.Reset.PeriodEnd, "%Y-%m-%d %H%M"), "2023-06-12 0000");
  EXPECT_TRUE(plan.Notes.empty());

  ReplayOptions options;
  options.OwnCall = "dl4mcf";
  options.OwnPrefix = "DA";
  options.PeriodStart = CalendarTime{2023, 6, 1, 0, 0, 0};
  options.PeriodEnd = CalendarTime{2023, 6, 30, 0, 0, 0};
  plan = PlanReplay(Log({Qso("JE2AAA", 11)}), Countries(), options, "a.adi");
  EXPECT_EQ(plan.Reset.OwnCall, "DL4MCF");
  EXPECT_EQ(plan.Reset.OwnPrefix, "DA");
  EXPECT_EQ(plan.Qsos[0].OwnCall, "DL4MCF");
  EXPECT_EQ(FormatDateTime(plan.Reset.PeriodStart, "%d.%m"), "01.06");
  EXPECT_EQ(FormatDateTime(plan.Reset.PeriodEnd, "%d.%m.%Y"), "30.06.2023");
  ASSERT_EQ(plan.Notes.size(), 1u);
  EXPECT_EQ(plan.Notes[0],
            "the log names the own callsigns JA1XYZ; every QSO is scored for DL4MCF");
}

TEST(ReplayPlan, HandsOverOnlyTheQsosOfThePeriodBothDaysIncluded) {
  ReplayOptions options;
  options.PeriodStart = CalendarTime{2023, 6, 10, 0, 0, 0};
  options.PeriodEnd = CalendarTime{2023, 6, 11, 0, 0, 0};
  ReplayPlan plan =
      PlanReplay(Log({Qso("JE2AAA", 9), Qso("JE2AAB", 10), Qso("JE2AAC", 11), Qso("JE2AAD", 12)}),
                 Countries(), options, "a.adi");
  ASSERT_EQ(plan.Qsos.size(), 2u);
  EXPECT_EQ(plan.Qsos[0].Call, "JE2AAB");
  EXPECT_EQ(plan.Qsos[1].Call, "JE2AAC");
  EXPECT_EQ(plan.Where, (std::vector<std::string>{"line 10", "line 11"}));
  EXPECT_EQ(plan.OutsidePeriod, 2u);

  options.PeriodEnd.reset();
  options.PeriodStart = CalendarTime{2023, 7, 1, 0, 0, 0};  // after the last QSO
  plan = PlanReplay(Log({Qso("JE2AAA", 9)}), Countries(), options, "a.adi");
  EXPECT_TRUE(plan.Qsos.empty());
  EXPECT_EQ(FormatDateTime(plan.Reset.PeriodEnd, "%Y-%m-%d"), "2023-07-01");
}

TEST(ReplayPlan, OwnCallComesFromTheHeaderThenTheFirstRecord) {
  LogContents log = Log({Qso("JE2AAA", 11, ""), Qso("JE2AAB", 11, "JE1XYZ"), Qso("JE2AAC", 11)});
  ReplayPlan plan = PlanReplay(log, Countries(), ReplayOptions(), "a.adi");
  EXPECT_EQ(plan.Reset.OwnCall, "JE1XYZ");
  ASSERT_EQ(plan.Notes.size(), 1u);
  EXPECT_EQ(plan.Notes[0],
            "the log names the own callsigns JE1XYZ, JA1XYZ; every QSO is scored for JE1XYZ");
  log.HeaderCall = "DL4MCF";
  EXPECT_EQ(PlanReplay(log, Countries(), ReplayOptions(), "a.adi").Reset.OwnPrefix, "DL");
}

TEST(ReplayPlan, UnusableInputIsRefusedWithTheReason) {
  const struct {
    LogContents Log;
    ReplayOptions Options;
    const char* Message;
  } cases[] = {
      {Log({}), {}, "a.adi (ADIF): no QSO found"},
      {[] {
         LogContents l = Log({});
         l.Skipped.Add("x");
         l.Skipped.Add("y");
         return l;
       }(),
       {},
       "a.adi (ADIF): none of its 2 records could be read"},
      {Log({Qso("JE2AAA", 11, "")}),
       {},
       "a.adi: the log does not name the own callsign (STATION_CALLSIGN, OPERATOR or CALLSIGN:); "
       "give it with --call"},
      {Log({Qso("JE2AAA", 11, "K1ABC")}),
       {},
       "the country file knows no entity for the own call K1ABC; give the own prefix with "
       "--prefix"},
      {Log({Qso("JE2AAA", 11)}),
       [] {
         ReplayOptions o;
         o.PeriodStart = CalendarTime{2023, 6, 12, 0, 0, 0};
         o.PeriodEnd = CalendarTime{2023, 6, 11, 0, 0, 0};
         return o;
       }(),
       "the period 2023-06-12 to 2023-06-11 ends before it starts"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Message);
    try {
      PlanReplay(c.Log, Countries(), c.Options, "a.adi");
      ADD_FAILURE() << "no InputError";
    } catch (const InputError& e) {
      EXPECT_STREQ(e.what(), c.Message);
    }
  }
}

}  // namespace
