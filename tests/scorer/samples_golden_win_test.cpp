// The bundled samples through the real Stats.dll: the printout, err.txt and
// the Cabrillo log must match the golden files beside the samples.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cabrillo_check.h"
#include "core/base/json_text.h"
#include "dkz_version.h"
#include "driver/plugin_host.h"
#include "scorer/score_command.h"
#include "scorer/score_json.h"
#include "scorer/score_printout.h"

namespace {

// A full path, resolved while the current folder is still the one ctest gave us.
std::string SourcePath(const std::string& relative) {
  std::string path = std::string(DKZ_SOURCE_DIR) + "/" + relative;
  char full[MAX_PATH * 4];
  DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return length > 0 && length < sizeof full ? std::string(full, length) : path;
}

std::string WithoutCarriageReturns(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

// The number on the summary's "Score" line; -1 when there is none.
long SummaryScore(const std::string& summary) {
  size_t at = summary.find("\nScore\t");
  return at == std::string::npos ? -1 : std::strtol(summary.c_str() + at + 7, nullptr, 10);
}

struct Golden {
  const char* Log;
  const char* Printout;
  const char* Errors;
  const char* Cabrillo = nullptr;  // with it, the run writes the Cabrillo log too
};

void PrintTo(const Golden& golden, std::ostream* out) {
  *out << golden.Log << (golden.Cabrillo != nullptr ? " --cabrillo" : "");
}

class SamplesGolden : public testing::TestWithParam<Golden> {};

TEST_P(SamplesGolden, MatchTheGoldenFiles) {
  const Golden& golden = GetParam();
  ScoreCommand command;
  command.LogPath = SourcePath(golden.Log);
  command.Replay.CabrilloRequest = golden.Cabrillo != nullptr ? 1 : 0;
  std::string printout = ReadWholeFile(SourcePath(golden.Printout));
  std::string errors = ReadWholeFile(SourcePath(golden.Errors));
  std::string cabrillo =
      golden.Cabrillo != nullptr ? ReadWholeFile(SourcePath(golden.Cabrillo)) : "";
  ScratchFolder folder;  // makes itself the current folder
  command.WorkFolder = folder.Path();
  std::ostringstream notes;
  ScoreRun run = RunScore(command, notes);
  run.Outcome.LogName = golden.Log;
  if (golden.Cabrillo != nullptr) {  // the file's QSO lines are counted last
    size_t lines = 0;
    for (size_t at = cabrillo.find("\nQSO:"); at != std::string::npos;
         at = cabrillo.find("\nQSO:", at + 1))
      ++lines;
    printout += "JA1VZT.cbr: " + std::to_string(lines) + " QSO lines\n";
  }
  EXPECT_EQ(FormatPrintout(run.Outcome), printout);
  EXPECT_EQ(WithoutCarriageReturns(ReadWholeFile(folder.Path() + "\\err.txt")), errors);
  EXPECT_TRUE(FileExists(folder.Path() + "\\Plugins\\DKZ.ini"));
  if (golden.Cabrillo == nullptr) {
    EXPECT_FALSE(run.Cabrillo.has_value());
    return;
  }
  ASSERT_TRUE(run.Cabrillo.has_value());
  ASSERT_TRUE(run.Cabrillo->Written) << run.Cabrillo->Message;
  std::string produced = ReadWholeFile(folder.Path() + "\\" + run.Cabrillo->FileName);
  EXPECT_TRUE(produced == cabrillo) << "differs from " << golden.Cabrillo;
  for (const std::string& problem : CabrilloProblems(produced))
    ADD_FAILURE() << problem;
  EXPECT_NE(produced.find(
                "\r\nCLAIMED-SCORE: " + std::to_string(SummaryScore(run.Outcome.Summary)) + "\r\n"),
            std::string::npos);
}

// The JSON holds the golden summary's numbers under the summary's own column
// names, and a record for each line of the golden err.txt.
TEST(SamplesGolden, JsonCarriesTheGoldenSummaryAndProblems) {
  ScoreCommand command;
  command.LogPath = SourcePath("samples/ja1vzt.adi");
  std::string report = ReadWholeFile(SourcePath("samples/expected/ja1vzt.adi.txt"));
  std::string errors = ReadWholeFile(SourcePath("samples/expected/ja1vzt.err.txt"));
  ScratchFolder folder;
  command.WorkFolder = folder.Path();
  std::ostringstream notes;
  std::string json = FormatJson(RunScore(command, notes).Outcome);

  std::istringstream lines(report);
  std::vector<std::string> columns;
  int rows = 0;
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> cells;
    std::istringstream split(line);
    for (std::string cell; std::getline(split, cell, '\t');)
      cells.push_back(cell);
    if (cells.size() > 2 && cells[0].empty()) {
      for (size_t i = 1; i < cells.size(); ++i)
        columns.push_back(WithoutCarriageReturns(cells[i]));
      for (std::string& c : columns)
        std::transform(c.begin(), c.end(), c.begin(),
                       [](unsigned char x) { return std::tolower(x); });
    } else if (cells.size() == columns.size() + 1 && !columns.empty()) {
      std::string row = cells[0] == "Total" ? "\"total\": {" : "{\"band\": \"" + cells[0] + "\", ";
      for (size_t i = 0; i < columns.size(); ++i)
        row += (i == 0 ? "\"" : ", \"") + columns[i] +
               "\": " + std::to_string(std::stol(cells[i + 1]));
      EXPECT_NE(json.find(row + "}"), std::string::npos) << row;
      ++rows;
    }
  }
  EXPECT_EQ(rows, 7);  // six bands and the total
  EXPECT_NE(json.find("\"score\": " + std::to_string(SummaryScore(report))), std::string::npos);
  EXPECT_NE(json.find("\"stored\": 316, \"refused\": 2, \"refused_band\": 1, \"refused_mode\": 1"),
            std::string::npos);
  EXPECT_NE(json.find("\"version\": \"" DKZ_VERSION_TEXT "\""), std::string::npos);
  EXPECT_NE(json.find("\"dll_version\": \"" DKZ_VERSION_TEXT ".0\""), std::string::npos);
  // Each err.txt line after the header, in order, as a record's "line".
  std::istringstream errorLines(errors);
  std::string line;
  std::getline(errorLines, line);
  size_t at = 0;
  while (std::getline(errorLines, line)) {
    at = json.find("\"line\": " + JsonString(line) + "}", at);
    ASSERT_NE(at, std::string::npos) << line;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Bundled, SamplesGolden,
    testing::Values(Golden{"samples/ja1vzt.adi", "samples/expected/ja1vzt.adi.txt",
                           "samples/expected/ja1vzt.err.txt"},
                    Golden{"samples/dl4mcf.cbr", "samples/expected/dl4mcf.cbr.txt",
                           "samples/expected/dl4mcf.err.txt"},
                    Golden{"samples/dl4mcf.adi", "samples/expected/dl4mcf.adi.txt",
                           "samples/expected/dl4mcf.err.txt"},
                    Golden{"samples/ja1vzt.adi", "samples/expected/ja1vzt.adi.txt",
                           "samples/expected/ja1vzt.err.txt", "samples/expected/ja1vzt.adi.cbr"}),
    [](const testing::TestParamInfo<Golden>& info) {
      std::string name = info.param.Log + 8;  // without "samples/"
      if (info.param.Cabrillo != nullptr)
        name += "_cabrillo";
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
          c = '_';
      }
      return name;
    });

}  // namespace
