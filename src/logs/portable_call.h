// How a callsign with portable designators is looked up in a country file:
// "JA1ABC/P" as JA1ABC, "K2ND/4" as K4ND, "JA1ABC/W6" and "W6/JA1ABC" as the
// prefix W6, "DL1XYZ/MM" as no country at all.
#pragma once

#include <string>

struct CallLookup {
  bool NoCountry = false;  // maritime or aeronautical mobile
  // The home call, for the exact entries; empty when the station works from
  // another call area or country, where its home call's entry does not hold.
  std::string ExactKey;
  std::string PrefixKey;  // what the longest-prefix search runs on
};

// `call` in upper case.
CallLookup ParsePortableCall(const std::string& call);
