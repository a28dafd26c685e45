// What the live windows show, computed from the log and the host's answers.
// Plain computation only: the info thread runs it under the state lock.
#pragma once

#include <array>
#include <string>

#include "core/contest/contest_rules.h"
#include "core/contest/qso_log.h"

// An entry of one or two bytes ends a live update early: the operator has
// only begun to type.
inline bool IsShortEntry(const std::string& entry) {
  return entry.size() == 1 || entry.size() == 2;
}

// "<SP1>" goes out when the host has moved more than 300 Hz from where it was
// last sent; smaller moves add up until they do.
bool FrequencyMovedForSpot(double hertz, double lastSpotHertz);

// "DKZ CNT on <band> <count>  of 62"; an empty band text when off the bands.
std::string DistrictWindowTitle(int band, size_t workedCount);

// "DKZ <year> worked with <call>".
std::string WorkedBeforeTitle(const std::string& contestYear, const std::string& call);

// Each row back to its band name and dashes. A row the log reset has not yet
// seeded (fewer than four texts) is seeded here.
void ResetWorkedBeforeRows(PerBandLists& grid);

// Row b gets time, mode and district (Japanese station) or exchange of the
// last QSO in log order with exactly `call` on band b, scored or not.
void FillWorkedBeforeRows(PerBandLists& grid, const QsoLog& log, const std::string& call);

// One flag per district of the record: set for the codes in `worked`;
// entries that are no code change nothing.
std::array<int, kDistrictCount> DistrictTicks(const TextList& worked);

// One flag per continent of the record (EU, NA, SA, AF, AS, OC): set for the
// continents in `worked`.
std::array<int, kContinentCount> ContinentFlags(const TextList& worked);
