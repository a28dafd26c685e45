#include "core/contest/key_index.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// FNV-1a over the texts and the NULs between them, then a final mix so that
// the low bits, which pick the slot, depend on every byte.
uint32_t HashOf(KeyIndex::Parts key) {
  uint32_t h = 2166136261u;
  bool first = true;
  for (std::string_view part : key) {
    if (!first)
      h *= 16777619u;  // the NUL between texts: h ^= 0 changes nothing
    first = false;
    for (char c : part)
      h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  }
  h ^= h >> 16;
  h *= 0x85ebca6bu;
  h ^= h >> 13;
  return h;
}

bool Equals(const std::string& joined, KeyIndex::Parts key) {
  size_t at = 0;
  bool first = true;
  for (std::string_view part : key) {
    if (!first && (at == joined.size() || joined[at++] != '\0'))
      return false;
    first = false;
    if (joined.size() - at < part.size() ||
        (!part.empty() && std::memcmp(joined.data() + at, part.data(), part.size()) != 0))
      return false;
    at += part.size();
  }
  return at == joined.size();
}

std::string Joined(KeyIndex::Parts key) {
  size_t size = key.size() == 0 ? 0 : key.size() - 1;  // the NULs
  for (std::string_view part : key)
    size += part.size();
  std::string joined(size, '\0');  // the separators in place already
  size_t at = 0;
  for (std::string_view part : key) {
    part.copy(&joined[at], part.size());
    at += part.size() + 1;
  }
  return joined;
}

}  // namespace

size_t KeyIndex::SlotOf(Parts key, uint32_t hash) const {
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.Id == kNone || (slot.Hash == hash && Equals(keys_[slot.Id], key)))
      return i;
  }
}

uint32_t KeyIndex::Find(Parts key) const {
  if (slots_.empty())
    return kNone;
  return slots_[SlotOf(key, HashOf(key))].Id;
}

uint32_t KeyIndex::Add(Parts key) {
  if ((keys_.size() + 1) * 2 > slots_.size())
    Grow();
  const uint32_t hash = HashOf(key);
  Slot& slot = slots_[SlotOf(key, hash)];
  if (slot.Id == kNone) {
    slot.Hash = hash;
    slot.Id = static_cast<uint32_t>(keys_.size());
    keys_.push_back(Joined(key));
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

void KeyCounts::Adjust(KeyIndex::Parts key, int delta) {
  if (delta > 0) {
    uint32_t id = keys_.Add(key);
    if (id == counts_.size())
      counts_.push_back(0);
    ++counts_[id];
    return;
  }
  uint32_t id = keys_.Find(key);
  if (id != KeyIndex::kNone && counts_[id] > 0)
    --counts_[id];
}

bool KeyCounts::Has(KeyIndex::Parts key) const {
  uint32_t id = keys_.Find(key);
  return id != KeyIndex::kNone && counts_[id] > 0;
}

void KeyCounts::Clear() {
  keys_.Clear();
  counts_.clear();
}
