#include "contest_bench.h"

#include <chrono>
#include <cmath>
#include <ctime>

#include "check/contest_check.h"
#include "truth_comparison.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Processor time is steadier than the wall clock on a machine others share.
double CpuMillisecondsSince(std::clock_t start) {
  return 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// Enough stations on the air that about `logs` of them send one.
WorldOptions Sized(const WorldOptions& base, int logs) {
  WorldOptions options = base;
  double sending = (1.0 - options.CasualShare) * (1.0 - options.NoLogShare);
  options.Stations = static_cast<int>(std::ceil(logs / sending));
  return options;
}

}  // namespace

bool RunCheckBench(const WorldOptions& base, std::ostream& out) {
  bool agreed = true;
  double first = 0;
  for (int logs : {1000, 2000}) {
    Clock::time_point start = Clock::now();
    GeneratedContest contest = GenerateContest(Sized(base, logs));
    double generated = MillisecondsSince(start);
    std::vector<CheckLog> checkLogs;
    size_t qsos = 0;
    for (const GeneratedLog& log : contest.Logs) {
      checkLogs.push_back(log.Log);
      qsos += log.Log.Qsos.size();
    }
    // The best of three runs: the machine is shared.
    double best = 0, bestCpu = 0;
    std::vector<LogFindings> findings;
    for (int run = 0; run < 3; ++run) {
      start = Clock::now();
      std::clock_t cpuStart = std::clock();
      findings = CheckContest(checkLogs);
      double took = MillisecondsSince(start), cpu = CpuMillisecondsSince(cpuStart);
      best = run == 0 ? took : std::min(best, took);
      bestCpu = run == 0 ? cpu : std::min(bestCpu, cpu);
    }
    if (first == 0)
      first = bestCpu;
    TruthComparison comparison = CompareWithTruth(contest, findings);
    agreed = agreed && comparison.Perfect();
    out << contest.Logs.size() << " logs, " << qsos << " QSOs (" << qsos / contest.Logs.size()
        << " a log): generated in " << generated << " ms, checked in " << best << " ms, " << bestCpu
        << " ms of processor time (x" << bestCpu / first << ")\n"
        << ComparisonTable(comparison);
    for (const std::string& difference : comparison.Differences)
      out << "  " << difference << '\n';
  }
  return agreed;
}
