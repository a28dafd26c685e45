#include "robot/contest_settings.h"

#include <cstdio>
#include <map>

#include "core/base/date_time.h"
#include "core/base/text.h"
#include "logs/log_qso.h"
#include "logs/log_values.h"
#include "robot/robot_text.h"

namespace {

bool ParseNumber(const std::string& text, long long low, long long high, long long& out) {
  if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  out = std::stoll(text);
  return out >= low && out <= high;
}

std::string DateText(const CalendarTime& t) {
  char text[16];
  snprintf(text, sizeof text, "%04d-%02d-%02d", t.Year, t.Month, t.Day);
  return text;
}

}  // namespace

RobotSettings ParseRobotSettings(const std::string& text, const std::string& shownName) {
  RobotSettings settings;
  std::map<std::string, int> lineOfKey;
  int lineNumber = 0;
  // An editor's byte-order mark is no part of the first key.
  for (const std::string& raw : SplitLines(text.substr(TextStart(text)))) {
    ++lineNumber;
    std::string line = Trim(raw);
    if (line.empty() || line[0] == '#')
      continue;
    auto fail = [&](const std::string& what) {
      throw InputError(shownName + ": line " + std::to_string(lineNumber) + ": " + what);
    };
    size_t equals = line.find('=');
    if (equals == std::string::npos)
      fail("expected KEY = VALUE");
    std::string key = Trim(line.substr(0, equals));
    std::string value = Trim(line.substr(equals + 1));
    // Which of two values was meant cannot be known: neither is taken.
    auto [first, fresh] = lineOfKey.emplace(key, lineNumber);
    if (!fresh)
      fail(Clipped(key, 40) + " is given twice (also on line " + std::to_string(first->second) +
           ")");
    CalendarTime date{};
    long long number = 0;
    if (key == "period-from" || key == "period-to") {
      if (!ParseIsoDate(value, date))
        fail(key + " is not YYYY-MM-DD: '" + Clipped(value, 40) + "'");
      (key == "period-from" ? settings.PeriodFrom : settings.PeriodTo) = date;
    } else if (key == "deadline") {
      std::vector<std::string> words = SplitWords(value);
      if (words.size() != 2 || !ParseIsoDate(words[0], date) || words[1].size() != 5 ||
          words[1][2] != ':' || !ParseTimeOfDay(words[1].substr(0, 2) + words[1].substr(3), date))
        fail("deadline is not YYYY-MM-DD HH:MM (UTC): '" + Clipped(value, 40) + "'");
      // The whole minute named is still in time: "12:11" ends at 12:11:59.
      settings.Deadline = UtcSecondsOf(date) + 59;
    } else if (key == "max-log-kb") {
      if (!ParseNumber(value, 1, 1024 * 1024, number))
        fail("max-log-kb is not a number from 1 to 1048576");
      settings.MaxLogBytes = static_cast<size_t>(number) * 1024;
    } else if (key == "missing-after") {
      if (!ParseNumber(value, 1, 100000, number))
        fail("missing-after is not a number from 1 to 100000");
      settings.MissingAfter = static_cast<int>(number);
    } else {
      fail("unknown key '" + Clipped(key, 40) +
           "' (period-from, period-to, deadline, max-log-kb, missing-after)");
    }
  }
  if (settings.PeriodFrom.has_value() != settings.PeriodTo.has_value())
    throw InputError(shownName + ": give both period-from and period-to, or neither");
  if (settings.PeriodFrom && UtcSecondsOf(*settings.PeriodFrom) > UtcSecondsOf(*settings.PeriodTo))
    throw InputError(shownName + ": period-from is after period-to");
  return settings;
}

std::string DeadlineText(const RobotSettings& settings) {
  if (!settings.Deadline)
    return "none";
  std::string iso = IsoUtc(*settings.Deadline);
  return iso.substr(0, 10) + " " + iso.substr(11, 8) + " UTC";
}

std::string PeriodText(const RobotSettings& settings) {
  if (!settings.PeriodFrom)
    return "not set";
  return DateText(*settings.PeriodFrom) + " to " + DateText(*settings.PeriodTo) + " (UTC)";
}
