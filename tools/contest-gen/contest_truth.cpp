#include <algorithm>
#include <unordered_map>

#include "contest_cabrillo.h"
#include "world_model.h"

namespace {

class TruthBuilder {
 public:
  explicit TruthBuilder(const World& world) : world_(world), logOf_(world.Stations.size(), -1) {}

  GeneratedContest Build() {
    for (int s = 0; s < static_cast<int>(world_.Stations.size()); ++s) {
      const Station& station = world_.Stations[s];
      if (!station.SendsLog) {
        out_.Truth.push_back({station.Call, 0, "", "no_log", ""});
        continue;
      }
      logOf_[s] = static_cast<int>(out_.Logs.size());
      out_.Logs.push_back({{station.Call, {}}, {}});
      out_.WrongClock.push_back(station.WrongClock);
      entriesOf_.emplace_back();
      if (station.WrongClock != 0)
        out_.Truth.push_back(
            {station.Call, 0, "", "wrong_clock", std::to_string(station.WrongClock) + " s"});
    }
    FileEntries();
    for (size_t l = 0; l < out_.Logs.size(); ++l) {
      out_.Expected.emplace_back();
      for (size_t q = 0; q < entriesOf_[l].size(); ++q) {
        const Entry& entry = world_.Entries[entriesOf_[l][q]];
        out_.Expected.back().push_back(Expect(entry, out_.Logs[l].Log.Qsos[q].Line));
      }
    }
    return std::move(out_);
  }

 private:
  // Each sent log gets its visible entries in time order, numbered as in its file.
  void FileEntries() {
    for (int e = 0; e < static_cast<int>(world_.Entries.size()); ++e) {
      const Entry& entry = world_.Entries[e];
      int log = logOf_[entry.Station];
      if (log < 0)
        continue;
      if (entry.LeftOut) {
        out_.Truth.push_back({out_.Logs[log].Log.Call, 0, "", "left_out",
                              "with " + Partner(entry).Call + " on " + entry.Qso.Band});
        continue;
      }
      entriesOf_[log].push_back(e);
      auto logger = loggers_.emplace(entry.Qso.Call, entry.Station).first;
      if (logger->second != entry.Station)
        logger->second = kSeveral;
    }
    const int firstLine = FirstQsoLine();
    for (size_t l = 0; l < out_.Logs.size(); ++l) {
      std::vector<int>& entries = entriesOf_[l];
      std::stable_sort(entries.begin(), entries.end(), [&](int a, int b) {
        return world_.Entries[a].Qso.Time < world_.Entries[b].Qso.Time;
      });
      GeneratedLog& log = out_.Logs[l];
      for (int e : entries) {
        log.Log.Qsos.push_back(world_.Entries[e].Qso);
        log.Log.Qsos.back().Line = firstLine + static_cast<int>(log.Kilohertz.size());
        log.Kilohertz.push_back(world_.Contacts[world_.Entries[e].Contact].Kilohertz);
      }
    }
  }

  const Entry& PartnerEntry(const Entry& entry) const {
    const Contact& contact = world_.Contacts[entry.Contact];
    bool first = &world_.Entries[contact.Entry[0]] == &entry;
    return world_.Entries[contact.Entry[first ? 1 : 0]];
  }
  const Station& Partner(const Entry& entry) const {
    return world_.Stations[PartnerEntry(entry).Station];
  }

  // A call without a log: unique when no other log holds it.
  Verdict Unconfirmable(const std::string& call) const {
    return loggers_.at(call) != kSeveral ? Verdict::kUnique : Verdict::kUnchecked;
  }

  Verdict Expect(const Entry& entry, int line) {
    const Station& partner = Partner(entry);
    bool partnerShows = partner.SendsLog && !PartnerEntry(entry).LeftOut;
    Verdict verdict = Verdict::kConfirmed;
    std::string cause, detail;
    if (entry.Injected == Fault::kBustedCall) {
      verdict = partnerShows ? Verdict::kBustedCall : Unconfirmable(entry.Qso.Call);
      cause = "busted_call";
      detail = "worked " + entry.Copied + " logged " + entry.Qso.Call;
    } else if (!partner.SendsLog) {
      verdict = Unconfirmable(partner.Call);
      cause = "partner_sent_no_log";
    } else if (PartnerEntry(entry).LeftOut) {
      verdict = Verdict::kNotInLog;
      cause = "partner_left_out";
      detail = "not in " + partner.Call + "'s log";
    } else if (entry.Injected == Fault::kBustedExchange) {
      verdict = Verdict::kBustedExchange;
      cause = "busted_exchange";
      detail = "sent " + entry.Copied + " logged " + entry.Qso.ExchRcvd;
    }
    if (verdict != Verdict::kConfirmed || !cause.empty()) {
      const Station& own = world_.Stations[entry.Station];
      out_.Truth.push_back({own.Call, line, VerdictName(verdict), cause, detail});
    }
    return verdict;
  }

  const World& world_;
  std::vector<int> logOf_;                   // station -> log, -1 without one
  std::vector<std::vector<int>> entriesOf_;  // log -> entries in file order
  // Call -> the one station whose log holds it, or kSeveral.
  static constexpr int kSeveral = -1;
  std::unordered_map<std::string, int> loggers_;
  GeneratedContest out_;
};

}  // namespace

GeneratedContest GenerateContest(const WorldOptions& options) {
  Random random(options.Seed);
  World world = BuildWorld(options, random);
  InjectFaults(world, options, random);
  return TruthBuilder(world).Build();
}

std::string TruthCsv(const std::vector<TruthRow>& rows) {
  std::string csv = "call,line,verdict,cause,detail\n";
  for (const TruthRow& row : rows) {
    csv += row.Call + ',' + (row.Line > 0 ? std::to_string(row.Line) : "") + ',' + row.Verdict +
           ',' + row.Cause + ',' + row.Detail + '\n';
  }
  return csv;
}
