#include "check_outputs.h"

#include "check_run.h"
#include "check_tables.h"
#include "entrant_letter.h"
#include "entrant_page.h"
#include "results_page.h"

const char* const kResultsPageName = "results.html";

namespace {

const char* const kResultsCsv = "results.csv";
const char* const kEntrantsCsv = "entrants.csv";
const char* const kFindingsCsv = "findings.csv";
const char* const kReceivedCsv = "received.csv";
const char* const kNoLogCsv = "stations-without-log.csv";
const char* const kRejectedText = "rejected.txt";
const char* const kTableText = "sponsor-table.txt";

std::string Base(const std::string& name) {
  return name.substr(0, name.find('.'));
}

}  // namespace

std::vector<std::string> FixedOutputNames() {
  return {kResultsCsv, kEntrantsCsv,  kFindingsCsv, kReceivedCsv,
          kNoLogCsv,   kRejectedText, kTableText,   kResultsPageName};
}

std::vector<std::pair<std::string, std::string>> CheckOutputs(
    CheckedContest& contest, const SponsorTable& table, const std::vector<std::string>& taken) {
  // A letter may take none of these names, whatever its extension.
  std::vector<std::string> bases;
  for (const std::string& name : FixedOutputNames())
    bases.push_back(Base(name));
  for (const std::string& name : taken)
    bases.push_back(Base(name));
  NameLetters(contest.Entrants, bases);
  std::vector<std::pair<std::string, std::string>> outputs = {
      {kResultsCsv, ResultsCsv(contest)},
      {kEntrantsCsv, EntrantsCsv(contest)},
      {kFindingsCsv, FindingsCsv(contest)},
      {kReceivedCsv, ReceivedCsv(contest)},
      {kNoLogCsv, StationsWithoutLogCsv(contest)},
      {kRejectedText, RejectedText(contest)},
      {kTableText, table.Text()},
      {kResultsPageName, ResultsPage(contest)},
  };
  for (size_t e = 0; e < contest.Entrants.size(); ++e) {
    const std::string& name = contest.Entrants[e].LetterName;
    outputs.push_back({name + ".txt", EntrantLetter(contest, static_cast<int>(e))});
    outputs.push_back({name + ".html", EntrantPage(contest, static_cast<int>(e))});
  }
  return outputs;
}
