// Dense numbers for text keys, for indexes that must stay fast at 100,000 keys.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The first key added gets 0, the next new one 1, and so on. An open-addressing
// table of 8-byte slots in one array: adding a key allocates nothing of its own
// and a lookup touches one slot, where a node-based map spends an allocation
// and a scattered node per key (slow to fill, and slow to empty).
class KeyIndex {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;

  // The number of `key`, or kNone.
  uint32_t Find(const std::string& key) const;
  // The number of `key`, given it now if it is new.
  uint32_t Add(const std::string& key);
  void Clear();

 private:
  struct Slot {
    uint32_t Hash = 0;
    uint32_t Id = kNone;
  };
  // The slot that holds `key`, or the empty one where it belongs.
  size_t SlotOf(const std::string& key, uint32_t hash) const;
  void Grow();

  std::vector<Slot> slots_;  // a power of two, at most half full
  std::vector<std::string> keys_;
};
