#include "core/engine/call_check.h"

int CheckCall(const ContestState& state, const CallCheckInput& input) {
  if (state.Log.CountSame(input.Call, input.Band, input.Mode) > 0)
    return 0;
  return state.Log.HasBandContinent(input.Band, input.Continent) ? 1 : 2;
}
