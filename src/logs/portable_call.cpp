#include "logs/portable_call.h"

#include <vector>

namespace {

std::vector<std::string> SplitAtSlashes(const std::string& call) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t slash; (slash = call.find('/', start)) != std::string::npos; start = slash + 1) {
    if (slash > start)
      parts.push_back(call.substr(start, slash - start));
  }
  if (start < call.size())
    parts.push_back(call.substr(start));
  return parts;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Suffixes that say how, not where, a station works: /P, /M, /QRP, /LH ...
bool IsDesignator(const std::string& part) {
  return (part.size() == 1 && !IsDigit(part[0])) || part == "QRP" || part == "QRPP" || part == "LH";
}

}  // namespace

CallLookup ParsePortableCall(const std::string& call) {
  CallLookup lookup;
  std::vector<std::string> parts = SplitAtSlashes(call);
  // The home call is the longest part; on a tie the later one, as a prefix
  // written in front ("VP2E/K2ND") is the place, not the call.
  size_t home = 0;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (parts[i] == "MM" || parts[i] == "AM") {
      lookup.NoCountry = true;
      return lookup;
    }
    if (parts[i].size() >= parts[home].size())
      home = i;
  }
  if (parts.empty())
    return lookup;
  std::string location;
  char area = 0;
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    if (i == home)
      continue;
    if (part.size() == 1 && IsDigit(part[0]))
      area = part[0];
    else if (i > home && IsDesignator(part))
      continue;
    else if (location.empty())
      location = part;
  }
  std::string homeCall = parts[home];
  if (!location.empty()) {
    lookup.PrefixKey = location;
  } else if (area != 0) {
    size_t digit = homeCall.find_last_of("0123456789");
    lookup.PrefixKey = homeCall;
    if (digit != std::string::npos)
      lookup.PrefixKey[digit] = area;
  } else {
    lookup.ExactKey = homeCall;
    lookup.PrefixKey = homeCall;
  }
  return lookup;
}
