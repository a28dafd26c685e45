// The check's outputs for a two-log contest that shows each kind of finding.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check_results.h"
#include "contest_check.h"

namespace {

struct Line {
  const char* Band;
  int Minute;  // after 12:00 UTC on 13 June 2026
  const char* Call;
  const char* Sent;
  const char* Rcvd;
};

Entrant MakeLog(const char* call, std::vector<Line> lines, int claimed, int checked) {
  Entrant e;
  e.File = std::string(call) + ".cbr";
  e.LetterName = LetterNameOf(call);
  e.Plan.Reset.OwnCall = call;
  for (const Line& l : lines) {
    QsoInput q;
    q.OwnCall = call;
    q.Call = l.Call;
    q.Band = l.Band;
    q.Time = MakeOleDateTime(2026, 6, 13, 12, l.Minute);
    q.FrequencyHz = 7012000;
    q.Mode = "CW";
    q.RstSent = q.RstRcvd = "599";
    q.ExchSent = l.Sent;
    q.ExchRcvd = l.Rcvd;
    e.Lines.push_back(40 + static_cast<int>(e.Plan.Qsos.size()));
    e.Stored.push_back(static_cast<int>(e.Plan.Qsos.size()));
    e.Plan.Qsos.push_back(q);
  }
  e.QsosRead = lines.size();
  e.ClaimedSummary = "    DKZ CONTEST\r\nTotal\t 1\r\nScore\t " + std::to_string(claimed);
  e.CheckedSummary = "Score\t " + std::to_string(checked);
  return e;
}

CheckedContest Contest() {
  CheckedContest c;
  c.Entrants.push_back(MakeLog("W1BBB",
                               {{"40m", 0, "JA1AAA", "12", "AC"},
                                {"20m", 10, "JA1AAA", "12", "AC"},
                                {"10m", 40, "JA1AAA", "12", "AC"}},
                               3, 3));
  c.Entrants.push_back(MakeLog("JA1AAA",
                               {{"40m", 0, "W1BBB", "AC", "12"},
                                {"20m", 10, "W1BBB", "AC", "013"},
                                {"15m", 20, "W1BBB", "AC", "12"},
                                {"40m", 30, "K2ZZZ", "AC", "5"},
                                {"10m", 40, "W1BBC", "AC", "12"}},
                               25, 8));
  for (const Entrant& e : c.Entrants)
    c.Logs.push_back(CheckLogOf(e));
  c.Findings = CheckContest(c.Logs);
  for (size_t e = 0; e < c.Entrants.size(); ++e)
    c.Entrants[e].CheckedQsos = static_cast<int>(KeptByCheck(c.Entrants[e], c.Findings[e]).size());
  return c;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(CheckResults, ResultsRankByCheckedScoreAndCountEachFinding) {
  EXPECT_EQ(ResultsCsv(Contest()),
            "call,logged_qsos,claimed_score,checked_qsos,checked_score,nil,busted_call,"
            "busted_exchange,unique\n"
            "JA1AAA,5,25,2,8,1,1,1,1\n"
            "W1BBB,3,3,3,3,0,0,0,0\n");
}

TEST(CheckResults, FindingsNameTheOtherLogsLine) {
  EXPECT_EQ(FindingsCsv(Contest()),
            "call,line,verdict,detail\n"
            "JA1AAA,41,busted_exchange,W1BBB line 41\n"
            "JA1AAA,42,nil,W1BBB line 41\n"
            "JA1AAA,43,unique,\n"
            "JA1AAA,44,busted_call,W1BBB line 42\n");
}

TEST(CheckResults, EntrantLetterShowsEachFlaggedQsoWithItsEvidenceAndTheRules) {
  CheckedContest c = Contest();
  std::string text = EntrantLetter(c, 1);
  const char* const parts[] = {
      "DKZ contest log check of JA1AAA (JA1AAA.cbr)",
      "1 confirmed, 1 not in log, 1 busted call, 1 busted exchange, 1 unique",
      "line 41: busted exchange: JA1AAA logged '013' received, W1BBB logged '12' sent\n"
      "  QSO:  7012 CW 2026-06-13 1210 JA1AAA        599 AC     W1BBB         599 013\n"
      "  W1BBB line 41:\n"
      "  QSO:  7012 CW 2026-06-13 1210 W1BBB         599 12     JA1AAA        599 AC\n",
      "line 42: not in log: W1BBB's log holds no QSO with JA1AAA on 15m within 3 min",
      "W1BBB line 41 (its nearest QSO with JA1AAA)",
      "line 43: unique: K2ZZZ sent no log and is in no other log (kept)",
      "line 44: busted call: W1BBC is one character from W1BBB, whose log holds this QSO",
      "Claimed score (the whole log, as Stats.dll scores it):\n    DKZ CONTEST\nTotal\t 1\nScore\t "
      "25\n",
      "Checked score (2 QSOs: the NIL, busted-call and busted-exchange QSOs taken out):\nScore\t "
      "8\n",
      "with no further penalty",
  };
  for (const char* part : parts)
    EXPECT_TRUE(Has(text, part)) << part << "\n---\n" << text;
  EXPECT_FALSE(Has(text, "Clock:"));
  EXPECT_TRUE(Has(EntrantLetter(c, 0), "Flagged QSOs:\nnone\n"));

  c.Findings[1].ClockOffsetSeconds = -605;
  EXPECT_TRUE(Has(EntrantLetter(c, 1), "Clock: this log's times stand 10 min 5 s behind"));
  EXPECT_TRUE(Has(FindingsCsv(c), "JA1AAA,,clock_offset,-605 s\n"));
}

TEST(CheckResults, RejectedLogsAreNamedOnceAndScoresComeFromTheSummary) {
  EXPECT_EQ(RejectedText({{"a.adi", "a.adi (ADIF): no QSO found"}, {"b.cbr", "cannot read b.cbr"}}),
            "a.adi (ADIF): no QSO found\nb.cbr: cannot read b.cbr\n");
  EXPECT_EQ(ScoreOfSummary("Total\t 3\t 7\r\nScore\t 28"), 28);
  EXPECT_THROW(ScoreOfSummary("Total\t 3"), std::runtime_error);
}

}  // namespace
