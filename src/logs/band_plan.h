// Amateur bands by frequency, named as logging programs name them ("40m").
#pragma once

#include <cstdint>
#include <string>

// The band that holds a frequency; empty when it lies outside every band.
std::string BandOfFrequency(uint32_t hertz);
// Lower edge of a band named case-insensitively ("40M"); 0 for an unknown name.
uint32_t BandLowerEdge(const std::string& band);
// Cabrillo writes bands from 50 MHz up as designators ("50", "144", "1.2G"):
// the band of one, or empty.
std::string BandOfDesignator(const std::string& token);
