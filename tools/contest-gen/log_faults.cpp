#include <set>
#include <string>

#include "core/contest/contest_rules.h"
#include "world_model.h"

namespace {

std::string MisheardExchange(const std::string& exchange, Random& random) {
  if (kDkzRules.DistrictIndexOf(exchange) >= 0) {
    std::string heard = exchange;
    while (heard == exchange)
      heard = kDkzRules.Districts[random.Below(kDistrictCount)].Code;
    return heard;
  }
  return std::to_string(std::stoi(exchange) + 1 + static_cast<int>(random.Below(9)));
}

}  // namespace

void InjectFaults(World& world, const WorldOptions& options, Random& random) {
  // A miscopied call never hits a station on the air or another miscopy, so
  // that each fault has one right answer.
  std::set<std::string> taken;
  for (const Station& s : world.Stations)
    taken.insert(s.Call);
  const uint32_t kScale = 1000000;
  auto share = [&](double perQso) { return static_cast<uint32_t>(2 * perQso * kScale); };
  uint32_t bustedCall = share(options.BustedCallRate);
  uint32_t bustedExchange = bustedCall + share(options.BustedExchangeRate);
  uint32_t leftOut = bustedExchange + share(options.LeftOutRate);
  for (Contact& contact : world.Contacts) {
    uint32_t roll = random.Below(kScale);
    int side = static_cast<int>(random.Below(2));
    Entry& entry = world.Entries[contact.Entry[side]];
    bool shows = world.Stations[contact.Station[side]].SendsLog;
    bool partnerShows = world.Stations[contact.Station[1 - side]].SendsLog;
    if (roll < bustedCall && shows) {
      entry.Injected = Fault::kBustedCall;
      entry.Copied = entry.Qso.Call;
      do {
        entry.Qso.Call = Miscopy(entry.Copied, random);
      } while (!taken.insert(entry.Qso.Call).second);
    } else if (roll >= bustedCall && roll < bustedExchange && shows) {
      entry.Injected = Fault::kBustedExchange;
      entry.Copied = entry.Qso.ExchRcvd;
      entry.Qso.ExchRcvd = MisheardExchange(entry.Copied, random);
    } else if (roll >= bustedExchange && roll < leftOut && shows && partnerShows) {
      entry.LeftOut = true;
    }
  }
}
