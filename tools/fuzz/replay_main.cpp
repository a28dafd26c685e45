// Runs every file of the given corpus folders through a fuzz target once, as
// the unit tests do, so that an input that once broke a reader never breaks
// it again; no new inputs are tried.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_target.h"

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    std::vector<fs::path> files;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(argv[i], error)) {
      if (entry.is_regular_file() && entry.path().filename() != "README.md")
        files.push_back(entry.path());
    }
    if (error) {
      std::cerr << argv[i] << ": " << error.message() << "\n";
      return 1;
    }
    for (const fs::path& file : files) {
      std::ifstream in(file, std::ios::binary);
      std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      if (!in.good() && !in.eof()) {
        std::cerr << file << ": cannot be read\n";
        return 1;
      }
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      ++replayed;
    }
  }
  if (replayed == 0) {
    std::cerr << "no corpus files replayed\n";
    return 1;
  }
  std::cout << replayed << " corpus files replayed\n";
  return 0;
}
