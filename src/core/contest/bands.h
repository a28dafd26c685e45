// The contest's six bands and the band index that every per-band table uses.
#pragma once

#include <string>

constexpr int kBandCount = 6;
constexpr int kNoBand = -1;

// Index 0 "160m" ... 5 "10m".
extern const char* const BandNames[kBandCount];

// Index of a band text, exact and case-sensitive; kNoBand when none matches.
int BandIndexOf(const std::string& band);

// Band of a frequency by its whole megahertz (1, 3, 7, 14, 21, 28); kNoBand otherwise.
int BandIndexOfFrequency(double hertz);

// "30m", "17m" and "12m": the only band texts that acceptance refuses.
bool IsNonContestBand(const std::string& band);
