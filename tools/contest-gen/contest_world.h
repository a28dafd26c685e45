// A generated contest: Japanese and foreign stations working each other over a
// weekend, each log written from its own side, then faults put in at known
// rates. What the cross-check must find is kept beside the logs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "check/check_types.h"

struct WorldOptions {
  uint32_t Seed = 1;
  int Stations = 300;  // on the air, the casual ones included
  int MeanQsos = 120;  // per regular station
  double JapaneseShare = 0.5;
  double JapanToJapanShare = 0.05;  // of the contacts; they score, but little
  double NoLogShare = 0.1;          // regular stations that send no log
  double CasualShare = 0.02;        // stations with one QSO and no log: the real uniques
  double BustedCallRate = 0.01;     // per logged QSO
  double BustedExchangeRate = 0.01;
  double LeftOutRate = 0.01;        // QSOs missing from one side
  int64_t WrongClockSeconds = 600;  // one station's clock; 0 for none
  int64_t StartUtc = 1781308800;    // Saturday 13 June 2026, 00:00 UTC
  int Hours = 48;
};

struct GeneratedLog {
  CheckLog Log;                // QSOs in time order, Line as in its Cabrillo file
  std::vector<int> Kilohertz;  // per QSO
};

// One fault, one log without a wrong clock or one station without a log, for the CSV.
struct TruthRow {
  std::string Call;
  int Line = 0;         // 0: about the station, not one QSO
  std::string Verdict;  // what the check must find; empty for station rows
  std::string Cause;    // busted_call, busted_exchange, left_out, partner_left_out, ...
  std::string Detail;
};

struct GeneratedContest {
  std::vector<GeneratedLog> Logs;              // the logs sent in
  std::vector<std::vector<Verdict>> Expected;  // per log and QSO
  std::vector<int64_t> WrongClock;             // per log: the clock error built in, 0 if none
  std::vector<TruthRow> Truth;
};

GeneratedContest GenerateContest(const WorldOptions& options);

// The truth as CSV, with the header line call,line,verdict,cause,detail.
std::string TruthCsv(const std::vector<TruthRow>& rows);
