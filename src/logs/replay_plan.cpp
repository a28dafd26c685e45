#include "logs/replay_plan.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "core/engine/acceptance.h"
#include "logs/log_values.h"

namespace {

// A note names a few of the own calls a log gives, and quotes a call at most
// this long: a hostile log can give thousands, each of megabytes.
const size_t kOwnCallsNamed = 5;
const size_t kLongestQuotedCall = 30;

auto DateKey(const CalendarTime& t) {
  return std::make_tuple(t.Year, t.Month, t.Day);
}

// A QSO's time was made from a calendar date by its reader.
CalendarTime CalendarOfQso(const LogQso& qso) {
  CalendarTime time{};
  ToCalendarTime(qso.Time, time);
  return time;
}

OleDateTime DateOnly(const CalendarTime& t) {
  return MakeOleDateTime(t.Year, t.Month, t.Day);
}

std::string FormatDate(const CalendarTime& t) {
  return FormatDateTime(DateOnly(t), "%Y-%m-%d");
}

std::string OwnCallOf(const LogContents& log, const ReplayOptions& options,
                      const std::string& shownName, std::vector<std::string>& notes) {
  std::string own = ToUpper(options.OwnCall);
  if (own.empty())
    own = LogOwnCall(log);
  std::vector<std::string> seen;  // in the log's order
  std::set<std::string> known;
  for (const LogQso& qso : log.Qsos) {
    if (!qso.OwnCall.empty() && known.insert(qso.OwnCall).second)
      seen.push_back(qso.OwnCall);
  }
  if (own.empty()) {
    throw InputError(shownName +
                     ": the log does not name the own callsign (STATION_CALLSIGN, OPERATOR or "
                     "CALLSIGN:); give it with --call");
  }
  if (seen.size() > 1 || (seen.size() == 1 && seen.front() != own)) {
    std::string list;
    for (size_t i = 0; i < seen.size() && i < kOwnCallsNamed; ++i)
      list += (list.empty() ? "" : ", ") + Clipped(seen[i], kLongestQuotedCall);
    if (seen.size() > kOwnCallsNamed)
      list += " and " + std::to_string(seen.size() - kOwnCallsNamed) + " more";
    notes.push_back("the log names the own callsigns " + list + "; every QSO is scored for " +
                    Clipped(own, kLongestQuotedCall));
  }
  return own;
}

// A station worked many times on one band and mode: the plug-in names at most
// kMaxDupeLinesPerQso earlier QSOs for each repeat, so say how many there are.
void NoteRepeatedQsos(const std::vector<QsoInput>& qsos, const std::string& shownName,
                      std::vector<std::string>& notes) {
  std::map<std::tuple<std::string, std::string, std::string>, size_t> counts;
  for (const QsoInput& qso : qsos)
    ++counts[{qso.Call, qso.Band, qso.Mode}];
  for (const auto& [key, count] : counts) {
    if (count <= kMaxDupeLinesPerQso + 1)
      continue;
    const auto& [call, band, mode] = key;
    notes.push_back(shownName + ": " + Clipped(call, kLongestQuotedCall) + " on " + band + " " +
                    mode + " is in the log " + std::to_string(count) +
                    " times; err.txt names at most " + std::to_string(kMaxDupeLinesPerQso) +
                    " earlier ones for each repeat");
  }
}

}  // namespace

std::string LogOwnCall(const LogContents& log) {
  if (!log.HeaderCall.empty())
    return log.HeaderCall;
  for (const LogQso& qso : log.Qsos) {
    if (!qso.OwnCall.empty())
      return qso.OwnCall;
  }
  return "";
}

QsoInput MapQso(const LogQso& qso, const std::string& ownCall, const CountryFile& countries,
                bool& found) {
  QsoInput input = qso;
  input.OwnCall = ownCall;
  CountryMatch country;
  found = countries.Find(qso.Call, country);
  if (found) {
    input.Prefix = country.Prefix;
    input.Continent = country.Continent;
  }
  return input;
}

ReplayPlan PlanReplay(const LogContents& log, const CountryFile& countries,
                      const ReplayOptions& options, const std::string& shownName) {
  if (log.Qsos.empty()) {
    throw InputError(shownName + " (" + log.Format + "): " +
                     (log.Skipped.empty() ? std::string("no QSO found")
                                          : "none of its " + std::to_string(log.Skipped.size()) +
                                                " records could be read"));
  }
  ReplayPlan plan;
  ResetInput& reset = plan.Reset;
  reset.CabrilloRequest = options.CabrilloRequest;
  reset.OwnCall = OwnCallOf(log, options, shownName, plan.Notes);
  reset.OwnPrefix = options.OwnPrefix;
  if (reset.OwnPrefix.empty()) {
    CountryMatch own;
    if (!countries.Find(reset.OwnCall, own)) {
      throw InputError("the country file knows no entity for the own call " + reset.OwnCall +
                       "; give the own prefix with --prefix");
    }
    reset.OwnPrefix = own.Prefix;
  }

  auto byDate = [](const LogQso& a, const LogQso& b) {
    return DateKey(CalendarOfQso(a)) < DateKey(CalendarOfQso(b));
  };
  auto span = std::minmax_element(log.Qsos.begin(), log.Qsos.end(), byDate);
  CalendarTime start = options.PeriodStart.value_or(CalendarOfQso(*span.first));
  CalendarTime end = options.PeriodEnd.value_or(CalendarOfQso(*span.second));
  // One end given beyond the log's QSOs: a one-day period there, holding none.
  if (!options.PeriodEnd && DateKey(end) < DateKey(start))
    end = start;
  if (!options.PeriodStart && DateKey(end) < DateKey(start))
    start = end;
  if (DateKey(end) < DateKey(start)) {
    throw InputError("the period " + FormatDate(start) + " to " + FormatDate(end) +
                     " ends before it starts");
  }
  reset.PeriodStart = DateOnly(start);
  reset.PeriodEnd = DateOnly(end);

  for (size_t i = 0; i < log.Qsos.size(); ++i) {
    const LogQso& qso = log.Qsos[i];
    const CalendarTime time = CalendarOfQso(qso);
    if (DateKey(time) < DateKey(start) || DateKey(end) < DateKey(time)) {
      ++plan.OutsidePeriod;
      continue;
    }
    bool found = false;
    plan.Where.push_back(qso.Where);
    plan.Source.push_back(i);
    plan.Qsos.push_back(MapQso(qso, reset.OwnCall, countries, found));
    if (!found) {
      plan.Notes.push_back(shownName + ": " + qso.Where + ": no country for " +
                           Clipped(qso.Call, kLongestQuotedCall) +
                           ": handed over with an empty prefix and continent");
    }
  }
  NoteRepeatedQsos(plan.Qsos, shownName, plan.Notes);
  return plan;
}
