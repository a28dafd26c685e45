#include "contest/key_index.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace {
uint32_t HashOf(const std::string& key) {
  uint64_t h = std::hash<std::string>()(key);
  return static_cast<uint32_t>(h ^ (h >> 32));
}
}  // namespace

size_t KeyIndex::SlotOf(const std::string& key, uint32_t hash) const {
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.Id == kNone || (slot.Hash == hash && keys_[slot.Id] == key))
      return i;
  }
}

uint32_t KeyIndex::Find(const std::string& key) const {
  if (slots_.empty())
    return kNone;
  return slots_[SlotOf(key, HashOf(key))].Id;
}

uint32_t KeyIndex::Add(const std::string& key) {
  if ((keys_.size() + 1) * 2 > slots_.size())
    Grow();
  const uint32_t hash = HashOf(key);
  Slot& slot = slots_[SlotOf(key, hash)];
  if (slot.Id == kNone) {
    slot.Hash = hash;
    slot.Id = static_cast<uint32_t>(keys_.size());
    keys_.push_back(key);
  }
  return slot.Id;
}

void KeyIndex::Grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(std::max<size_t>(16, old.size() * 2), Slot());
  const size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.Id == kNone)
      continue;
    size_t i = slot.Hash & mask;
    while (slots_[i].Id != kNone)
      i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

void KeyIndex::Clear() {
  keys_.clear();
  std::fill(slots_.begin(), slots_.end(), Slot());
}
