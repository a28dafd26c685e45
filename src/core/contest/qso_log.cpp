#include "core/contest/qso_log.h"

#include <algorithm>
#include <new>

int IndexOf(const TextList& list, const std::string& text) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i] == text)
      return static_cast<int>(i);
  }
  return -1;
}

size_t QsoLog::PositionOf(uint64_t serial) const {
  return static_cast<size_t>(std::lower_bound(serials_.begin(), serials_.end(), serial) -
                             serials_.begin());
}

void QsoLog::Index(const QsoRecord& record, int delta) {
  byBandContinent_.Adjust({record.Band, record.Continent}, delta);
  IndexCounted(record, delta);
}

void QsoLog::IndexCounted(const QsoRecord& record, int delta) {
  if (Counts(record) && !record.District.empty())
    byCountedDistrict_.Adjust({record.Band, record.District}, delta);
}

void QsoLog::SetExcluded(size_t i, bool excluded) {
  IndexCounted(records_[i], -1);
  records_[i].Excluded = excluded;
  IndexCounted(records_[i], +1);
}

QsoLog::SameGroupId QsoLog::SameGroupOf(std::string_view call, std::string_view band,
                                        std::string_view mode) {
  uint32_t id = sameKeys_.Add({call, band, mode});
  if (id == sameGroups_.size())
    sameGroups_.emplace_back();
  return {id};
}

void QsoLog::Append(QsoRecord record) {
  SameGroupId same = SameGroupOf(record.Call, record.Band, record.Mode);
  StartAppend() = std::move(record);
  FinishAppend(same);
}

QsoRecord& QsoLog::StartAppend() {
  // Made anew where it lies: nothing of what the place last held survives,
  // for a fraction of the cost of assigning an empty record.
  QsoRecord* place = &records_.Spare();
  place->~QsoRecord();
  return *new (place) QsoRecord();
}

void QsoLog::FinishAppend(SameGroupId same) {
  const QsoRecord& record = records_.Spare();
  uint64_t serial = nextSerial_++;
  SameGroup& group = sameGroups_[same.Value];
  if (group.First == SameGroup::kEmpty)
    group.First = serial;
  else
    group.Later.push_back(serial);
  Index(record, +1);
  records_.push_spare();
  serials_.push_back(serial);
}

void QsoLog::RemoveAt(size_t i) {
  const QsoRecord& record = records_[i];
  uint32_t id = sameKeys_.Find({record.Call, record.Band, record.Mode});
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

void QsoLog::Clear() {
  records_.clear();
  serials_.clear();
  sameKeys_.Clear();
  sameGroups_.clear();
  byBandContinent_.Clear();
  byCountedDistrict_.Clear();
}

const QsoLog::SameGroup* QsoLog::FindGroup(std::string_view call, std::string_view band,
                                           std::string_view mode) const {
  uint32_t id = sameKeys_.Find({call, band, mode});
  if (id == KeyIndex::kNone || sameGroups_[id].First == SameGroup::kEmpty)
    return nullptr;
  return &sameGroups_[id];
}

std::vector<size_t> QsoLog::FindSame(std::string_view call, std::string_view band,
                                     std::string_view mode) const {
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

size_t QsoLog::CountSame(std::string_view call, std::string_view band,
                         std::string_view mode) const {
  const SameGroup* group = FindGroup(call, band, mode);
  return group == nullptr ? 0 : group->Size();
}

size_t QsoLog::CountSame(SameGroupId same) const {
  return sameGroups_[same.Value].Size();
}

bool QsoLog::HasBandContinent(std::string_view band, std::string_view continent) const {
  return byBandContinent_.Has({band, continent});
}

bool QsoLog::HasCountedDistrict(std::string_view band, std::string_view district) const {
  return byCountedDistrict_.Has({band, district});
}
