#include <string>

#include "world_model.h"

namespace {

const char* const kJapanesePrefixes[] = {"JA", "JE", "JF", "JG", "JH", "JI", "JJ", "JK", "JL",
                                         "JM", "JN", "JO", "JP", "JR", "JS", "7K", "7L", "7M"};
const char* const kForeignPrefixes[] = {"K",  "W",  "N",  "AA", "DL", "DK", "G",  "M",  "F",
                                        "I",  "EA", "OH", "SM", "OK", "SP", "UA", "RA", "VK",
                                        "ZL", "PY", "LU", "VE", "HL", "BV", "BY", "VU", "HS",
                                        "9V", "LZ", "YO", "HA", "S5", "OE", "PA", "ON", "OZ"};
const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
const char kDigits[] = "0123456789";

template <size_t N>
const char* Pick(const char* const (&table)[N], Random& random) {
  return table[random.Below(N)];
}

char Letter(Random& random) {
  return kLetters[random.Below(26)];
}

char Digit(Random& random) {
  return kDigits[random.Below(10)];
}

std::string Suffix(Random& random, int shortest, int longest) {
  std::string suffix;
  int length = shortest + static_cast<int>(random.Below(longest - shortest + 1));
  for (int i = 0; i < length; ++i)
    suffix += Letter(random);
  return suffix;
}

}  // namespace

std::string JapaneseCall(Random& random) {
  return Pick(kJapanesePrefixes, random) + std::string(1, Digit(random)) + Suffix(random, 2, 3);
}

std::string ForeignCall(Random& random) {
  char district = kDigits[1 + random.Below(9)];
  return Pick(kForeignPrefixes, random) + std::string(1, district) + Suffix(random, 1, 3);
}

std::string Miscopy(const std::string& call, Random& random) {
  std::string copy = call;
  size_t at = random.Below(static_cast<uint32_t>(call.size()));
  uint32_t kind = random.Below(5);
  bool digit = call[at] >= '0' && call[at] <= '9';
  if (kind == 0 && call.size() > 3) {
    copy.erase(at, 1);  // a character missed
  } else if (kind == 1) {
    copy.insert(copy.begin() + at, Letter(random));  // a character too many
  } else {
    char heard = call[at];
    while (heard == call[at])
      heard = digit ? Digit(random) : Letter(random);
    copy[at] = heard;
  }
  return copy;
}
