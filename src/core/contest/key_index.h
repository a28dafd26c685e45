// Dense numbers for text keys, for indexes that must stay fast at 100,000 keys.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// The first key added gets 0, the next new one 1, and so on. An open-addressing
// table of 8-byte slots in one array: adding a key allocates nothing of its own
// and a lookup touches one slot, where a node-based map spends an allocation
// and a scattered node per key (slow to fill, and slow to empty).
//
// A key may be made of several texts, taken as joined with a NUL between
// them; a lookup hashes and compares the texts where they are, so it builds
// no joined copy. The host's texts never hold a NUL, so no two different
// lists of texts join to the same key.
class KeyIndex {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;
  using Parts = std::initializer_list<std::string_view>;

  // The number of the key, or kNone.
  uint32_t Find(Parts key) const;
  uint32_t Find(std::string_view key) const { return Find({key}); }
  // The number of the key, given it now if it is new.
  uint32_t Add(Parts key);
  uint32_t Add(std::string_view key) { return Add({key}); }
  void Clear();

 private:
  struct Slot {
    uint32_t Hash = 0;
    uint32_t Id = kNone;
  };
  // The slot that holds the key, or the empty one where it belongs.
  size_t SlotOf(Parts key, uint32_t hash) const;
  void Grow();

  std::vector<Slot> slots_;        // a power of two, at most half full
  std::vector<std::string> keys_;  // joined
};

// How many times each key is held, for "is any record like this" questions.
class KeyCounts {
 public:
  void Adjust(KeyIndex::Parts key, int delta);
  bool Has(KeyIndex::Parts key) const;
  void Clear();

 private:
  KeyIndex keys_;
  std::vector<uint32_t> counts_;  // by key number
};
