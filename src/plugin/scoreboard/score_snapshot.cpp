#include "plugin/scoreboard/score_snapshot.h"

#include <windows.h>

#include "core/cabrillo/cabrillo_header.h"
#include "dkz_version.h"
#include "win/wide_text.h"

ScorePost TakeScorePost() {
  ScorePost post;
  std::string contestant;
  WithLock([&](const LockHeld& held) {
    const ContestState& state = TheContest(held);
    post.Tally = state.Tally;
    post.Score = state.ClaimedScore;
    contestant = state.Contestant;
    post.Station = StationOf(TheCabrilloLog(held));
    post.Station.District = SentDistrict(state.Log, *state.Rules);
  });
  // Before this call's first Cabrillo run: the header that run would start from.
  if (post.Station.Call != contestant) {
    std::string district = post.Station.District;
    post.Station = StationOf(LoadCabrilloHeader(PluginSettings(), contestant));
    post.Station.District = district;
  }
  StationEntry& station = post.Station;
  for (std::string* text : {&station.Call, &station.CategoryOperator, &station.CategoryBand,
                            &station.CategoryTransmitter, &station.Power})
    *text = Narrow(Widen(*text, CP_ACP), CP_UTF8);
  post.Program = DKZ_PRODUCT_NAME;
  post.Version = DKZ_VERSION_TEXT;
  return post;
}
