// A country file and calls to look up in it: the text up to a line "%%" is
// the cty.dat file, each line after it a call.
#include <sstream>
#include <string>

#include "country_file.h"
#include "fuzz_target.h"
#include "log_qso.h"
#include "portable_call.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  size_t split = input.find("\n%%\n");
  std::string cty = input.substr(0, split);
  std::istringstream calls(split == std::string::npos ? "" : input.substr(split + 4));
  try {
    CountryFile file = CountryFile::Parse(cty, "fuzz.dat");
    for (std::string call; std::getline(calls, call);) {
      ParsePortableCall(call);
      CountryMatch match;
      if (file.Find(call, match))
        FuzzExpect(!match.Name.empty() && !match.Continent.empty(),
                   "a match names its entity and continent");
    }
  } catch (const InputError&) {
  }
  return 0;
}
