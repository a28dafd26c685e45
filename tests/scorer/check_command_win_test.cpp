// dkz-score check on a generated contest, under Wine: the findings must be the
// faults the generator put in, no more and no fewer.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "contest_folder.h"
#include "driver/plugin_host.h"
#include "submission_variants.h"
#include "truth_comparison.h"
#include "win_links.h"

namespace {

DWORD RunCheck(const std::string& arguments) {
  std::string line = "\"" + ExecutableFolder() + "\\dkz-score.exe\" check " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return 98;
  DWORD exitCode = 99;
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &exitCode);
  else
    TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode;
}

Verdict VerdictNamed(const std::string& name) {
  for (int v = 0; v < kVerdictCount; ++v) {
    if (name == VerdictName(static_cast<Verdict>(v)))
      return static_cast<Verdict>(v);
  }
  ADD_FAILURE() << "no verdict " << name;
  return Verdict::kConfirmed;
}

// The calls of stations-without-log.csv.
std::set<std::string> StationsWithoutLog(const std::string& csv) {
  std::set<std::string> calls;
  std::istringstream in(csv);
  std::string row;
  std::getline(in, row);
  EXPECT_EQ(row, "call,logs,qsos");
  while (std::getline(in, row))
    calls.insert(row.substr(0, row.find(',')));
  return calls;
}

// findings.csv read back into one LogFindings per generated log: a QSO it does
// not name is confirmed, or unchecked when its station sent no log.
std::vector<LogFindings> ReadFindings(const GeneratedContest& contest, const std::string& csv,
                                      const std::set<std::string>& withoutLog) {
  std::map<std::string, Verdict> byLine;  // "CALL,LINE"
  std::map<std::string, int64_t> offsets;
  std::istringstream in(csv);
  std::string row;
  std::getline(in, row);
  EXPECT_EQ(row, "call,line,verdict,detail,worked,band,time,evidence_line");
  while (std::getline(in, row)) {
    std::istringstream fields(row);
    std::string call, line, verdict, detail;
    std::getline(fields, call, ',');
    std::getline(fields, line, ',');
    std::getline(fields, verdict, ',');
    std::getline(fields, detail, ',');
    if (verdict == "clock_offset")
      offsets[call] = std::stoll(detail);
    else
      byLine[call + ',' + line] = VerdictNamed(verdict);
  }
  std::vector<LogFindings> findings(contest.Logs.size());
  for (size_t l = 0; l < contest.Logs.size(); ++l) {
    const CheckLog& log = contest.Logs[l].Log;
    findings[l].ClockOffsetSeconds = offsets[log.Call];
    for (const CheckQso& qso : log.Qsos) {
      auto found = byLine.find(log.Call + ',' + std::to_string(qso.Line));
      findings[l].Qsos.emplace_back();
      findings[l].Qsos.back().Kind = found != byLine.end()        ? found->second
                                     : withoutLog.count(qso.Call) ? Verdict::kUnchecked
                                                                  : Verdict::kConfirmed;
    }
  }
  return findings;
}

TEST(CheckCommand, FindsTheFaultsOfAGeneratedContestAndNothingElse) {
  ScratchFolder folder;
  WorldOptions options;
  options.Seed = 7;
  options.Stations = 80;
  options.MeanQsos = 60;
  GeneratedContest contest = GenerateContest(options);
  WriteContest(contest, "logs", "truth.csv");
  WriteWholeFile("logs\\notes.txt", "not a log\r\n");

  ASSERT_EQ(RunCheck("logs --out results"), 0u);
  TruthComparison comparison = CompareWithTruth(
      contest,
      ReadFindings(contest, ReadWholeFile("results\\findings.csv"),
                   StationsWithoutLog(ReadWholeFile("results\\stations-without-log.csv"))));
  std::cout << ComparisonTable(comparison);
  EXPECT_TRUE(comparison.Perfect()) << comparison.Differences.front();
  EXPECT_GT(comparison.Kinds[static_cast<int>(Verdict::kBustedCall)].Agreed, 0);

  // One row per log, and a report per log; the unreadable file is listed, not fatal.
  std::string results = ReadWholeFile("results\\results.csv");
  EXPECT_EQ(std::count(results.begin(), results.end(), '\n'),
            static_cast<long>(contest.Logs.size()) + 1);
  std::string rejected = ReadWholeFile("results\\rejected.txt");
  EXPECT_EQ(rejected.substr(0, 37), "Contest period: 2026-06-13 to 2026-06");
  EXPECT_NE(rejected.find("\nnotes.txt: "), std::string::npos) << rejected;
  for (size_t l = 0; l < contest.Logs.size(); ++l) {
    std::string report = ReadWholeFile("results\\" + contest.Logs[l].Log.Call + ".txt");
    EXPECT_NE(report.find("Checked score"), std::string::npos) << contest.Logs[l].Log.Call;
    EXPECT_EQ(report.find("Clock:") != std::string::npos, contest.WrongClock[l] != 0);
  }
  EXPECT_FALSE(FileExists("results\\work\\err.txt"));
  EXPECT_FALSE(FileExists("logs\\results.csv"));
}

