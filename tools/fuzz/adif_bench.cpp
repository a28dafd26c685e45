// Times the ADIF reader on 50 MB of hostile text of several kinds and prints
// the figures: reading must stay linear in the file size whatever the content.
#include <chrono>
#include <cstdio>
#include <string>

#include "logs/adif_reader.h"
#include "logs/log_qso.h"

namespace {

struct Pattern {
  const char* Name;
  std::string Unit;  // repeated to fill the file
};

std::string Repeat(const std::string& unit, size_t size) {
  std::string text;
  text.reserve(size + unit.size());
  while (text.size() < size)
    text += unit;
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  size_t megabytes = argc > 1 ? std::stoul(argv[1]) : 50;
  const Pattern patterns[] = {
      {"only '<'", "<"},
      {"unclosed tags", "<CALL:5:"},
      {"lengths past the end", "<CALL:99999>"},
      {"long names", "<CALLCALLCALLCALLCALLCALLCALLCALL"},
      {"distinct fields, no <EOR>", ""},  // filled below
      {"lines of '<'", "<\n"},
      {"small records", "<CALL:3>W1A<MODE:2>CW<EOR>\n"},
  };
  std::printf("%-28s %8s %9s %9s %9s\n", "input", "MB", "seconds", "records", "problems");
  for (const Pattern& pattern : patterns) {
    std::string text;
    if (pattern.Unit.empty()) {
      for (size_t i = 0; text.size() < megabytes << 20; ++i)
        text += "<F" + std::to_string(i) + ":1>x";
    } else {
      text = Repeat(pattern.Unit, megabytes << 20);
    }
    auto start = std::chrono::steady_clock::now();
    size_t records = 0, problems = 0;
    try {
      AdifFile file = ParseAdi(text, "bench.adi");
      records = file.Records.size();
      problems = file.Problems.size();
    } catch (const InputError&) {
      problems = 1;
    }
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%-28s %8.1f %9.2f %9zu %9zu\n", pattern.Name, text.size() / 1048576.0,
                took.count(), records, problems);
  }
  return 0;
}
