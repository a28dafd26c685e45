// adif_dump FILE: prints the records of an ADIF file as our reader sees them,
// as JSON (an array of objects with lower-case field names), to compare with
// an independent reader. Records it cannot read are named on stderr.
#include <cstdio>
#include <exception>

#include "logs/adif_reader.h"
#include "logs/log_file.h"
#include "logs/log_values.h"

namespace {

void PrintJsonText(const std::string& text) {
  std::putchar('"');
  for (unsigned char c : text) {
    if (c == '"' || c == '\\')
      std::printf("\\%c", c);
    else if (c < 0x20 || c >= 0x7f)
      std::printf("\\u%04x", c);  // each byte as its Latin-1 character
    else
      std::putchar(c);
  }
  std::putchar('"');
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: adif_dump FILE\n");
    return 2;
  }
  try {
    AdifFile file = ParseAdi(ReadTextFile(argv[1], argv[1]), argv[1]);
    for (const AdifProblem& problem : file.Problems)
      std::fprintf(stderr, "record %d (line %d): %s\n", problem.Number, problem.Line,
                   problem.Message.c_str());
    std::putchar('[');
    for (size_t r = 0; r < file.Records.size(); ++r) {
      std::printf(r == 0 ? "{" : ",{");
      const auto& fields = file.Records[r].Fields;
      for (size_t f = 0; f < fields.size(); ++f) {
        if (f > 0)
          std::putchar(',');
        PrintJsonText(ToLower(fields[f].Name));
        std::putchar(':');
        PrintJsonText(fields[f].Value);
      }
      std::putchar('}');
    }
    std::printf("]\n");
    return file.Problems.empty() ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "adif_dump: %s\n", e.what());
    return 1;
  }
}
