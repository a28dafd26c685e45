#include "check/check_outputs.h"

#include <stdexcept>

#include "check/check_run.h"
#include "check/check_tables.h"
#include "check/entrant_letter.h"
#include "check/entrant_page.h"
#include "check/results_page.h"

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

namespace {

Outputs EntrantOutputs(const CheckedContest& contest, int e) {
  const std::string& name = contest.Entrants[e].LetterName;
  return {{name + ".txt", EntrantLetter(contest, e)}, {name + ".html", EntrantPage(contest, e)}};
}

Outputs ContestOutputs(const CheckedContest& contest, const SponsorTable& table) {
  return {
      {kResultsCsv, ResultsCsv(contest)},
      {kEntrantsCsv, EntrantsCsv(contest)},
      {kFindingsCsv, FindingsCsv(contest)},
      {kReceivedCsv, ReceivedCsv(contest)},
      {kNoLogCsv, StationsWithoutLogCsv(contest)},
      {kRejectedText, RejectedText(contest)},
      {kTableText, table.Text()},
      {kResultsPageName, ResultsPage(contest)},
  };
}

}  // namespace

void CheckOutputs::Matched(CheckedContest& contest) {
  // A letter may take none of these names, whatever its extension.
  std::vector<std::string> bases;
  for (const std::string& name : FixedOutputNames())
    bases.push_back(Base(name));
  for (const std::string& name : taken_)
    bases.push_back(Base(name));
  NameLetters(contest.Entrants, bases);
  std::vector<std::string> names = FixedOutputNames();
  for (const Entrant& entrant : contest.Entrants) {
    names.push_back(entrant.LetterName + ".txt");
    names.push_back(entrant.LetterName + ".html");
  }
  Expect(names);
}

void CheckOutputs::EntrantDone(const CheckedContest& contest, int entrant) {
  WriteAll(EntrantOutputs(contest, entrant));  // laid out by the lane, written one at a time
}

void CheckOutputs::Finished(const CheckedContest& contest) {
  WriteAll(ContestOutputs(contest, table_));
}

void CheckOutputs::WriteAll(const Outputs& outputs) {
  std::lock_guard<std::mutex> hold(writing_);
  for (const auto& [name, text] : outputs)
    Write(name, text);
}

const std::string& OutputsInMemory::Text(const std::string& name) const {
  for (const auto& file : Files) {
    if (file.first == name)
      return file.second;
  }
  throw std::out_of_range("no output named " + name);
}
