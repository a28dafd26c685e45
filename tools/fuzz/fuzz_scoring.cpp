// The scoring core against a plain model (scoring_model.h): the input is a
// sequence of calls (one byte picks the call, one byte each picks its
// arguments from small tables), run through both; every result, error line,
// stored record, band list, district and continent list, worked-before row
// and summary must agree after every call.
#include <cstring>
#include <string>
#include <utility>

#include "core/contest/contest_rules.h"
#include "core/contest/live_view.h"
#include "core/engine/acceptance.h"
#include "core/engine/call_check.h"
#include "core/engine/removal.h"
#include "core/engine/reset.h"
#include "core/engine/summary.h"
#include "fuzz_target.h"
#include "scoring_model.h"

namespace {

// Few values each, so that duplicates, exact removals and repeated districts
// are common; each table has the odd value the rules must survive.
const char* const kCalls[] = {"JA1AAA", "JA2BBB", "JA3CCC", "W1AW",
                              "DL1ABC", "ja1aaa", "",       "JA1AAA/1"};
const char* const kBands[] = {"160m", "80m", "40m", "20m", "15m", "10m",
                              "40m",  "30m", "6m",  "40M", ""};
const char* const kModes[] = {"CW", "CW", "CW", "cw", "SSB"};
const char* const kExchanges[] = {"AC", "TK", "YN", "tk",    " hd ", "ZZ", "123",  "1234",  "599",
                                  "",   " ",  "0",  "12345", "0599", "A",  "a\tc", "AC\r\n"};
const char* const kSentExchanges[] = {"TK", "TK", "", "5\n9"};
const char* const kPrefixes[] = {"JA", "JA", "DL", "IT9", "IG9", "I", "ja", ""};
const char* const kContinents[] = {"AS", "EU", "NA", "OC", "SA", "AF", "", "as"};
const char* const kOwnCalls[] = {"JA1ZZZ", "DL1ZZZ", "", "JA1\r\nZZZ"};
const uint32_t kFrequencies[] = {7012999, 7015000, 14025000, 0};

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), left_(size) {}
  bool Done() const { return left_ == 0; }
  uint8_t Next() {
    if (left_ == 0)
      return 0;
    --left_;
    return *data_++;
  }
  template <typename T, size_t N>
  T Pick(T const (&table)[N]) {
    return table[Next() % N];
  }
  OleDateTime Time() {
    switch (Next() % 3) {
      case 0:
        return MakeOleDateTime(2016, 6, 9, 7, 5);
      case 1:
        return MakeOleDateTime(2016, 6, 10, 23, 59);
      default:
        return OleDateTime{0, OleDateTime::kInvalid, 0};
    }
  }

 private:
  const uint8_t* data_;
  size_t left_;
};

QsoInput ReadQso(Input& in) {
  QsoInput q;
  q.OwnCall = in.Pick(kOwnCalls);
  q.Call = in.Pick(kCalls);
  q.Time = in.Time();
  q.FrequencyHz = in.Pick(kFrequencies);
  q.Mode = in.Pick(kModes);
  q.RstSent = "599";
  q.RstRcvd = "579";
  q.ExchSent = in.Pick(kSentExchanges);
  q.ExchRcvd = in.Pick(kExchanges);
  q.Prefix = in.Pick(kPrefixes);
  q.Continent = in.Pick(kContinents);
  q.Band = in.Pick(kBands);
  return q;
}

bool SameRecord(const QsoRecord& a, const QsoRecord& b) {
  return a.Call == b.Call && a.Prefix == b.Prefix && a.Continent == b.Continent &&
         a.Band == b.Band && a.Mode == b.Mode && a.RstRcvd == b.RstRcvd && a.RstSent == b.RstSent &&
         a.ExchRcvd == b.ExchRcvd && a.ExchSent == b.ExchSent && a.District == b.District &&
         a.FreqKhz == b.FreqKhz && a.Excluded == b.Excluded && a.Time.State == b.Time.State &&
         std::memcmp(&a.Time.Date, &b.Time.Date, 8) == 0;
}

