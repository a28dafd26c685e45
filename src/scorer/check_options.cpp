#include "scorer/check_options.h"

#include <cstdlib>
#include <tuple>

#include "scorer/score_options.h"

const char* const kCheckUsageText =
    "check  reads every log (Cabrillo or ADIF) in FOLDER, scores each through\n"
    "       Stats.dll, checks each QSO against the other station's log, scores the\n"
    "       log again without its NIL, busted-call and busted-exchange QSOs, and\n"
    "       writes results.csv, entrants.csv, findings.csv, received.csv,\n"
    "       stations-without-log.csv, rejected.txt and one CALL.txt per log into\n"
    "       RESULTS (new, empty, or holding only an earlier check's results). The\n"
    "       newest file of a call counts; every QSO line of a log is evidence.\n"
    "\n"
    "options of check:\n"
    "  --out RESULTS    the results folder (required)\n"
    "  --from DATE      first day of the contest, YYYY-MM-DD, UTC; --to DATE the last\n"
    "                   (default: the two days that hold most QSOs of all logs)\n"
    "  --minutes N      how far apart two logs' times of one QSO may be (default 3)\n"
    "  --table FILE     the sponsor's table: contest names and categories (default:\n"
    "                   the built-in one, written to RESULTS as sponsor-table.txt)\n"
    "  --cty FILE       AD1C country file, as for score\n";

namespace {

int MinutesOption(const std::string& value) {
  char* end = nullptr;
  long minutes = std::strtol(value.c_str(), &end, 10);
  if (value.empty() || *end != '\0' || minutes < 0 || minutes > 24 * 60)
    throw UsageError("--minutes takes a whole number of minutes from 0 to 1440, not '" + value +
                     "'");
  return static_cast<int>(minutes);
}

}  // namespace

CheckCommand ParseCheckCommand(const std::vector<std::string>& args) {
  CheckCommand command;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.compare(0, 2, "--") != 0) {
      if (!command.LogFolder.empty())
        throw UsageError("more than one log folder: '" + command.LogFolder + "' and '" + arg + "'");
      command.LogFolder = arg;
      continue;
    }
    size_t equals = arg.find('=');
    std::string name = arg.substr(0, equals);
    if (name != "--out" && name != "--minutes" && name != "--cty" && name != "--table" &&
        name != "--from" && name != "--to")
      throw UsageError("unknown option of check " + name);
    std::string value;
    if (equals != std::string::npos)
      value = arg.substr(equals + 1);
    else if (i + 1 < args.size())
      value = args[++i];
    if (value.empty())
      throw UsageError(name + " needs a value");
    if (name == "--out")
      command.ResultsFolder = value;
    else if (name == "--minutes")
      command.Minutes = MinutesOption(value);
    else if (name == "--table")
      command.TableFile = value;
    else if (name == "--from")
      command.From = DateOption(name, value);
    else if (name == "--to")
      command.To = DateOption(name, value);
    else
      command.CountryFile = value;
  }
  if (command.LogFolder.empty())
    throw UsageError("check needs the folder of the contest's logs");
  if (command.ResultsFolder.empty())
    throw UsageError("check needs --out RESULTS, the folder for the results");
  auto day = [](const CalendarTime& t) { return std::make_tuple(t.Year, t.Month, t.Day); };
  if (command.From && command.To && day(*command.To) < day(*command.From))
    throw UsageError("--to is before --from");
  return command;
}
