// report_bench: makes up a Japanese operator's log, scores it with the
// plug-in's own acceptance and summary code, and times turning the outcome
// into the report page. Prints the page's size and the time per page.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/contest/contest_rules.h"
#include "native_plugin/native_pass.h"
#include "native_plugin/page_facts_of_run.h"
#include "report_page/report_page.h"

namespace {

struct Random {
  unsigned long long state = 12345;
  unsigned Next(unsigned below) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<unsigned>((state >> 33) % below);
  }
};

// About half the QSOs with Japanese stations, the rest with the world; a few
// on a non-contest band, in SSB or with a code that is no district; calls
// drawn from a pool, so that dupes happen as they do on the air.
std::vector<QsoInput> MadeUpLog(size_t count) {
  const char* const bands[] = {"160m", "80m", "40m", "20m", "15m", "10m", "30m"};
  const unsigned kilohertz[] = {1810, 3510, 7010, 14010, 21010, 28010, 10110};
  Random random;
  std::vector<QsoInput> qsos(count);
  for (size_t i = 0; i < count; ++i) {
    QsoInput& q = qsos[i];
    unsigned band = random.Next(100) < 1 ? 6 : random.Next(6);
    unsigned station = random.Next(static_cast<unsigned>(count / 4 + 50));
    bool japanese = station % 2 == 0;
    q.OwnCall = "JA1VZT";
    q.Call = (japanese ? "JA" : "W") + std::to_string(station);
    q.Time = MakeOleDateTime(2023, 6, 10);
    q.Time.Date += (static_cast<double>(i) / count) * 2.0;  // 48 hours
    q.FrequencyHz = kilohertz[band] * 1000;
    q.Band = bands[band];
    q.Mode = random.Next(100) < 1 ? "SSB" : "CW";
    q.RstSent = q.RstRcvd = "599";
    q.ExchSent = "TK";
    q.ExchRcvd =
        japanese
            ? (random.Next(100) < 2 ? "ZZ" : kDkzRules.Districts[station % kDistrictCount].Code)
            : std::to_string(station % 2000);
    q.Prefix = japanese ? "JA" : "K";
    q.Continent = japanese ? "AS" : kDkzRules.Continents[station % kContinentCount].Text;
  }
  return qsos;
}

void Measure(size_t count) {
  std::vector<QsoInput> qsos = MadeUpLog(count);
  ResetInput reset;
  reset.OwnCall = "JA1VZT";
  reset.OwnPrefix = "JA";
  reset.PeriodStart = MakeOleDateTime(2023, 6, 10);
  reset.PeriodEnd = MakeOleDateTime(2023, 6, 11);
  NativePass pass = ScoreNatively(reset, qsos);
  pass.Outcome.LogName = "made-up.adi";

  const int rounds = count > 1000 ? 20 : 200;
  size_t size = 0;
  double gatherMs = 0, pageMs = 0;
  for (int r = 0; r < rounds; ++r) {
    auto start = std::chrono::steady_clock::now();
    PageFacts facts = PageFactsOfRun(pass.Outcome);
    auto gathered = std::chrono::steady_clock::now();
    size = ReportPage(facts).size();
    auto done = std::chrono::steady_clock::now();
    gatherMs += std::chrono::duration<double, std::milli>(gathered - start).count() / rounds;
    pageMs += std::chrono::duration<double, std::milli>(done - gathered).count() / rounds;
  }
  std::printf(
      "%6zu QSOs (%5zu err.txt lines): page %7zu bytes; %.2f ms to gather the facts, %.2f ms "
      "to lay out\n",
      count, pass.Outcome.Problems.size(), size, gatherMs, pageMs);
}

}  // namespace

int main() {
  for (size_t count : {300, 20000})
    Measure(count);
  return 0;
}