void ExpectSameStore(const ContestState& state, const ScoringModel& model) {
  FuzzExpect(state.Log.Count() == model.Records.size(), "as many records as the model");
  for (size_t i = 0; i < model.Records.size(); ++i)
    FuzzExpect(SameRecord(state.Log.At(i), model.Records[i]), "each record as the model's");
  FuzzExpect(state.LogBands == model.LogBands, "band list as the model's");
  for (int b = 0; b < kBandCount; ++b) {
    FuzzExpect(state.DistrictsByBand[b] == model.DistrictsByBand[b],
               "district lists as the model's");
    FuzzExpect(state.ContinentsByBand[b] == model.ContinentsByBand[b],
               "continent lists as the model's");
  }
}

void ExpectSameWorkedBefore(const ContestState& state, const ScoringModel& model,
                            const std::string& call) {
  PerBandLists grid;
  ResetWorkedBeforeRows(grid);
  FillWorkedBeforeRows(grid, state.Log, call);
  std::array<ScoringModel::Texts, 6> rows = model.WorkedBefore(call);
  for (int b = 0; b < kBandCount; ++b) {
    ScoringModel::Texts expected = {kDkzRules.Bands[b].Text, "   -", "   -", " -"};
    if (!rows[b].empty())
      expected = {kDkzRules.Bands[b].Text, rows[b][0], rows[b][1], rows[b][2]};
    FuzzExpect(grid[b] == expected, "worked-before rows as the model's");
  }
}

// One state for every input, as the plug-in keeps one for its whole life:
// each input starts from a fresh state whose store keeps the blocks (and the
// old records in them) of the inputs before. Also spares allocating a block of
// a thousand records per input.
ContestState& FreshState() {
  static ContestState state;
  QsoLog store = std::move(state.Log);
  store.Clear();
  state = ContestState();
  state.Log = std::move(store);
  return state;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  ContestState& state = FreshState();
  ScoringModel model;
  MemorySettings settings;
  while (!in.Done()) {
    switch (in.Next() % 6) {
      case 0: {
        ResetInput reset;
        reset.OwnCall = in.Pick(kOwnCalls);
        reset.OwnPrefix = in.Pick(kPrefixes);
        reset.PeriodStart = MakeOleDateTime(2016, 6, 10, 0, 0);
        reset.PeriodEnd = in.Time();
        ResetPass(state, settings, reset);
        model.Reset(reset);
        break;
      }
      case 1: {
        QsoInput qso = ReadQso(in);
        std::string lines, modelLines;
        FuzzExpect(AcceptQso(state, qso, lines) == model.Add(qso, modelLines),
                   "acceptance's result as the model's");
        FuzzExpect(lines == modelLines, "err.txt lines as the model's");
        break;
      }
      case 2: {
        QsoInput qso = ReadQso(in);
        FuzzExpect(RemoveQso(state, qso) == model.Remove(qso), "removal's result as the model's");
        break;
      }
      case 3: {
        CallCheckInput check;
        check.Call = in.Pick(kCalls);
        check.Mode = in.Pick(kModes);
        check.Continent = in.Pick(kContinents);
        check.Band = in.Pick(kBands);
        FuzzExpect(CheckCall(state, check) == model.CheckCall(check),
                   "call check's result as the model's");
        ExpectSameWorkedBefore(state, model, check.Call);
        break;
      }
      case 4: {
        std::string exchange = in.Pick(kExchanges);
        std::string prefix = in.Pick(kPrefixes);
        FuzzExpect(kDkzRules.IsValidExchange(exchange, prefix) ==
                       ScoringModel::IsValidExchange(exchange, prefix),
                   "exchange check as the model's");
        break;
      }
      default:
        BuildSummary(state);
        model.Summary();
        FuzzExpect(state.SummaryText == model.SummaryText, "summary text as the model's");
        FuzzExpect(state.ClaimedScore == model.ClaimedScore, "score as the model's");
        break;
    }
    ExpectSameStore(state, model);
  }
  return 0;
}
