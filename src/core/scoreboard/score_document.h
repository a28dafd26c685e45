// The running score as a scoreboard takes it: the "dynamicresults" XML that
// contest loggers post, form-encoded in the field "xml".
#pragma once

#include <cstdint>
#include <string>

#include "core/base/date_time.h"
#include "core/cabrillo/cabrillo_log.h"
#include "core/engine/contest_state.h"

// The station as its Cabrillo header names it.
struct StationEntry {
  std::string Call;
  std::string CategoryOperator;
  std::string CategoryBand;
  std::string CategoryTransmitter;
  std::string Power;
  // A Japanese station's district as its QSOs sent it; empty when they sent none.
  std::string District;
};

StationEntry StationOf(const CabrilloLog& header);

// The district code the log's counted QSOs sent most (the first in the log
// among equals); empty when none sent a district of `rules`. A board ranks a
// Japanese station by it.
std::string SentDistrict(const QsoLog& log, const ContestRules& rules);

struct ScorePost {
  StationEntry Station;
  ScoreTally Tally;  // the summary's numbers
  int32_t Score = 0;
  std::string Program;  // the name and version of the plug-in
  std::string Version;
};

// The document; its texts are taken as UTF-8. `utcTime` is "YYYY-MM-DD
// HH:MM:SS", or empty for a document that says nothing of its time (two such
// documents are equal exactly when their scores and stations are).
std::string DynamicResultsXml(const ScorePost& post, const std::string& utcTime);

// "2026-06-13 12:34:00".
std::string UtcTimeText(const CalendarTime& time);

// The request body of a form whose one field `name` holds `value`.
std::string FormBody(const std::string& name, const std::string& value);

// Text for an XML element or attribute: markup characters as references,
// control characters as blanks and bytes that are not UTF-8 as "?".
std::string XmlText(const std::string& text);
