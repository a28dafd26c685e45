// The bundled sample logs read cleanly, agree across formats, and hold the
// cases they are meant to show.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "core/contest/contest_rules.h"
#include "debian_country_file.h"
#include "logs/country_file.h"
#include "logs/log_file.h"
#include "logs/replay_plan.h"
#include "scorer/score_options.h"

namespace {

const std::string kSamples = std::string(DKZ_SOURCE_DIR) + "/samples/";

ReplayPlan Plan(const std::string& name) {
  LogContents log = ReadLogFile(kSamples + name, name);
  EXPECT_TRUE(log.Skipped.empty()) << log.Skipped.Kept().front();
  return PlanReplay(log, DebianCountries(), ReplayOptions(), name);
}

TEST(Samples, TheForeignLogIsTheSameInCabrilloAndAdif) {
  ReplayPlan cabrillo = Plan("dl4mcf.cbr");
  ReplayPlan adif = Plan("dl4mcf.adi");
  EXPECT_EQ(cabrillo.Reset.OwnCall, "DL4MCF");
  EXPECT_EQ(cabrillo.Reset.OwnPrefix, "DL");
  ASSERT_EQ(cabrillo.Qsos.size(), adif.Qsos.size());
  for (size_t i = 0; i < adif.Qsos.size(); ++i) {
    SCOPED_TRACE(adif.Qsos[i].Call);
    const QsoInput& c = cabrillo.Qsos[i];
    const QsoInput& a = adif.Qsos[i];
    auto fields = [](const QsoInput& q) {
      return std::make_tuple(q.OwnCall, q.Call, q.Time.Date, q.FrequencyHz, q.Mode, q.RstSent,
                             q.RstRcvd, q.ExchSent, q.ExchRcvd, q.Prefix, q.Continent, q.Band);
    };
    EXPECT_EQ(fields(c), fields(a));
  }
}

TEST(Samples, HoldTheCasesTheyAreMeantToShow) {
  for (const char* name : {"ja1vzt.adi", "dl4mcf.cbr"}) {
    SCOPED_TRACE(name);
    ReplayPlan plan = Plan(name);
    EXPECT_GE(plan.Qsos.size(), 250u);
    std::map<std::tuple<std::string, std::string, std::string>, int> times;
    int nonCw = 0, thirty = 0, portable = 0, badDistrict = 0, dx = 0;
    for (const QsoInput& q : plan.Qsos) {
      ++times[{q.Call, q.Band, q.Mode}];
      nonCw += q.Mode != "CW";
      thirty += q.Band == "30m";
      portable += q.Call.find('/') != std::string::npos;
      badDistrict += q.Prefix == "JA" && !kDkzRules.IsDistrictCode(NormalizeCode(q.ExchRcvd));
      dx += q.Prefix != "JA";
    }
    int dupes = 0, triples = 0;
    for (const auto& entry : times) {
      dupes += entry.second > 1;
      triples += entry.second > 2;
    }
    EXPECT_GE(dupes, 2);
    EXPECT_GE(triples, 1);
    EXPECT_EQ(nonCw, 1);
    EXPECT_EQ(thirty, 1);
    EXPECT_GE(portable, 3);
    EXPECT_EQ(badDistrict, 1);
    EXPECT_GE(dx, 10);
  }
}

}  // namespace
