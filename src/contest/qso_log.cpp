#include "contest/qso_log.h"

#include <algorithm>

int IndexOf(const TextList& list, const std::string& text) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i] == text)
      return static_cast<int>(i);
  }
  return -1;
}

std::string QsoStore::Key(const std::string& a, const std::string& b, const std::string& c) {
  std::string key;
  key.reserve(a.size() + b.size() + c.size() + 2);
  key.append(a).append(1, '\0').append(b).append(1, '\0').append(c);
  return key;
}

size_t QsoStore::PositionOf(uint64_t serial) const {
  return static_cast<size_t>(std::lower_bound(serials_.begin(), serials_.end(), serial) -
                             serials_.begin());
}

namespace {
void Adjust(std::unordered_map<std::string, size_t>& counts, const std::string& key, int delta) {
  if (delta > 0) {
    ++counts[key];
    return;
  }
  auto it = counts.find(key);
  if (it != counts.end() && --it->second == 0)
    counts.erase(it);
}
}  // namespace

void QsoStore::Index(const CInfo& record, int delta) {
  Adjust(byBandContinent_, Key(record.Band, record.Continent, ""), delta);
  IndexCounted(record, delta);
}

void QsoStore::IndexCounted(const CInfo& record, int delta) {
  if (Counts(record) && !record.District.empty())
    Adjust(byCountedDistrict_, Key(record.Band, record.District, ""), delta);
}

void QsoStore::SetNoScore(size_t i, int32_t value) {
  IndexCounted(records_[i], -1);
  records_[i].NoScore = value;
  IndexCounted(records_[i], +1);
}

void QsoStore::Append(CInfo record) {
  uint64_t serial = nextSerial_++;
  uint32_t id = sameKeys_.Add(Key(record.Call, record.Band, record.Mode));
  if (id == sameGroups_.size())
    sameGroups_.emplace_back();
  SameGroup& group = sameGroups_[id];
  if (group.First == SameGroup::kEmpty)
    group.First = serial;
  else
    group.Later.push_back(serial);
  Index(record, +1);
  records_.push_back(std::move(record));
  serials_.push_back(serial);
}

void QsoStore::RemoveAt(size_t i) {
  const CInfo& record = records_[i];
  uint32_t id = sameKeys_.Find(Key(record.Call, record.Band, record.Mode));
  if (id != KeyIndex::kNone) {
    SameGroup& group = sameGroups_[id];
    if (group.First != serials_[i]) {
      group.Later.erase(std::find(group.Later.begin(), group.Later.end(), serials_[i]));
    } else if (group.Later.empty()) {
      group.First = SameGroup::kEmpty;
    } else {
      group.First = group.Later.front();
      group.Later.erase(group.Later.begin());
    }
  }
  Index(record, -1);
  records_.erase(i);
  serials_.erase(serials_.begin() + static_cast<std::ptrdiff_t>(i));
}

void QsoStore::Clear() {
  records_.clear();
  serials_.clear();
  sameKeys_.Clear();
  sameGroups_.clear();
  byBandContinent_.clear();
  byCountedDistrict_.clear();
}

const QsoStore::SameGroup* QsoStore::FindGroup(const std::string& call, const std::string& band,
                                               const std::string& mode) const {
  uint32_t id = sameKeys_.Find(Key(call, band, mode));
  if (id == KeyIndex::kNone || sameGroups_[id].First == SameGroup::kEmpty)
    return nullptr;
  return &sameGroups_[id];
}

std::vector<size_t> QsoStore::FindSame(const std::string& call, const std::string& band,
                                       const std::string& mode) const {
  std::vector<size_t> positions;
  const SameGroup* group = FindGroup(call, band, mode);
  if (group == nullptr)
    return positions;
  positions.reserve(1 + group->Later.size());
  positions.push_back(PositionOf(group->First));
  for (uint64_t serial : group->Later)
    positions.push_back(PositionOf(serial));
  return positions;
}

size_t QsoStore::CountSame(const std::string& call, const std::string& band,
                           const std::string& mode) const {
  const SameGroup* group = FindGroup(call, band, mode);
  return group == nullptr ? 0 : 1 + group->Later.size();
}

bool QsoStore::HasBandContinent(const std::string& band, const std::string& continent) const {
  return byBandContinent_.count(Key(band, continent, "")) != 0;
}

bool QsoStore::HasCountedDistrict(const std::string& band, const std::string& district) const {
  return byCountedDistrict_.count(Key(band, district, "")) != 0;
}
