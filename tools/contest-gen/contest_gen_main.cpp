// dkz-contest-gen: writes a generated contest (Cabrillo logs and the truth of
// its faults) for trying out the cross-check, or times the check (--bench).
#include <cstdlib>
#include <iostream>
#include <string>

#include "contest_bench.h"
#include "contest_folder.h"
#include "submission_variants.h"

namespace {

const char kUsage[] =
    "usage: dkz-contest-gen --out FOLDER [--truth FILE] [--seed N] [--stations N] [--qsos N]\n"
    "                       [--variants]\n"
    "       dkz-contest-gen --bench [--seed N] [--qsos N]\n"
    "Writes one Cabrillo log per station that sent one into FOLDER (which must not exist)\n"
    "and the faults put in, with what a cross-check must find, to FILE (FOLDER-truth.csv).\n"
    "--variants writes some logs as entrants really send them (colon times, MHz, phone QSOs,\n"
    "another contest, a checklog, earlier submissions, late QSOs, unreadable lines) and\n"
    "lists which.\n";

bool ReadNumber(const std::string& text, long& value) {
  char* end = nullptr;
  value = std::strtol(text.c_str(), &end, 10);
  return !text.empty() && *end == '\0' && value > 0 && value < 1000000;
}

}  // namespace

int main(int argc, char** argv) {
  WorldOptions options;
  std::string folder, truth;
  bool bench = false;
  bool variants = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    long number = 0;
    bool hasValue = i + 1 < argc;
    if (arg == "--bench") {
      bench = true;
    } else if (arg == "--variants") {
      variants = true;
    } else if (arg == "--out" && hasValue) {
      folder = argv[++i];
    } else if (arg == "--truth" && hasValue) {
      truth = argv[++i];
    } else if ((arg == "--seed" || arg == "--stations" || arg == "--qsos") && hasValue &&
               ReadNumber(argv[i + 1], number)) {
      ++i;
      if (arg == "--seed")
        options.Seed = static_cast<uint32_t>(number);
      else if (arg == "--stations")
        options.Stations = static_cast<int>(number);
      else
        options.MeanQsos = static_cast<int>(number);
    } else {
      std::cerr << "dkz-contest-gen: cannot use '" << arg << "'\n" << kUsage;
      return 2;
    }
  }
  if (bench) {
    if (options.MeanQsos == WorldOptions().MeanQsos)
      options.MeanQsos = 318;  // what stations aim at; about 300 a log come about
    return RunCheckBench(options, std::cout) ? 0 : 1;
  }
  if (folder.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  if (truth.empty())
    truth = folder + "-truth.csv";
  try {
    GeneratedContest contest = GenerateContest(options);
    if (variants) {
      WriteGeneratedFile(truth, TruthCsv(contest.Truth));
      for (const SubmissionVariant& v : WriteSubmissionVariants(contest, folder))
        std::cout << v.Kind << ' ' << v.File << ' ' << v.Lines << '\n';
    } else {
      WriteContest(contest, folder, truth);
    }
    std::cout << contest.Logs.size() << " logs written to " << folder << ", truth to " << truth
              << '\n';
  } catch (const WriteError& error) {
    std::cerr << "dkz-contest-gen: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
