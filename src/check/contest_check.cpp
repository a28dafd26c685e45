#include "check/contest_check.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <tuple>

#include "check/call_text.h"
#include "check/clock_offsets.h"
#include "check/near_calls.h"
#include "check/qso_index.h"

namespace {

// A possible link between A's QSO and one in another log, `Apart` seconds
// apart (within the tolerance). A contest has millions: kept small.
struct Link {
  int32_t Apart;
  bool ModeDiffers;  // a link in the same mode goes first
  QsoRef Own;
  QsoRef Other;
};

class Checker {
 public:
  Checker(const std::vector<CheckLog>& logs, const CheckOptions& options)
      : logs_(logs), options_(options), index_(logs), nearCalls_(index_) {
    findings_.resize(logs.size());
    settled_.resize(logs.size());
    for (size_t l = 0; l < logs.size(); ++l) {
      findings_[l].Qsos.resize(logs[l].Qsos.size());
      settled_[l].assign(logs[l].Qsos.size(), 0);
    }
  }

  std::vector<LogFindings> Run() {
    std::vector<int64_t> offsets = FindClockOffsets(index_, logs_, options_);
    for (size_t l = 0; l < logs_.size(); ++l)
      findings_[l].ClockOffsetSeconds = offsets[l];
    for (const Link& link : Closest(ExactLinks()))
      Confirm(link.Own, link.Other, false);
    for (const Link& link : Closest(NearCallLinks())) {
      Settle(link.Own, Verdict::kBustedCall, link.Other);
      Confirm(link.Other, link.Own, true);
    }
    JudgeTheRest();
    return std::move(findings_);
  }

 private:
  const CheckQso& QsoAt(QsoRef ref) const { return logs_[ref.Log].Qsos[ref.Qso]; }
  bool Settled(QsoRef ref) const { return settled_[ref.Log][ref.Qso] != 0; }
  bool Judged(QsoRef ref) const { return QsoAt(ref).Judged; }

  // A line that is evidence only is settled as such, whatever it is given.
  void Settle(QsoRef ref, Verdict kind, QsoRef evidence, bool byBustedEntry = false) {
    settled_[ref.Log][ref.Qso] = 1;
    if (!Judged(ref))
      kind = Verdict::kEvidence;
    findings_[ref.Log].Qsos[ref.Qso] = QsoFinding{kind, evidence, byBustedEntry};
  }

  bool ModesDiffer(QsoRef a, QsoRef b) const {
    const std::string& one = QsoAt(a).Mode;
    const std::string& two = QsoAt(b).Mode;
    return !one.empty() && !two.empty() && MatchForm(one) != MatchForm(two);
  }

  // Each of the two confirms the other; each side's received exchange is held
  // against what the other side logged as sent, and a mode the other side
  // logged otherwise is said, not held against either. `byBustedEntry`: `other`
  // miscopied the call of `own`'s station, so only `own` is confirmed.
  void Confirm(QsoRef own, QsoRef other, bool byBustedEntry) {
    auto verdict = [this](QsoRef receiver, QsoRef sender) {
      if (!SameExchange(QsoAt(receiver).ExchRcvd, QsoAt(sender).ExchSent))
        return Verdict::kBustedExchange;
      return ModesDiffer(receiver, sender) ? Verdict::kModeDiffers : Verdict::kConfirmed;
    };
    Settle(own, verdict(own, other), other, byBustedEntry);
    if (!byBustedEntry)
      Settle(other, verdict(other, own), own);
  }

  // Links between QSOs logged with each other's call, each pair of logs once.
  std::vector<Link> ExactLinks() const {
    std::vector<Link> links;
    ForEachQso([&](QsoRef ref, const IndexEntry& own) {
      if (own.Own < own.Worked && index_.HasLog(own.Worked))
        AddLinks(links, ref, own, own.Worked);
    });
    return links;
  }

  // Links from QSOs still open to open QSOs of a log whose call is one edit
  // away from the call logged. A line of evidence only that miscopied a call
  // still shows that station's QSO took place.
  std::vector<Link> NearCallLinks() const {
    std::vector<Link> links;
    ForEachQso([&](QsoRef ref, const IndexEntry& own) {
      if (Settled(ref))
        return;
      for (int nearCall : nearCalls_.Near(own.Worked)) {
        if (nearCall != own.Own)
          AddLinks(links, ref, own, nearCall);
      }
    });
    return links;
  }

  template <typename Visit>
  void ForEachQso(Visit visit) const {
    for (int l = 0; l < static_cast<int>(logs_.size()); ++l) {
      for (int q = 0; q < static_cast<int>(logs_[l].Qsos.size()); ++q)
        visit(QsoRef{l, q}, index_.EntryOf({l, q}));
    }
  }

