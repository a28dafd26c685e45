#include "robot/robot_json.h"

#include "core/base/json_text.h"
#include "robot/robot_text.h"

namespace {

class JsonObject {
 public:
  JsonObject& Add(const char* key, const std::string& json) {
    text_ += (text_.empty() ? "{" : ", ") + JsonString(key) + ": " + json;
    return *this;
  }
  JsonObject& Text(const char* key, const std::string& value) {
    return Add(key, JsonString(value));
  }
  JsonObject& Number(const char* key, int64_t value) { return Add(key, std::to_string(value)); }
  JsonObject& Number(const char* key, const std::optional<int64_t>& value) {
    return Add(key, value ? std::to_string(*value) : "null");
  }
  JsonObject& Flag(const char* key, bool value) { return Add(key, value ? "true" : "false"); }
  std::string Done() const { return text_.empty() ? "{}" : text_ + "}"; }

 private:
  std::string text_;
};

std::string Array(const std::vector<std::string>& items) {
  std::string text = "[";
  for (size_t i = 0; i < items.size(); ++i)
    text += (i ? ", " : "") + items[i];
  return text + "]";
}

std::string TextArray(const std::vector<std::string>& items) {
  std::vector<std::string> quoted;
  for (const std::string& item : items)
    quoted.push_back(JsonString(item));
  return Array(quoted);
}

std::string Deadline(const RobotSettings& settings) {
  return settings.Deadline ? JsonString(IsoUtc(*settings.Deadline)) : "null";
}

// A receipt with its warnings whole, or in a list of rows their count only;
// the resubmission key only on the uploader's own answer.
std::string ReceiptObject(const SubmissionRow& row, const RobotSettings& settings, bool whole,
                          const std::string& key = "") {
  JsonObject receipt;
  receipt.Number("id", row.Id)
      .Text("call", row.Call)
      .Text("received", IsoUtc(row.Received))
      .Add("deadline", Deadline(settings))
      .Flag("late", row.Late)
      .Text("sha256", row.Sha256)
      .Number("size", row.Size)
      .Text("file_name", row.FileName)
      .Text("format", row.Format)
      .Number("lines_read", row.LinesRead)
      .Number("lines_unreadable", row.LinesUnreadable)
      .Text("category", row.Category)
      .Text("category_text", row.CategoryText)
      .Number("claimed_score", row.ClaimedScore)
      .Number("computed_score", row.ComputedScore)
      .Add(whole ? "warnings" : "warning_count",
           whole ? TextArray(row.Warnings) : std::to_string(row.WarningCount))
      .Flag("counts", row.Counts())
      .Number("superseded_by",
              row.SupersededBy == 0 ? std::nullopt : std::optional<int64_t>(row.SupersededBy))
      .Flag("held", row.Held)
      .Add("held_why", row.HeldWhy.empty() ? "null" : JsonString(row.HeldWhy))
      .Add("accepted", row.Accepted == 0 ? "null" : JsonString(IsoUtc(row.Accepted)))
      .Text("receipt", "/receipts/" + std::to_string(row.Id))
      .Text("history", "/calls/" + row.Call);
  if (!key.empty())
    receipt.Text("resubmission_key", key);
  return receipt.Done();
}

}  // namespace

std::string ReceiptJson(const SubmissionRow& row, const RobotSettings& settings,
                        const std::string& key) {
  return ReceiptObject(row, settings, true, key);
}

std::string RefusalJson(const LogVerdict& verdict) {
  return JsonObject()
      .Flag("refused", true)
      .Add("reasons", TextArray(verdict.Reasons))
      .Add("warnings", TextArray(verdict.Warnings))
      .Done();
}

std::string ErrorJson(const std::string& message) {
  return JsonObject().Text("error", message).Done();
}

std::string LogsJson(const std::vector<SubmissionRow>& current,
                     const std::vector<MissingCall>& missing, const RobotSettings& settings) {
  std::vector<std::string> logs;
  for (const SubmissionRow& row : current) {
    logs.push_back(JsonObject()
                       .Number("id", row.Id)
                       .Text("call", row.Call)
                       .Text("category", row.Category)
                       .Text("category_text", row.CategoryText)
                       .Text("received", IsoUtc(row.Received))
                       .Flag("late", row.Late)
                       .Done());
  }
  std::vector<std::string> absent;
  for (const MissingCall& call : missing)
    absent.push_back(JsonObject().Text("call", call.Call).Number("logs", call.Logs).Done());
  return JsonObject()
      .Add("deadline", Deadline(settings))
      .Add("logs", Array(logs))
      .Number("missing_after", settings.MissingAfter)
      .Add("missing", Array(absent))
      .Done();
}

std::string CheckRunJson(const RobotCheckRun& run) {
  return JsonObject()
      .Number("ranked", run.Ranked)
      .Number("not_checked", run.NotChecked)
      .Add("left_out", TextArray(run.LeftOut))
      .Text("period", run.Period)
      .Text("results", "/results/")
      .Done();
}

std::string HistoryJson(const std::string& call, const std::vector<SubmissionRow>& rows,
                        const RobotSettings& settings) {
  std::vector<std::string> receipts;
  for (const SubmissionRow& row : rows)
    receipts.push_back(ReceiptObject(row, settings, false));
  return JsonObject().Text("call", call).Add("submissions", Array(receipts)).Done();
}
