// Writes the check's outputs into its results folder as the run goes, and
// shows the run's progress on a terminal.
#pragma once

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

#include "check/check_outputs.h"

class ResultsWriter : public CheckOutputs {
 public:
  // `ownNames`: what the command itself keeps in the folder (recorded as made
  // there too); `progress`: where the progress line goes, or null for none.
  ResultsWriter(const std::string& folder, const SponsorTable& table,
                std::vector<std::string> ownNames, std::ostream* progress);
  void Progress(const CheckProgress& progress) override;
  void Finished(const CheckedContest& contest) override;
  // "cannot write NAME: why", for each output that could not be written.
  const std::vector<std::string>& Unwritten() const { return unwritten_; }

 protected:
  void Expect(const std::vector<std::string>& names) override;
  void Write(const std::string& name, const std::string& text) override;

 private:
  std::string folder_;
  std::vector<std::string> ownNames_;
  std::vector<std::string> unwritten_;
  std::ostream* progress_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point shown_{};
};

// "812 of 10,000 logs read, 0 scored, 0 checked; about 2 min 10 s left".
std::string ProgressText(const CheckProgress& progress, double secondsSoFar);
