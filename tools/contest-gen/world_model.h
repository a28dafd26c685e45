// The generated world before it becomes logs: who worked whom, when, and what
// each side wrote down. Shared by the generator's steps only.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "check/check_types.h"
#include "contest_world.h"

// Reproducible on every platform: the engine's sequence is fixed by the standard
// and nothing here uses the library's distributions, which are not.
class Random {
 public:
  explicit Random(uint32_t seed) : engine_(seed) {}
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>((uint64_t{engine_()} * n) >> 32); }
  bool Chance(double p) { return engine_() < p * 4294967296.0; }

 private:
  std::mt19937 engine_;
};

struct Station {
  std::string Call;
  bool Japanese = false;
  std::string District;     // Japanese stations send it
  bool PadsSerial = false;  // logs its sent number as "007"
  int64_t ClockError = 0;   // seconds its clock runs ahead: a little, or WrongClock more
  int64_t WrongClock = 0;
  int Target = 0;  // QSOs it tries to make
  bool SendsLog = true;
};

enum class Fault { kNone, kBustedCall, kBustedExchange };

// One side's record of a contact.
struct Entry {
  int Station = 0;
  int Contact = 0;
  CheckQso Qso;
  Fault Injected = Fault::kNone;
  bool LeftOut = false;
  std::string Copied;  // before the fault: the call or exchange heard
};

struct Contact {
  int Station[2] = {0, 0};
  int Entry[2] = {0, 0};
  int64_t Time = 0;
  int Band = 0;
  int Kilohertz = 0;
};

struct World {
  std::vector<Station> Stations;
  std::vector<Contact> Contacts;
  std::vector<Entry> Entries;
};

// Stations and their clean contacts, both sides logged.
World BuildWorld(const WorldOptions& options, Random& random);

// Busted calls, busted exchanges and left-out QSOs at the rates asked, at most
// one per contact and only where a sent log shows them.
void InjectFaults(World& world, const WorldOptions& options, Random& random);

// Callsigns that look like the real thing, and one-character miscopies of them.
std::string JapaneseCall(Random& random);
std::string ForeignCall(Random& random);
std::string Miscopy(const std::string& call, Random& random);
