#include "check/qso_index.h"

#include <algorithm>
#include <tuple>

#include "check/call_text.h"

namespace {

auto KeyOf(const IndexEntry& e) {
  return std::make_tuple(e.Own, e.Worked, e.Band, e.Time, e.Ref.Log, e.Ref.Qso);
}

}  // namespace

const IndexEntry* NearestInTime(EntryRange range, int64_t time) {
  auto earlier = [](const IndexEntry& e, int64_t t) { return e.Time < t; };
  const IndexEntry* after = std::lower_bound(range.Begin, range.End, time, earlier);
  const IndexEntry* before = nullptr;
  if (after != range.Begin)
    before = std::lower_bound(range.Begin, after, (after - 1)->Time, earlier);
  if (after == range.End)
    return before;
  return before != nullptr && time - before->Time <= after->Time - time ? before : after;
}

template <typename Wanted, typename Key>
EntryRange QsoIndex::WithinOwn(int own, const Wanted& wanted, Key key) const {
  const IndexEntry* first = entries_.data() + ownStart_[own];
  const IndexEntry* last = entries_.data() + ownStart_[own + 1];
  const IndexEntry* lo = std::lower_bound(
      first, last, wanted, [&](const IndexEntry& e, const Wanted& k) { return key(e) < k; });
  const IndexEntry* hi = std::upper_bound(
      lo, last, wanted, [&](const Wanted& k, const IndexEntry& e) { return k < key(e); });
  return {lo, hi};
}

QsoIndex::QsoIndex(const std::vector<CheckLog>& logs) {
  std::unordered_map<std::string, int> bandIds;
  for (const CheckLog& log : logs) {
    int own = IdOf(MatchForm(log.Call));
    ownCall_.push_back(own);
    if (hasLog_[own] == 0 || log.UnreadableLines > 0)
      hasLog_[own] = log.UnreadableLines > 0 ? kLogWithUnreadableLines : 1;
  }
  for (int l = 0; l < static_cast<int>(logs.size()); ++l) {
    const std::vector<CheckQso>& qsos = logs[l].Qsos;
    for (int q = 0; q < static_cast<int>(qsos.size()); ++q) {
      IndexEntry e;
      e.Own = ownCall_[l];
      e.Worked = IdOf(MatchForm(qsos[q].Call));
      e.Band =
          bandIds.emplace(MatchForm(qsos[q].Band), static_cast<int>(bandIds.size())).first->second;
      e.Time = e.Logged = qsos[q].Time;
      e.Ref = QsoRef{l, q};
      entries_.push_back(e);
    }
  }
  for (const CheckLog& log : logs)
    position_.emplace_back(log.Qsos.size());
  offsets_.assign(logs.size(), 0);
  Sort();
  stationsLogging_.assign(callText_.size(), 0);
  for (size_t i = 0; i < entries_.size(); ++i) {
    bool newPair = i == 0 || entries_[i].Own != entries_[i - 1].Own ||
                   entries_[i].Worked != entries_[i - 1].Worked;
    if (newPair)
      ++stationsLogging_[entries_[i].Worked];
  }
}

int QsoIndex::IdOf(const std::string& call) {
  auto inserted = callIds_.emplace(call, static_cast<int>(callText_.size()));
  if (inserted.second) {
    callText_.push_back(call);
    hasLog_.push_back(0);
  }
  return inserted.first->second;
}

void QsoIndex::Sort() {
  std::sort(entries_.begin(), entries_.end(),
            [](const IndexEntry& a, const IndexEntry& b) { return KeyOf(a) < KeyOf(b); });
  for (size_t i = 0; i < entries_.size(); ++i)
    position_[entries_[i].Ref.Log][entries_[i].Ref.Qso] = static_cast<int>(i);
  ownStart_.assign(callText_.size() + 1, 0);
  for (const IndexEntry& e : entries_)
    ++ownStart_[e.Own + 1];
  for (size_t id = 1; id < ownStart_.size(); ++id)
    ownStart_[id] += ownStart_[id - 1];
}

void QsoIndex::SetClockOffsets(const std::vector<int64_t>& offsetByLog) {
  if (offsetByLog == offsets_)
    return;
  offsets_ = offsetByLog;
  for (IndexEntry& e : entries_)
    e.Time = e.Logged - offsetByLog[e.Ref.Log];
  Sort();
}

EntryRange QsoIndex::Group(int own, int worked, int band) const {
  return WithinOwn(own, std::make_tuple(worked, band),
                   [](const IndexEntry& e) { return std::make_tuple(e.Worked, e.Band); });
}

EntryRange QsoIndex::Pair(int own, int worked) const {
  return WithinOwn(own, worked, [](const IndexEntry& e) { return e.Worked; });
}

EntryRange QsoIndex::Near(int own, int worked, int band, int64_t time, int64_t seconds) const {
  EntryRange group = Group(own, worked, band);
  auto earlier = [](const IndexEntry& e, int64_t t) { return e.Time < t; };
  auto later = [](int64_t t, const IndexEntry& e) { return t < e.Time; };
  const IndexEntry* lo = std::lower_bound(group.Begin, group.End, time - seconds, earlier);
  const IndexEntry* hi = std::upper_bound(lo, group.End, time + seconds, later);
  return {lo, hi};
}