  // Open QSOs of `station`'s log with own's station on the band, within the
  // tolerance, the nearest first; a link between two lines of evidence only
  // would judge nothing. No honest pair of logs has more than a few QSOs of
  // one band within the tolerance: a few are linked and a few more looked
  // at, so that two logs of thousands of one QSO are not linked each to each.
  void AddLinks(std::vector<Link>& links, QsoRef ref, const IndexEntry& own, int station) const {
    constexpr size_t kLinksPerQso = 16;
    constexpr size_t kLookedAt = 4 * kLinksPerQso;
    EntryRange near = index_.Near(station, own.Own, own.Band, own.Time, options_.ToleranceSeconds);
    auto earlier = [](const IndexEntry& e, int64_t t) { return e.Time < t; };
    const IndexEntry* after = std::lower_bound(near.Begin, near.End, own.Time, earlier);
    const IndexEntry* before = after;
    size_t linked = 0;
    for (size_t looked = 0; looked < kLookedAt && linked < kLinksPerQso; ++looked) {
      const bool takeBefore =
          before != near.Begin &&
          (after == near.End || own.Time - (before - 1)->Time <= after->Time - own.Time);
      if (!takeBefore && after == near.End)
        break;
      const IndexEntry& other = takeBefore ? *--before : *after++;
      if (!Settled(other.Ref) && (Judged(ref) || Judged(other.Ref))) {
        links.push_back(Link{static_cast<int32_t>(std::llabs(own.Time - other.Time)),
                             ModesDiffer(ref, other.Ref), ref, other.Ref});
        ++linked;
      }
    }
  }

  // Links in the same mode first, then the nearest; a QSO takes part in one link at most.
  std::vector<Link> Closest(std::vector<Link> links) const {
    auto key = [](const Link& k) {
      return std::make_tuple(k.ModeDiffers, k.Apart, k.Own.Log, k.Own.Qso, k.Other.Log,
                             k.Other.Qso);
    };
    std::sort(links.begin(), links.end(),
              [&](const Link& a, const Link& b) { return key(a) < key(b); });
    std::vector<std::vector<char>> taken = settled_;
    auto end = std::remove_if(links.begin(), links.end(), [&](const Link& link) {
      char& own = taken[link.Own.Log][link.Own.Qso];
      char& other = taken[link.Other.Log][link.Other.Qso];
      if (own || other)
        return true;
      own = other = 1;
      return false;
    });
    links.erase(end, links.end());
    return links;
  }

  void JudgeTheRest() {
    ForEachQso([&](QsoRef ref, const IndexEntry& own) {
      if (Settled(ref))
        return;
      if (!Judged(ref)) {
        Settle(ref, Verdict::kEvidence, {});
        return;
      }
      QsoRef confirmedTwin = ConfirmedTwin(own);
      if (confirmedTwin.Found())
        Settle(ref, Verdict::kRepeat, confirmedTwin);
      else if (index_.HasLog(own.Worked))
        Settle(ref, NotInLogUnless(own.Worked), NearestOnAnyBand(own));
      else if (index_.StationsLogging(own.Worked) <= 1)
        Settle(ref, Verdict::kUnique, {});
      else
        Settle(ref, Verdict::kUnchecked, {});
    });
  }

  // Not in log, unless the other log has lines nobody could read: the QSO may
  // stand on one of them.
  Verdict NotInLogUnless(int station) const {
    return index_.HasUnreadableLines(station) ? Verdict::kUnverified : Verdict::kNotInLog;
  }

  // Another QSO of the same log with the same call and band that the other
  // log confirms. Looked for once per group and log: the repeats it settles
  // confirm nothing, and a log can repeat one QSO thousands of times.
  QsoRef ConfirmedTwin(const IndexEntry& own) {
    EntryRange group = index_.Group(own.Own, own.Worked, own.Band);
    auto [known, fresh] =
        confirmedTwins_.emplace(std::make_pair(group.Begin, own.Ref.Log), QsoRef{});
    if (!fresh)
      return known->second;
    for (const IndexEntry& twin : group) {
      Verdict kind = findings_[twin.Ref.Log].Qsos[twin.Ref.Qso].Kind;
      bool confirmed = Settled(twin.Ref) && twin.Ref.Log == own.Ref.Log &&
                       (kind == Verdict::kConfirmed || kind == Verdict::kBustedExchange ||
                        kind == Verdict::kModeDiffers);
      if (confirmed)
        return known->second = twin.Ref;
    }
    return {};
  }

  // What the other log holds of this station, to show beside a NIL: the
  // nearest of each band's, the first of those as near.
  QsoRef NearestOnAnyBand(const IndexEntry& own) const {
    const IndexEntry* nearest = nullptr;
    EntryRange pair = index_.Pair(own.Worked, own.Own);
    for (const IndexEntry* band = pair.Begin; band != pair.End;) {
      const IndexEntry* bandEnd = index_.Group(own.Worked, own.Own, band->Band).End;
      const IndexEntry* near = NearestInTime({band, bandEnd}, own.Time);
      if (!nearest || std::llabs(own.Time - near->Time) < std::llabs(own.Time - nearest->Time))
        nearest = near;
      band = bandEnd;
    }
    return nearest ? nearest->Ref : QsoRef{};
  }

  const std::vector<CheckLog>& logs_;
  CheckOptions options_;
  QsoIndex index_;
  NearCalls nearCalls_;
  std::vector<LogFindings> findings_;
  std::vector<std::vector<char>> settled_;
  std::map<std::pair<const IndexEntry*, int>, QsoRef> confirmedTwins_;  // by group and log
};

}  // namespace

std::vector<LogFindings> CheckContest(const std::vector<CheckLog>& logs,
                                      const CheckOptions& options) {
  return Checker(logs, options).Run();
}
