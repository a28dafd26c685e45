// The plug-in's copy of the contest log, in arrival order, with the per-band
// lists derived from it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/contest/block_list.h"
#include "core/contest/contest_rules.h"
#include "core/contest/key_index.h"
#include "core/contest/qso_record.h"

using TextList = std::vector<std::string>;
using PerBandLists = std::array<TextList, kBandCount>;

// Position of the first entry equal to `text`, or -1.
int IndexOf(const TextList& list, const std::string& text);

// Records held by value. Lookups by callsign/band/mode, by band/continent and
// by band/district of counting records go through hash indexes, so re-scoring
// a log is linear rather than quadratic.
class QsoLog {
 public:
  size_t Count() const { return records_.size(); }
  const QsoRecord& At(size_t i) const { return records_[i]; }
  void SetExcluded(size_t i, bool excluded);

  // The group of the records with this callsign, band and mode, made now if
  // new, and valid until Clear: one lookup serves both the count and the
  // append of a new record.
  struct SameGroupId {
    uint32_t Value;
  };
  SameGroupId SameGroupOf(std::string_view call, std::string_view band, std::string_view mode);

  void Append(QsoRecord record);
  // Appending without moving the record: StartAppend gives an empty record
  // in the place where it will stay, FinishAppend adds it once filled in.
  // Nothing else may change the store in between. `same` is the group of the
  // record's callsign, band and mode.
  QsoRecord& StartAppend();
  void FinishAppend(SameGroupId same);
  void RemoveAt(size_t i);
  void Clear();

  // Positions of the records with this callsign, band and mode, in log order.
  std::vector<size_t> FindSame(std::string_view call, std::string_view band,
                               std::string_view mode) const;
  size_t CountSame(std::string_view call, std::string_view band, std::string_view mode) const;
  size_t CountSame(SameGroupId same) const;
  // Whether any record on this band has this continent.
  bool HasBandContinent(std::string_view band, std::string_view continent) const;
  // Whether a record that counts (see Counts) carries this district on this band.
  bool HasCountedDistrict(std::string_view band, std::string_view district) const;

 private:
  size_t PositionOf(uint64_t serial) const;
  void Index(const QsoRecord& record, int delta);
  void IndexCounted(const QsoRecord& record, int delta);

  BlockList<QsoRecord> records_;
  std::vector<uint64_t> serials_;  // increasing; lets an index entry survive removals
  uint64_t nextSerial_ = 0;
  // Serials of the records of one callsign, band and mode, in log order. The
  // first is kept apart: a station worked once costs no extra allocation.
  struct SameGroup {
    static constexpr uint64_t kEmpty = UINT64_MAX;
    uint64_t First = kEmpty;
    std::vector<uint64_t> Later;
    size_t Size() const { return First == kEmpty ? 0 : 1 + Later.size(); }
  };
  const SameGroup* FindGroup(std::string_view call, std::string_view band,
                             std::string_view mode) const;
  KeyIndex sameKeys_;                  // callsign, band and mode: a group number
  std::vector<SameGroup> sameGroups_;  // by group number
  KeyCounts byBandContinent_;
  KeyCounts byCountedDistrict_;
};
