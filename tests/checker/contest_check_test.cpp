// The cross-check's rules, each on a few tiny hand-made logs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check/contest_check.h"
#include "check/qso_index.h"

namespace {

// band, HHMM on the contest's first day (or seconds after 12:00 when above
// 9999), worked call, exchange sent, exchange received, mode, judged or evidence only
struct Line {
  Line(const char* band, int hhmm, const char* call, const char* sent, const char* rcvd,
       const char* mode = "CW", bool judged = true)
      : Band(band), Hhmm(hhmm), Call(call), Sent(sent), Rcvd(rcvd), Mode(mode), Judged(judged) {}
  const char* Band;
  int Hhmm;
  const char* Call;
  const char* Sent;
  const char* Rcvd;
  const char* Mode;
  bool Judged;
};

// A line of evidence only: read, but not scored for its log.
Line Evidence(const char* band, int hhmm, const char* call, const char* sent, const char* rcvd,
              const char* mode = "CW") {
  return Line(band, hhmm, call, sent, rcvd, mode, false);
}

CheckLog Log(const char* call, std::vector<Line> lines, int unreadableLines = 0) {
  CheckLog log{call, {}, unreadableLines};
  for (const Line& l : lines) {
    CheckQso q;
    q.Band = l.Band;
    q.Time = 1781308800 + (l.Hhmm > 9999 ? 12 * 3600 + (l.Hhmm - 10000)
                                         : (l.Hhmm / 100) * 3600 + (l.Hhmm % 100) * 60);
    q.Call = l.Call;
    q.ExchSent = l.Sent;
    q.ExchRcvd = l.Rcvd;
    q.Line = static_cast<int>(log.Qsos.size());
    q.Mode = l.Mode;
    q.Judged = l.Judged;
    log.Qsos.push_back(q);
  }
  return log;
}

// One letter per QSO, log after log: C confirmed, X busted exchange, B busted
// call, N not in log, U unique, ? unchecked, R repeat, V unverified, M mode
// differs, E evidence only; a blank between logs.
std::string Verdicts(const std::vector<LogFindings>& findings) {
  const char letters[] = "CXBNU?RVME";
  std::string text;
  for (const LogFindings& log : findings) {
    if (!text.empty())
      text += ' ';
    for (const QsoFinding& qso : log.Qsos)
      text += letters[static_cast<int>(qso.Kind)];
  }
  return text;
}

struct Row {
  const char* Rule;
  std::vector<CheckLog> Logs;
  const char* Expected;
};

TEST(ContestCheck, AppliesTheRulesInOrder) {
  const Row rows[] = {
      {"both sides within 3 minutes",
       {Log("JA1ABC", {{"40m", 1200, "W1AW", "TK", "5"}}),
        Log("W1AW", {{"40m", 1202, "JA1ABC", "5", "TK"}})},
       "C C"},
      {"4 minutes apart is too far",
       {Log("JA1ABC", {{"40m", 1200, "W1AW", "TK", "5"}}),
        Log("W1AW", {{"40m", 1204, "JA1ABC", "5", "TK"}})},
       "N N"},
      {"another band does not confirm",
       {Log("JA1ABC", {{"40m", 1200, "W1AW", "TK", "5"}}),
        Log("W1AW", {{"20m", 1200, "JA1ABC", "5", "TK"}})},
       "N N"},
      {"received is not what the other logged as sent",
       {Log("JA1ABC", {{"40m", 1200, "W1AW", "TK", "6"}}),
        Log("W1AW", {{"40m", 1200, "JA1ABC", "5", "TK"}})},
       "X C"},
      {"blanks, case and a number's leading zeros do not count",
       {Log("JA1ABC", {{"40m", 1200, "w1aw ", "TK", " 7"}}),
        Log("W1AW", {{"40m", 1200, "ja1abc", "007", "tk"}})},
       "C C"},
      {"a changed character: busted call, the other side stands",
       {Log("JA1ABC", {{"40m", 1200, "W1AX", "TK", "5"}}),
        Log("W1AW", {{"40m", 1201, "JA1ABC", "5", "TK"}})},
       "B C"},
      {"a dropped character, and the right side's exchange is checked against the bust",
       {Log("JA1ABC", {{"40m", 1200, "W1A", "TK", "5"}}),
        Log("W1AW", {{"40m", 1201, "JA1ABC", "5", "HS"}})},
       "B X"},
      {"an added character while the call's own log holds nothing",
       {Log("JA1ABC", {{"40m", 1200, "W1AWW", "TK", "5"}, {"20m", 1300, "DL1AA", "TK", "3"}}),
        Log("W1AW", {{"40m", 1201, "JA1ABC", "5", "TK"}}), Log("DL1AA", {})},
       "BN C "},
      {"a near call already confirmed is no evidence",
       {Log("JA1ABC", {{"40m", 1200, "W1AW", "TK", "5"}, {"40m", 1201, "W1AX", "TK", "6"}}),
        Log("W1AW", {{"40m", 1200, "JA1ABC", "5", "TK"}})},
       "CU C"},
      {"a call without a log that others worked is credited unchecked",
       {Log("JA1ABC", {{"40m", 1200, "K9ZZ", "TK", "5"}}),
        Log("JA2XYZ", {{"40m", 1300, "K9ZZ", "HS", "8"}})},
       "? ?"},
      {"one other QSO confirms one QSO, the nearest",
       {Log("JA1ABC", {{"40m", 1200, "W1AW", "TK", "5"}, {"40m", 1202, "W1AW", "TK", "5"}}),
        Log("W1AW", {{"40m", 1202, "JA1ABC", "5", "TK"}})},
       "RC C"},
      {"a repeat on the band is the plug-in's to judge, not a NIL",
       {Log("JA1ABC", {{"40m", 1200, "W1AW", "TK", "5"}, {"40m", 1230, "W1AW", "TK", "5"}}),
        Log("W1AW", {{"40m", 1200, "JA1ABC", "5", "TK"}})},
       "CR C"},
      {"a line the plug-in refused confirms the other side, which kept its mode",
       {Log("JA1ABC", {Evidence("40m", 1200, "W1AW", "TK", "5", "SSB")}),
        Log("W1AW", {{"40m", 1201, "JA1ABC", "5", "TK"}})},
       "E M"},
      {"a line of evidence only that miscopied a call confirms that station",
       {Log("JA1ABC", {Evidence("40m", 1200, "W1AX", "TK", "5")}),
        Log("W1AW", {{"40m", 1201, "JA1ABC", "5", "TK"}})},
       "E C"},
      {"a line of evidence only is never not in log",
       {Log("JA1ABC", {Evidence("40m", 1200, "W1AW", "TK", "5")}), Log("W1AW", {})},
       "E "},
      {"the same mode is matched first",
       {Log("JA1ABC",
            {Evidence("40m", 1200, "W1AW", "TK", "5", "SSB"), {"40m", 1202, "W1AW", "TK", "5"}}),
        Log("W1AW", {{"40m", 1200, "JA1ABC", "5", "TK"}})},
       "EC C"},
      {"missing from a log with unreadable lines: unverified, kept",
       {Log("JA1ABC", {{"40m", 1200, "W1AW", "TK", "5"}}), Log("W1AW", {}, 2)},
       "V "},
  };
  for (const Row& row : rows)
    EXPECT_EQ(Verdicts(CheckContest(row.Logs)), row.Expected) << row.Rule;
}

TEST(QsoIndex, FindsTheNearestInTimeTheFirstOfThoseAsNear) {
  std::vector<IndexEntry> entries(5);
  const int64_t times[] = {100, 200, 200, 300, 400};
  for (int i = 0; i < 5; ++i) {
    entries[i].Time = times[i];
    entries[i].Ref = QsoRef{0, i};
  }
  const EntryRange all{entries.data(), entries.data() + entries.size()};
  const struct {
    int64_t Time;
    int Nearest;
  } rows[] = {{0, 0}, {149, 0}, {150, 0}, {151, 1}, {200, 1}, {250, 1}, {251, 3}, {999, 4}};
  for (const auto& row : rows)
    EXPECT_EQ(NearestInTime(all, row.Time)->Ref.Qso, row.Nearest) << row.Time;
  EXPECT_EQ(NearestInTime({entries.data(), entries.data()}, 100), nullptr);
}

// Seconds after 12:00 in the hhmm field of a Line.
int At(int seconds) {
  return 10000 + seconds;
}

TEST(ContestCheck, MatchesAtTheEdgeOfTheWindowAndNotBeyond) {
  struct Row {
    int Seconds;  // between the two logs' times of one QSO
    int Minutes;
    const char* Expected;
  };
  const Row rows[] = {{179, 3, "C C"}, {180, 3, "C C"}, {181, 3, "N N"}, {299, 5, "C C"},
                      {300, 5, "C C"}, {301, 5, "N N"}, {0, 0, "C C"},   {1, 0, "N N"}};
  for (const Row& row : rows) {
    std::vector<CheckLog> logs = {Log("JA1ABC", {{"40m", At(0), "W1AW", "TK", "5"}}),
                                  Log("W1AW", {{"40m", At(row.Seconds), "JA1ABC", "5", "TK"}})};
    CheckOptions options;
    options.ToleranceSeconds = 60 * row.Minutes;
    EXPECT_EQ(Verdicts(CheckContest(logs, options)), row.Expected)
        << row.Seconds << " s, " << row.Minutes << " min";
  }
}

TEST(ContestCheck, BelievesAClockOffsetAtEachThresholdAndNotBelow) {
  struct Row {
    int Partners;  // QSOs of JA1ABC found in others' logs
    int Agreeing;  // of them, those off by Offset; the rest 20 minutes more
    int Offset;    // seconds JA1ABC's clock is ahead
    int64_t Believed;
  };
  const Row rows[] = {
      {8, 6, 600, 600}, {8, 5, 600, 0},    // three in four agree, not fewer
      {4, 4, 600, 0},   {5, 5, 600, 600},  // five QSOs show it, not fewer
      {6, 6, 91, 91},   {6, 6, 90, 0},     // more than half the window, not less
  };
  const char* partners[] = {"W1AW", "DL1AA", "K2BB", "G3CC", "VK4DD", "F5EE", "OH1FF", "PA1GG"};
  for (const Row& row : rows) {
    std::vector<CheckLog> logs = {Log("JA1ABC", {})};
    for (int i = 0; i < row.Partners; ++i) {
      int sent = 600 * i;
      int own = sent + row.Offset + (i < row.Agreeing ? 0 : 1200);
      logs[0].Qsos.push_back(Log("", {{"40m", At(own), partners[i], "TK", "1"}}).Qsos[0]);
      logs.push_back(Log(partners[i], {{"40m", At(sent), "JA1ABC", "1", "TK"}}));
    }
    EXPECT_EQ(CheckContest(logs)[0].ClockOffsetSeconds, row.Believed)
        << row.Agreeing << " of " << row.Partners << " off by " << row.Offset << " s";
  }
}

TEST(ContestCheck, NamesTheEvidence) {
  std::vector<CheckLog> logs = {
      Log("JA1ABC", {{"40m", 1200, "W1AX", "TK", "5"}, {"15m", 1300, "DL1AA", "TK", "3"}}),
      Log("W1AW", {{"40m", 1201, "JA1ABC", "5", "TK"}}),
      Log("DL1AA", {{"10m", 1100, "JA1ABC", "3", "TK"}, {"20m", 1250, "JA1ABC", "4", "TK"}})};
  std::vector<LogFindings> findings = CheckContest(logs);
  const QsoFinding& bust = findings[0].Qsos[0];
  EXPECT_EQ(bust.Evidence.Log, 1);  // the QSO W1AW logged
  EXPECT_EQ(bust.Evidence.Qso, 0);
  EXPECT_TRUE(findings[1].Qsos[0].ByBustedEntry);
  EXPECT_EQ(findings[1].Qsos[0].Evidence.Log, 0);
  const QsoFinding& nil = findings[0].Qsos[1];
  EXPECT_EQ(nil.Evidence.Log, 2);  // DL1AA's nearest record of JA1ABC, on another band
  EXPECT_EQ(nil.Evidence.Qso, 1);
}

TEST(ContestCheck, TakesOutAConstantClockError) {
  // JA1ABC's clock runs 10 minutes fast; its partners agree with each other.
  std::vector<CheckLog> logs = {Log("JA1ABC", {})};
  const char* partners[] = {"W1AW", "DL1AA", "K2BB", "G3CC", "VK4DD", "F5EE"};
  for (int i = 0; i < 6; ++i) {
    int hhmm = 1200 + 7 * i;
    logs[0].Qsos.push_back(Log("", {{"40m", hhmm + 10, partners[i], "TK", "1"}}).Qsos[0]);
    logs.push_back(Log(partners[i], {{"40m", hhmm, "JA1ABC", "1", "TK"}}));
  }
  std::vector<LogFindings> findings = CheckContest(logs);
  EXPECT_EQ(findings[0].ClockOffsetSeconds, 600);
  EXPECT_EQ(findings[1].ClockOffsetSeconds, 0);
  EXPECT_EQ(Verdicts(findings), "CCCCCC C C C C C C");
}

}  // namespace
