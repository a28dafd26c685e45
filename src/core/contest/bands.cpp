#include "core/contest/bands.h"

#include <cmath>
#include <string_view>

const char* const BandNames[kBandCount] = {"160m", "80m", "40m", "20m", "15m", "10m"};

namespace {
const int kWholeMegahertz[kBandCount] = {1, 3, 7, 14, 21, 28};
}

int BandIndexOf(const std::string& band) {
  for (int b = 0; b < kBandCount; ++b) {
    if (band == BandNames[b])
      return b;
  }
  return kNoBand;
}

int BandIndexOfFrequency(double hertz) {
  if (!std::isfinite(hertz))
    return kNoBand;
  double mhz = std::trunc(hertz / 1000000.0);
  for (int b = 0; b < kBandCount; ++b) {
    if (mhz == kWholeMegahertz[b])
      return b;
  }
  return kNoBand;
}

bool IsNonContestBand(const std::string& band) {
  using namespace std::string_view_literals;
  return band == "30m"sv || band == "17m"sv || band == "12m"sv;
}
