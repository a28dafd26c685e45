#include "score_options.h"

#include "log_values.h"

const char* const kDefaultCountryFile = "/usr/share/hamradio-files/cty.dat";

const char* const kUsageText =
    "usage: dkz-score score LOG [options]\n"
    "       dkz-score info\n"
    "\n"
    "score  replays LOG (ADIF .adi or Cabrillo) through Stats.dll as the logging\n"
    "       program does, prints the score summary, and leaves err.txt and\n"
    "       Plugins\\DKZ.ini in the working folder.\n"
    "info   prints what the plug-in offers.\n"
    "\n"
    "options of score:\n"
    "  --call CALL      own callsign (default: from the log)\n"
    "  --prefix PREFIX  own country prefix, JA for Japan (default: from the country file)\n"
    "  --from DATE      start of the period, YYYY-MM-DD (default: date of the first QSO)\n"
    "  --to DATE        end of the period, YYYY-MM-DD (default: date of the last QSO)\n"
    "  --cty FILE       AD1C country file (default: /usr/share/hamradio-files/cty.dat)\n"
    "  --dir FOLDER     working folder, made if missing (default: the current folder)\n";

namespace {

CalendarTime DateOption(const std::string& name, const std::string& value) {
  CalendarTime date{};
  if (!ParseIsoDate(value, date))
    throw UsageError(name + " takes a date YYYY-MM-DD, not '" + value + "'");
  return date;
}

struct Option {
  const char* Name;
  void (*Take)(const std::string& value, ScoreCommand& score);
};

// A later report pass (writing the Cabrillo file) adds its switch here.
const Option kOptions[] = {
    {"--call", [](const std::string& v, ScoreCommand& s) { s.Replay.OwnCall = v; }},
    {"--prefix", [](const std::string& v, ScoreCommand& s) { s.Replay.OwnPrefix = v; }},
    {"--from",
     [](const std::string& v, ScoreCommand& s) { s.Replay.PeriodStart = DateOption("--from", v); }},
    {"--to",
     [](const std::string& v, ScoreCommand& s) { s.Replay.PeriodEnd = DateOption("--to", v); }},
    {"--cty",
     [](const std::string& v, ScoreCommand& s) {
       s.CountryFile = v;
       s.CountryFileGiven = true;
     }},
    {"--dir", [](const std::string& v, ScoreCommand& s) { s.WorkFolder = v; }},
};

const Option& FindOption(const std::string& name) {
  for (const Option& option : kOptions) {
    if (name == option.Name)
      return option;
  }
  throw UsageError("unknown option " + name);
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  if (args.empty() || args[0] == "help" || args[0] == "--help" || args[0] == "-h")
    return line;
  if (args[0] == "info") {
    if (args.size() > 1)
      throw UsageError("info takes no arguments");
    line.Do = CommandLine::Action::Info;
    return line;
  }
  if (args[0] != "score")
    throw UsageError("unknown command '" + args[0] + "'");
  line.Do = CommandLine::Action::Score;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.compare(0, 2, "--") != 0) {
      if (!line.Score.LogPath.empty())
        throw UsageError("more than one log: '" + line.Score.LogPath + "' and '" + arg + "'");
      line.Score.LogPath = arg;
      continue;
    }
    size_t equals = arg.find('=');
    std::string name = arg.substr(0, equals);
    const Option& option = FindOption(name);
    std::string value;
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      throw UsageError(name + " needs a value");
    }
    if (value.empty())
      throw UsageError(name + " needs a value");
    option.Take(value, line.Score);
  }
  if (line.Score.LogPath.empty())
    throw UsageError("score needs a log file");
  return line;
}
