#include "logs/adif_log.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "core/base/text.h"
#include "logs/adif_reader.h"
#include "logs/band_plan.h"
#include "logs/log_values.h"

namespace {

std::string Where(int number, int line) {
  return "record " + std::to_string(number) + " (line " + std::to_string(line) + ")";
}

// The first of the named fields that is present and not blank, trimmed.
std::string FirstOf(const AdifRecord& record, const char* name, const char* fallback = nullptr) {
  const std::string* value = record.Find(name);
  if ((value == nullptr || Trim(*value).empty()) && fallback != nullptr)
    value = record.Find(fallback);
  return value == nullptr ? "" : Trim(*value);
}

// Where a record keeps an exchange, in the order tried: the ADIF contest
// fields (the text, then the serial number), then the fields that contest
// loggers write instead (sources in docs/operator-guide.md). ADIF's other contest fields
// (CQZ, STATE, ARRL_SECT, CLASS, ...) hold other contests' exchanges and
// are not read: a district is none of them.
struct ExchangeField {
  const char* Name;
  bool Standard;
};
const ExchangeField kReceivedFields[] = {
    {"SRX_STRING", true}, {"SRX", true}, {"APP_N1MM_EXCHANGE1", false}, {"APP_DXLOG_RCVD", false}};

// The received exchange from the first of those fields that the record
// fills; `from` names it.
std::string ReadReceivedExchange(const AdifRecord& record, const ExchangeField*& from) {
  for (const ExchangeField& field : kReceivedFields) {
    std::string value = FirstOf(record, field.Name);
    if (!value.empty()) {
      from = &field;
      return value;
    }
  }
  return "";
}

// One line per logger's field that some received exchanges came from.
std::vector<std::string> FieldsUsedNotes(const std::map<std::string, int>& tally,
                                         const std::string& fileName) {
  std::vector<std::string> notes;
  for (const auto& entry : tally) {
    notes.push_back(fileName + ": the received exchange of " + std::to_string(entry.second) +
                    (entry.second == 1 ? " QSO" : " QSOs") + " was read from " + entry.first +
                    ", a contest logger's own field, as SRX_STRING and SRX were empty");
  }
  return notes;
}

// Empty when the record maps; otherwise why not. `receivedFrom` names the
// field the received exchange was read from, if any.
std::string MapRecord(const AdifRecord& record, LogQso& qso, const ExchangeField*& receivedFrom) {
  qso.Call = ToUpper(FirstOf(record, "CALL"));
  if (qso.Call.empty())
    return "no CALL";
  std::string date = FirstOf(record, "QSO_DATE"), time = FirstOf(record, "TIME_ON");
  CalendarTime when{};
  if (!ParseCompactDate(date, when))
    return "QSO_DATE " + Quoted(date) + " is not a date YYYYMMDD";
  if (!ParseTimeOfDay(time, when))
    return "TIME_ON " + Quoted(time) + " is not a time HHMM or HHMMSS";
  qso.Time = MakeOleDateTime(when);
  std::string freq = FirstOf(record, "FREQ");
  if (!freq.empty() && !ParseMegahertz(freq, qso.FrequencyHz))
    return "FREQ " + Quoted(freq) + " is not a frequency in MHz";
  qso.Band = ToLower(FirstOf(record, "BAND"));
  if (qso.Band.empty()) {
    if (freq.empty())
      return "neither FREQ nor BAND";
    qso.Band = BandOfFrequency(qso.FrequencyHz);
    if (qso.Band.empty())
      return "FREQ " + Clipped(freq, 40) + " MHz lies in no amateur band";
  } else if (BandLowerEdge(qso.Band) == 0) {
    return "BAND " + Quoted(qso.Band) + " is not an amateur band";
  } else if (freq.empty()) {
    qso.FrequencyHz = BandLowerEdge(qso.Band);  // as Cabrillo does for an unknown frequency
  }
  qso.Mode = ToUpper(FirstOf(record, "MODE"));
  if (qso.Mode.empty())
    return "no MODE";
  qso.RstSent = FirstOf(record, "RST_SENT");
  qso.RstRcvd = FirstOf(record, "RST_RCVD");
  qso.ExchSent = FirstOf(record, "STX_STRING", "STX");
  qso.ExchRcvd = ReadReceivedExchange(record, receivedFrom);
  qso.OwnCall = ToUpper(FirstOf(record, "STATION_CALLSIGN", "OPERATOR"));
  return ControlCharacterFault(qso);
}

}  // namespace

LogContents ReadAdifLog(const std::string& text, const std::string& fileName) {
  AdifFile file = ParseAdi(text, fileName);
  LogContents log;
  log.Format = "ADIF";
  std::vector<std::pair<int, std::string>> skipped;  // by record number, to report in file order
  for (const AdifProblem& problem : file.Problems)
    skipped.push_back(
        {problem.Number, Where(problem.Number, problem.Line) + ": " + problem.Message});
  std::map<std::string, int> loggerFields;  // QSOs whose exchange came from each
  for (const AdifRecord& record : file.Records) {
    LogQso qso;
    qso.Where = Where(record.Number, record.Line);
    qso.Line = record.Line;
    const ExchangeField* receivedFrom = nullptr;
    std::string fault = MapRecord(record, qso, receivedFrom);
    if (log.Contest.empty())
      log.Contest = PrintableText(FirstOf(record, "CONTEST_ID"));
    if (fault.empty()) {
      log.Qsos.push_back(std::move(qso));
      if (receivedFrom != nullptr && !receivedFrom->Standard)
        ++loggerFields[receivedFrom->Name];
    } else {
      skipped.push_back({record.Number, qso.Where + ": " + fault});
    }
  }
  std::stable_sort(skipped.begin(), skipped.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& entry : skipped)
    log.Skipped.Add(fileName + ": " + entry.second);
  log.Notes = FieldsUsedNotes(loggerFields, fileName);
  return log;
}
