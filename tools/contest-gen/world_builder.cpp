#include <algorithm>
#include <unordered_set>

#include "check/call_text.h"
#include "core/contest/contest_rules.h"
#include "world_model.h"

namespace {

// Where CW contacts happen on each band, and how busy each band is.
const int kCwEdgeKhz[kBandCount] = {1810, 3510, 7010, 14010, 21010, 28010};
const uint32_t kBandWeight[kBandCount] = {5, 10, 30, 25, 20, 10};

int PickBand(Random& random) {
  uint32_t total = 0;
  for (uint32_t w : kBandWeight)
    total += w;
  uint32_t roll = random.Below(total);
  int band = 0;
  while (roll >= kBandWeight[band])
    roll -= kBandWeight[band++];
  return band;
}

template <typename T>
void Shuffle(std::vector<T>& items, Random& random) {
  for (size_t i = items.size(); i > 1; --i)
    std::swap(items[i - 1], items[random.Below(static_cast<uint32_t>(i))]);
}

std::vector<Station> MakeStations(const WorldOptions& options, Random& random) {
  std::vector<Station> stations;
  // Calls on the air stay two edits apart, so that a one-character miscopy has
  // only one station it can have been.
  std::vector<std::string> calls;
  auto clear = [&](const std::string& call) {
    return std::none_of(calls.begin(), calls.end(), [&](const std::string& other) {
      return other == call || OneEditApart(other, call);
    });
  };
  int casual = static_cast<int>(options.Stations * options.CasualShare);
  for (int i = 0; i < options.Stations; ++i) {
    Station s;
    // Spread evenly, so that both sides' wishes for QSOs come out about equal.
    s.Japanese = static_cast<int>((i + 1) * options.JapaneseShare) >
                 static_cast<int>(i * options.JapaneseShare);
    do {
      s.Call = s.Japanese ? JapaneseCall(random) : ForeignCall(random);
    } while (!clear(s.Call));
    calls.push_back(s.Call);
    s.District = s.Japanese ? kDkzRules.Districts[random.Below(kDistrictCount)].Code : "";
    s.PadsSerial = !s.Japanese && random.Chance(0.2);
    s.ClockError = static_cast<int64_t>(random.Below(61)) - 30;
    bool isCasual = i < casual;
    s.Target = isCasual ? 1 : options.MeanQsos / 2 + random.Below(options.MeanQsos + 1);
    s.SendsLog = !isCasual && !random.Chance(options.NoLogShare);
    stations.push_back(s);
  }
  std::vector<int> senders;
  for (int i = 0; i < options.Stations; ++i) {
    if (stations[i].SendsLog)
      senders.push_back(i);
  }
  if (options.WrongClockSeconds != 0 && !senders.empty()) {
    Station& wrong = stations[senders[random.Below(static_cast<uint32_t>(senders.size()))]];
    wrong.WrongClock = options.WrongClockSeconds;
    wrong.ClockError += options.WrongClockSeconds;
  }
  return stations;
}

// Every station's wish for QSOs as slots, paired at random: mostly Japan with
// the world, a few Japanese stations with each other.
std::vector<std::pair<int, int>> PairSlots(const std::vector<Station>& stations,
                                           const WorldOptions& options, Random& random) {
  std::vector<int> japanese, foreign;
  for (int s = 0; s < static_cast<int>(stations.size()); ++s) {
    std::vector<int>& slots = stations[s].Japanese ? japanese : foreign;
    slots.insert(slots.end(), stations[s].Target, s);
  }
  Shuffle(japanese, random);
  Shuffle(foreign, random);
  std::vector<std::pair<int, int>> pairs;
  size_t domestic = static_cast<size_t>(japanese.size() * options.JapanToJapanShare);
  for (size_t i = 0; i + 1 < 2 * domestic && i + 1 < japanese.size(); i += 2)
    pairs.emplace_back(japanese[i], japanese[i + 1]);
  for (size_t i = std::min(2 * domestic, japanese.size()), f = 0;
       i < japanese.size() && f < foreign.size(); ++i, ++f)
    pairs.emplace_back(japanese[i], foreign[f]);
  return pairs;
}

std::string Sent(const Station& station, int serial) {
  return station.Japanese ? station.District : std::to_string(serial);
}

// Both sides' entries, contacts in time order so that serial numbers rise.
void LogBothSides(World& world, Random& random) {
  std::sort(world.Contacts.begin(), world.Contacts.end(),
            [](const Contact& a, const Contact& b) { return a.Time < b.Time; });
  std::vector<int> serial(world.Stations.size(), 0);
  for (int c = 0; c < static_cast<int>(world.Contacts.size()); ++c) {
    Contact& contact = world.Contacts[c];
    contact.Kilohertz = kCwEdgeKhz[contact.Band] + static_cast<int>(random.Below(40));
    std::string sent[2];
    for (int side = 0; side < 2; ++side)
      sent[side] = Sent(world.Stations[contact.Station[side]], ++serial[contact.Station[side]]);
    for (int side = 0; side < 2; ++side) {
      const Station& own = world.Stations[contact.Station[side]];
      Entry e;
      e.Station = contact.Station[side];
      e.Contact = c;
      e.Qso.Band = kDkzRules.Bands[contact.Band].Text;
      int64_t clock = contact.Time + own.ClockError;
      e.Qso.Time = clock - ((clock % 60) + 60) % 60;  // logged to the minute
      e.Qso.Call = world.Stations[contact.Station[1 - side]].Call;
      std::string exchange = sent[side];
      if (own.PadsSerial && exchange.size() < 3)
        exchange.insert(0, 3 - exchange.size(), '0');
      e.Qso.ExchSent = exchange;
      e.Qso.ExchRcvd = sent[1 - side];
      contact.Entry[side] = static_cast<int>(world.Entries.size());
      world.Entries.push_back(e);
    }
  }
}

}  // namespace

World BuildWorld(const WorldOptions& options, Random& random) {
  World world;
  world.Stations = MakeStations(options, random);
  // One contact per pair and band: a second would be a duplicate, which the
  // plug-in judges, not the cross-check.
  std::unordered_set<uint64_t> worked;
  auto key = [&](int a, int b, int band) {
    return (uint64_t(std::min(a, b)) << 36) | (uint64_t(std::max(a, b)) << 4) | uint64_t(band);
  };
  int64_t span = static_cast<int64_t>(options.Hours) * 3600;
  for (auto [a, b] : PairSlots(world.Stations, options, random)) {
    if (a == b)
      continue;
    int band = PickBand(random);
    for (int tries = 0; tries < kBandCount && worked.count(key(a, b, band)); ++tries)
      band = (band + 1) % kBandCount;
    if (!worked.insert(key(a, b, band)).second)
      continue;
    Contact contact;
    contact.Station[0] = a;
    contact.Station[1] = b;
    contact.Time = options.StartUtc + random.Below(static_cast<uint32_t>(span));
    contact.Band = band;
    world.Contacts.push_back(contact);
  }
  LogBothSides(world, random);
  return world;
}
