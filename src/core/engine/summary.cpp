#include "core/engine/summary.h"

#include <algorithm>
#include <climits>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/contest/contest_rules.h"

namespace {

std::string Padded(const std::string& text) {
  const size_t width = 20;
  return text.size() >= width ? text : std::string(width - text.size(), '0') + text;
}

struct BandRow {
  long long Qsos = 0;
  long long Points = 0;
  TextList Districts;  // distinct, in first-seen order
  TextList Continents;
  std::unordered_set<std::string> SeenDistricts;
  std::unordered_set<std::string> SeenContinents;
};

void AppendRow(std::string& out, const ScoreRow& row, bool continents) {
  out += row.Label;
  for (long long value : {row.Qsos, row.Points, row.Districts})
    out.append("\t ").append(std::to_string(value));
  if (continents)
    out.append("\t ").append(std::to_string(row.Continents));
  out += "\r\n";
}

}  // namespace

void SortLogBands(TextList& bands) {
  std::vector<std::pair<std::string, std::string>> keyed;  // padded form, text
  keyed.reserve(bands.size());
  for (const std::string& band : bands)
    keyed.emplace_back(Padded(band), band);
  // The plain exchange sort decides the order of texts whose padded forms are
  // equal ("0m" and "m"). It is quadratic: past a few thousand made-up band
  // texts a stable sort takes over, so that such a log cannot freeze the host.
  const size_t kExchangeSortLimit = 2000;
  if (keyed.size() <= kExchangeSortLimit) {
    for (size_t i = 0; i + 1 < keyed.size(); ++i) {
      for (size_t j = i + 1; j < keyed.size(); ++j) {
        if (keyed[i].first < keyed[j].first)
          std::swap(keyed[i], keyed[j]);
      }
    }
  } else {
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return b.first < a.first; });
  }
  for (size_t i = 0; i < keyed.size(); ++i)
    bands[i] = std::move(keyed[i].second);
}

int32_t ClaimedScoreOf(long long points, long long multipliers, const ContestRules& rules) {
  return static_cast<int32_t>(std::min<long long>(rules.Score(points, multipliers), INT32_MAX));
}

void BuildSummary(ContestState& state) {
  const ContestRules& rules = *state.Rules;
  const OperatorRules& op = rules.OperatorOf(state.OwnPrefix);
  const bool continents = op.ContinentsMultiply;
  std::string& text = state.SummaryText;
  text = "    DKZ CONTEST " + state.PeriodStartText + "-" + state.PeriodEndText +
         "\r\n\tContestant: " + state.Contestant + " \r\n\tQSOs\tPoints\tCounty" +
         (continents ? "\tCont\r\n" : "\r\n");

  SortLogBands(state.LogBands);
  std::vector<BandRow> rows(state.LogBands.size());
  std::unordered_map<std::string, size_t> rowOfBand;
  for (size_t i = 0; i < state.LogBands.size(); ++i)
    rowOfBand.emplace(state.LogBands[i], i);

  for (size_t i = 0; i < state.Log.Count(); ++i) {
    const QsoRecord& r = state.Log.At(i);
    auto found = rowOfBand.find(r.Band);
    if (found == rowOfBand.end() || !Counts(r))
      continue;
    BandRow& row = rows[found->second];
    ++row.Qsos;
    row.Points += op.PointsFor(rules.IsJapanese(r.Prefix));
    if (!r.District.empty() && row.SeenDistricts.insert(r.District).second)
      row.Districts.push_back(r.District);
    if (continents && row.SeenContinents.insert(r.Continent).second)
      row.Continents.push_back(r.Continent);
  }

  ScoreTally& tally = state.Tally;
  tally = ScoreTally{};
  tally.ContinentsMultiply = continents;
  tally.Total.Label = "Total";
  for (size_t i = 0; i < rows.size(); ++i) {
    BandRow& row = rows[i];
    ScoreRow shown{state.LogBands[i], row.Qsos, row.Points,
                   static_cast<long long>(row.Districts.size()),
                   static_cast<long long>(row.Continents.size())};
    AppendRow(text, shown, continents);
    tally.Total.Qsos += shown.Qsos;
    tally.Total.Points += shown.Points;
    tally.Total.Districts += shown.Districts;
    tally.Total.Continents += shown.Continents;
    tally.Bands.push_back(std::move(shown));
    // A band text outside the record has a row but no per-band lists.
    int b = rules.BandIndexOf(state.LogBands[i]);
    if (b != kNoBand) {
      state.DistrictsByBand[b] = std::move(row.Districts);
      state.ContinentsByBand[b] = std::move(row.Continents);
    }
  }
  AppendRow(text, tally.Total, continents);

  state.ClaimedScore =
      ClaimedScoreOf(tally.Total.Points, tally.Total.Districts + tally.Total.Continents, rules);
  text += "Score\t " + std::to_string(state.ClaimedScore);
}
