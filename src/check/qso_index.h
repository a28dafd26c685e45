// Every QSO of a contest filed under (own call, worked call, band), so that the
// QSOs two stations logged with each other are found by search, not by a scan.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "check/check_types.h"

struct IndexEntry {
  int Own = 0;  // call ids
  int Worked = 0;
  int Band = 0;        // band id
  int64_t Time = 0;    // on the common clock: the log's time less its offset
  int64_t Logged = 0;  // by the log's own clock
  QsoRef Ref;
};

// A run of entries of one (own, worked) or (own, worked, band), ascending time.
struct EntryRange {
  const IndexEntry* Begin = nullptr;
  const IndexEntry* End = nullptr;
  const IndexEntry* begin() const { return Begin; }
  const IndexEntry* end() const { return End; }
};

// The entry of a range in ascending time nearest to `time`, the first of those
// as near; null for an empty range. A search, not a scan: a log can hold
// thousands of one QSO.
const IndexEntry* NearestInTime(EntryRange range, int64_t time);

class QsoIndex {
 public:
  explicit QsoIndex(const std::vector<CheckLog>& logs);

  int OwnCall(int log) const { return ownCall_[log]; }
  const IndexEntry& EntryOf(QsoRef ref) const { return entries_[position_[ref.Log][ref.Qso]]; }
  const std::string& CallText(int id) const { return callText_[id]; }
  int CallCount() const { return static_cast<int>(callText_.size()); }
  bool HasLog(int call) const { return hasLog_[call] != 0; }
  // Whether a log of this call has QSO lines that could not be read.
  bool HasUnreadableLines(int call) const { return hasLog_[call] == kLogWithUnreadableLines; }
  // How many stations (own calls) logged this call.
  int StationsLogging(int call) const { return stationsLogging_[call]; }

  EntryRange Group(int own, int worked, int band) const;
  // By band, then time.
  EntryRange Pair(int own, int worked) const;
  // Entries of a group within `seconds` of `time` on the common clock.
  EntryRange Near(int own, int worked, int band, int64_t time, int64_t seconds) const;

  // Puts each log's times on the common clock and files them again.
  void SetClockOffsets(const std::vector<int64_t>& offsetByLog);

 private:
  int IdOf(const std::string& call);
  // The run of `own`'s entries whose key equals `wanted`.
  template <typename Wanted, typename Key>
  EntryRange WithinOwn(int own, const Wanted& wanted, Key key) const;
  void Sort();

  std::unordered_map<std::string, int> callIds_;
  std::vector<std::string> callText_;
  std::vector<int> ownCall_;
  static constexpr char kLogWithUnreadableLines = 2;
  std::vector<char> hasLog_;  // per call: 0, 1 or kLogWithUnreadableLines
  std::vector<int> stationsLogging_;
  std::vector<IndexEntry> entries_;
  std::vector<std::vector<int>> position_;  // log, QSO -> entry
  // Where each own call's entries start: a search for a group stays inside one log's entries.
  std::vector<int> ownStart_;
  std::vector<int64_t> offsets_;  // per log, as the times stand now
};
