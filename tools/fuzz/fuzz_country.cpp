// A country file and calls to look up in it: the text up to a line "%%" is
// the cty.dat file, each line after it a call.
#include <sstream>
#include <string>

#include "fuzz_target.h"
#include "logs/country_file.h"
#include "logs/log_qso.h"
#include "logs/portable_call.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  size_t split = input.find("\n%%\n");
  std::string cty = input.substr(0, split);
  std::istringstream calls(split == std::string::npos ? "" : input.substr(split + 4));
  try {
    CountryFile file = CountryFile::Parse(cty, "fuzz.dat");
    for (std::string call; std::getline(calls, call);) {
      ParsePortableCall(call);
      CountryMatch match, lower;
      bool found = file.Find(call, match);
      if (found)
        FuzzExpect(!match.Name.empty() && !match.Continent.empty(),
                   "a match names its entity and continent");
      std::string lowerCall = call;
      for (char& c : lowerCall)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
      FuzzExpect(file.Find(lowerCall, lower) == found &&
                     (!found || (lower.Name == match.Name && lower.Continent == match.Continent)),
                 "calls are looked up in any case");
    }
  } catch (const InputError&) {
  }
  return 0;
}
