#include "scorer/score_json.h"

#include <cstdio>
#include <vector>

#include "core/base/json_text.h"
#include "dkz_version.h"
#include "report_page/summary_table.h"

namespace {

std::string List(const std::vector<std::string>& texts) {
  std::string out;
  for (const std::string& text : texts)
    out += (out.empty() ? "" : ", ") + JsonString(text);
  return "[" + out + "]";
}

std::string Field(const std::string& key, const std::string& value) {
  return JsonString(key) + ": " + value;
}

std::string Number(long long n) {
  return std::to_string(n);
}

std::string Object(const std::vector<std::string>& fields) {
  std::string out = "{";
  for (size_t i = 0; i < fields.size(); ++i)
    out += (i == 0 ? "" : ", ") + fields[i];
  return out + "}";
}

// One row of the summary under the column names.
std::string Row(const SummaryRow& row, const std::vector<std::string>& columns, bool withBand) {
  std::vector<std::string> fields;
  if (withBand)
    fields.push_back(Field("band", JsonString(row.Band)));
  for (size_t i = 0; i < row.Values.size(); ++i)
    fields.push_back(Field(columns[i], Number(row.Values[i])));
  return Object(fields);
}

std::string Summary(const std::string& text) {
  if (text.empty())
    return "null";
  const SummaryTable table = ParseSummaryTable(text);
  std::string columnList, bandList;
  for (const std::string& c : table.Columns)
    columnList += (columnList.empty() ? "" : ", ") + JsonString(c);
  for (const SummaryRow& band : table.Bands)
    bandList += (bandList.empty() ? "\n      " : ",\n      ") + Row(band, table.Columns, true);
  std::string total = table.Total ? Row(*table.Total, table.Columns, false) : "null";
  std::string score = table.Score ? Number(*table.Score) : "null";
  return "{\n    " + Field("title", JsonString(table.Title)) + ",\n    " +
         Field("contestant", JsonString(table.Contestant)) + ",\n    " +
         Field("columns", "[" + columnList + "]") + ",\n    " +
         Field("bands", "[" + bandList + "]") + ",\n    " + Field("total", total) + ",\n    " +
         Field("score", score) + "\n  }";
}

std::string Problem(const ScoreOutcome& o, const ErrorProblem& p) {
  const QsoInput& q = o.HandedOver[p.Qso];
  return Object(
      {Field("where", JsonString(o.Where[p.Qso])), Field("call", JsonString(q.Call)),
       Field("time", JsonString(FormatDateTime(q.Time, "%Y-%m-%d %H:%M"))),
       Field("freq_khz", Number(q.FrequencyHz / 1000)), Field("band", JsonString(q.Band)),
       Field("mode", JsonString(q.Mode)), Field("rst_sent", JsonString(q.RstSent)),
       Field("exch_sent", JsonString(q.ExchSent)), Field("rst_rcvd", JsonString(q.RstRcvd)),
       Field("exch_rcvd", JsonString(q.ExchRcvd)), Field("message", JsonString(p.Message)),
       Field("kind", JsonString(p.Note ? "note" : "problem")), Field("line", JsonString(p.Line))});
}

}  // namespace

std::string FormatJson(const ScoreOutcome& o) {
  const size_t replacedBefore = JsonReplacementCount();
  const RefusalCounts& by = o.RefusedBy;
  std::string problems;
  for (const ErrorProblem& p : o.Problems)
    problems += (problems.empty() ? "\n    " : ",\n    ") + Problem(o, p);
  std::string counts = Object(
      {Field("read", Number(static_cast<long long>(o.QsosRead))),
       Field("records_skipped", Number(static_cast<long long>(o.RecordsSkipped))),
       Field("outside_period", Number(static_cast<long long>(o.OutsidePeriod))),
       Field("handed_over", Number(static_cast<long long>(o.HandedOver.size()))),
       Field("stored", Number(o.Stored)), Field("refused", Number(o.Refused)),
       Field("refused_band", Number(by.Band)), Field("refused_mode", Number(by.Mode)),
       Field("refused_no_exchange", Number(by.NoExchange)),
       Field("refused_not_said", Number(by.NotSaid)),
       Field("problems", Number(static_cast<long long>(o.Problems.size()))),
       Field("cabrillo_qso_lines",
             o.CabrilloQsoLines ? Number(static_cast<long long>(*o.CabrilloQsoLines)) : "null")});
  std::vector<std::string> top = {
      Field("tool", JsonString("dkz-score")),
      Field("version", JsonString(DKZ_VERSION_TEXT)),
      Field("dll_version", JsonString(o.DllVersion)),
      Field("log", JsonString(o.LogName)),
      Field("format", JsonString(o.Format)),
      Field("own_call", JsonString(o.Reset.OwnCall)),
      Field("own_prefix", JsonString(o.Reset.OwnPrefix)),
      Field("country_file", JsonString(o.CountryFile)),
      Field("contest_named", JsonString(o.LogContest)),
      Field("warnings", List(RunWarnings(o))),
      Field("period",
            Object({Field("from", JsonString(FormatDateTime(o.Reset.PeriodStart, "%Y-%m-%d"))),
                    Field("to", JsonString(FormatDateTime(o.Reset.PeriodEnd, "%Y-%m-%d")))})),
      Field("counts", counts),
      Field("summary", Summary(o.Summary)),
      Field("err_txt_written", o.ErrorFileWritten ? "true" : "false"),
      Field("cabrillo_file", o.CabrilloQsoLines ? JsonString(o.CabrilloFile) : std::string("null")),
      Field("problems", "[" + problems + (problems.empty() ? "]" : "\n  ]")),
  };
  std::vector<std::string> notes;
  if (JsonReplacementCount() != replacedBefore) {
    notes.push_back(
        "text that was not valid UTF-8 is written with U+FFFD in place of each "
        "invalid sequence");
  }
  top.push_back(Field("notes", List(notes)));
  std::string out = "{";
  for (size_t i = 0; i < top.size(); ++i)
    out += (i == 0 ? "\n  " : ",\n  ") + top[i];
  return out + "\n}\n";
}

std::string FormatJsonError(const std::string& message) {
  return "{\n  " + Field("tool", JsonString("dkz-score")) + ",\n  " +
         Field("version", JsonString(DKZ_VERSION_TEXT)) + ",\n  " +
         Field("error", JsonString(message)) + "\n}\n";
}
