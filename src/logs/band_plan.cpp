#include "logs/band_plan.h"

#include "logs/log_values.h"

namespace {

struct Band {
  const char* Name;
  uint32_t LowHz, HighHz;
  const char* Designator;  // Cabrillo's, for 50 MHz and up
};

// The ADIF band edges that fit the host's 32-bit hertz argument.
// clang-format off
const Band kBands[] = {
    {"2190m", 135700, 137800, nullptr},
    {"630m", 472000, 479000, nullptr},
    {"560m", 501000, 504000, nullptr},
    {"160m", 1800000, 2000000, nullptr},
    {"80m", 3500000, 4000000, nullptr},
    {"60m", 5060000, 5450000, nullptr},
    {"40m", 7000000, 7300000, nullptr},
    {"30m", 10100000, 10150000, nullptr},
    {"20m", 14000000, 14350000, nullptr},
    {"17m", 18068000, 18168000, nullptr},
    {"15m", 21000000, 21450000, nullptr},
    {"12m", 24890000, 24990000, nullptr},
    {"10m", 28000000, 29700000, nullptr},
    {"8m", 40000000, 45000000, nullptr},
    {"6m", 50000000, 54000000, "50"},
    {"5m", 54000001, 69900000, nullptr},
    {"4m", 70000000, 71000000, "70"},
    {"2m", 144000000, 148000000, "144"},
    {"1.25m", 222000000, 225000000, "222"},
    {"70cm", 420000000, 450000000, "432"},
    {"33cm", 902000000, 928000000, "902"},
    {"23cm", 1240000000, 1300000000, "1.2G"},
    {"13cm", 2300000000u, 2450000000u, "2.3G"},
    {"9cm", 3300000000u, 3500000000u, "3.4G"},
};
// clang-format on

}  // namespace

std::string BandOfFrequency(uint32_t hertz) {
  for (const Band& band : kBands) {
    if (hertz >= band.LowHz && hertz <= band.HighHz)
      return band.Name;
  }
  return "";
}

uint32_t BandLowerEdge(const std::string& name) {
  for (const Band& band : kBands) {
    if (EqualsIgnoreCase(name, band.Name))
      return band.LowHz;
  }
  return 0;
}

std::string BandOfDesignator(const std::string& token) {
  for (const Band& band : kBands) {
    if (band.Designator != nullptr && EqualsIgnoreCase(token, band.Designator))
      return band.Name;
  }
  return "";
}
