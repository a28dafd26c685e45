// What the check writes into its results folder, by file name: the published
// page, the tables, the files not checked, the sponsor's table, and each
// entrant's letter and page. Text only: `dkz-score check` and the log robot
// write the files, each in its own way.
#pragma once

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "check/check_run.h"
#include "check/checked_contest.h"
#include "check/sponsor_table.h"

// The page the sponsor publishes.
extern const char* const kResultsPageName;  // "results.html"

// The names the check writes whatever the logs, results.html among them.
std::vector<std::string> FixedOutputNames();

using Outputs = std::vector<std::pair<std::string, std::string>>;

// Lays out the check's outputs as the run goes: each entrant's letter and page
// as soon as it is done, the contest's outputs at the end.
class CheckOutputs : public CheckSink {
 public:
  // `taken`: names already in the results folder that no report may take.
  CheckOutputs(const SponsorTable& table, std::vector<std::string> taken)
      : table_(table), taken_(std::move(taken)) {}
  void Matched(CheckedContest& contest) override;
  void EntrantDone(const CheckedContest& contest, int entrant) override;
  void Finished(const CheckedContest& contest) override;

 protected:
  // Every output's name, once, before the first Write.
  virtual void Expect(const std::vector<std::string>&) {}
  // One output; calls never overlap.
  virtual void Write(const std::string& name, const std::string& text) = 0;

 private:
  void WriteAll(const Outputs& outputs);

  SponsorTable table_;
  std::vector<std::string> taken_;
  std::mutex writing_;
};

// The outputs kept in memory, in the order written: for tests and the log robot.
class OutputsInMemory : public CheckOutputs {
 public:
  using CheckOutputs::CheckOutputs;
  const std::string& Text(const std::string& name) const;  // throws std::out_of_range
  Outputs Files;

 protected:
  void Write(const std::string& name, const std::string& text) override {
    Files.emplace_back(name, text);
  }
};