// Logs as entrants really send them (colon times, MHz, phone QSOs, another
// contest, a checklog, an earlier and a fake submission, late QSOs, another
// year, unreadable lines): every QSO taken out is one the world holds bad.
TEST(CheckCommand, TakesOutNoQsoOfWhatEntrantsReallySendThatTheWorldHoldsGood) {
  ScratchFolder folder;
  WorldOptions options;
  options.Seed = 11;
  options.Stations = 90;
  options.MeanQsos = 70;
  GeneratedContest contest = GenerateContest(options);
  std::vector<SubmissionVariant> variants = WriteSubmissionVariants(contest, "logs");

  ASSERT_EQ(RunCheck("logs --out results"), 0u);
  std::map<std::string, Verdict> truth;  // "CALL,LINE"
  for (size_t l = 0; l < contest.Logs.size(); ++l) {
    for (size_t q = 0; q < contest.Logs[l].Log.Qsos.size(); ++q) {
      const CheckQso& qso = contest.Logs[l].Log.Qsos[q];
      truth[contest.Logs[l].Log.Call + ',' + std::to_string(qso.Line)] = contest.Expected[l][q];
    }
  }
  std::istringstream in(ReadWholeFile("results\\findings.csv"));
  std::string row;
  std::getline(in, row);
  int takenOut = 0;
  while (std::getline(in, row)) {
    std::istringstream fields(row);
    std::string call, line, verdict;
    std::getline(fields, call, ',');
    std::getline(fields, line, ',');
    std::getline(fields, verdict, ',');
    if (verdict != "nil" && verdict != "busted_call" && verdict != "busted_exchange")
      continue;
    ++takenOut;
    auto expected = truth.find(call + ',' + line);
    EXPECT_TRUE(expected != truth.end() && VerdictName(expected->second) == verdict) << row;
  }
  EXPECT_GT(takenOut, 20);
  std::string received = ReadWholeFile("results\\received.csv");
  for (const SubmissionVariant& v : variants) {
    const char* status = v.Kind == "other_contest" || v.Kind == "other_year" ? ",rejected,"
                         : v.Kind == "resubmitted" || v.Kind == "fake_older" ? ",superseded,"
                         : v.Kind == "checklog"                              ? ",checklog,"
                         : v.Kind == "all_phone"                             ? ",not_scored,"
                                                                             : ",checked,";
    EXPECT_NE(received.find("\n" + v.File + "," + contest.Logs[v.Log].Log.Call + status),
              std::string::npos)
        << v.Kind << "\n"
        << received;
  }
}

// An earlier result swapped for a link to the user's file: the link goes, as a
// link, and the user's file stays as it was.
TEST(CheckCommand, AnEarlierResultSwappedForALinkIsReplacedNeverFollowed) {
  ScratchFolder folder;
  CreateDirectoryA("logs", nullptr);
  WriteWholeFile("logs\\ja1vzt.adi",
                 "<EOH>\r\n<CALL:6>JA2ABC<QSO_DATE:8>20230610<TIME_ON:4>1200<FREQ:5>7.012"
                 "<MODE:2>CW<RST_SENT:3>599<RST_RCVD:3>599<STX_STRING:2>TK<SRX_STRING:2>AC"
                 "<STATION_CALLSIGN:6>JA1VZT<EOR>\r\n");
  WriteWholeFile("users.txt", "the user's");
  ASSERT_EQ(RunCheck("logs --out results"), 0u);
  ASSERT_TRUE(DeleteFileA("results\\results.csv"));
  TestLink link("results\\results.csv", "..\\users.txt");
  if (!link.Made())
    GTEST_SKIP() << "no symbolic links here";
  EXPECT_EQ(RunCheck("logs --out results"), 0u);
  EXPECT_EQ(ReadWholeFile("users.txt"), "the user's");
  EXPECT_EQ(ReadWholeFile("results\\results.csv").substr(0, 5), "call,");
}

}  // namespace
