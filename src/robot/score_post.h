// A station's running claimed score as contest loggers post it to a live
// scoreboard: the dynamicresults XML, alone or inside an outer rtc element.
// Read by a real XML parser that takes no DOCTYPE (so no entity of any kind
// beyond the predefined ones), within bounds of size, count and depth.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "check/sponsor_table.h"

// A post is a few KB; more is refused before it is parsed.
constexpr size_t kLargestScorePost = 64 * 1024;

struct ScorePost {
  std::string Contest;    // <contest>, trimmed
  std::string Call;       // <call>, trimmed, upper case
  CategoryHeaders Class;  // <class ops= bands= transmitter= power=>; bands "40" as "40M"
  std::string District;   // <qth><stprvoth>, trimmed, upper case
  std::string Software;   // <soft> and <version>
  int64_t Qsos = 0;       // the breakdown's band="total", or the sum of its bands
  int64_t Points = 0;
  int64_t Mults = 0;  // an untyped total first, then typed totals, then the bands
  int64_t Score = 0;  // <score>
};

// Empty when `xml` was read into `post`; otherwise why not, in a few plain
// words for the logger to show.
std::string ReadScorePost(const std::string& xml, ScorePost& post);
