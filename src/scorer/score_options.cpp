#include "scorer/score_options.h"

#include <tuple>

#include "core/base/text.h"
#include "core/cabrillo/cabrillo_fields.h"
#include "logs/log_values.h"

const char* const kUsageText =
    "usage: dkz-score score LOG [options]\n"
    "       dkz-score check FOLDER --out RESULTS [--minutes N] [--cty FILE]\n"
    "       dkz-score info\n"
    "       dkz-score --version\n"
    "\n"
    "score  replays LOG (ADIF .adi or Cabrillo) through Stats.dll as the logging\n"
    "       program does, prints the score summary, and leaves err.txt and\n"
    "       Plugins\\DKZ.ini in the working folder.\n"
    "info   prints what the plug-in offers.\n"
    "--version  prints the versions of dkz-score and of the Stats.dll beside it.\n"
    "\n"
    "options of score:\n"
    "  --call CALL      own callsign (default: from the log)\n"
    "  --prefix PREFIX  own country prefix, JA for Japan (default: from the country file)\n"
    "  --from DATE      first day of the period, YYYY-MM-DD, UTC (default: the first QSO's)\n"
    "  --to DATE        last day of the period (default: the last QSO's); only QSOs of\n"
    "                   the period are handed to the plug-in, the others are counted\n"
    "  --cty FILE       AD1C country file (default: cty.dat beside dkz-score.exe)\n"
    "  --dir FOLDER     working folder, made if missing (default: the current folder)\n"
    "  --json FILE      also write the outcome as JSON into FILE (- for standard output;\n"
    "                   the report then goes to standard error)\n"
    "  --report FILE    also write a report page of the run (HTML, opens from disk): the\n"
    "                   summary, the districts by band, the rate and err.txt by kind\n"
    "  --cabrillo       also write the Cabrillo log CALL.cbr into the working folder: the\n"
    "                   plug-in's header dialog is confirmed with the header stored there\n"
    "                   (Plugins\\DKZ.ini), changed by the header options\n"
    "\n"
    "header options (with --cabrillo; each fills one box of the dialog, and the\n"
    "plug-in stores it for later runs; an empty value clears the box):\n"
    "  --name, --address, --address-city, --address-postalcode, --address-country,\n"
    "  --email, --club, --location, --operators TEXT\n"
    "  --soapbox TEXT   one line of remarks; give it once per line\n"
    "  --category-operator SINGLE-OP|MULTI-OP|CHECKLOG\n"
    "  --category-band ALL|80M|40M|20M|15M|10M\n"
    "  --category-transmitter ONE|TWO|UNLIMITED (written only for MULTI-OP)\n"
    "                   the categories start at SINGLE-OP, ALL and ONE in every run; a\n"
    "                   listed value is picked whatever its case, other text is typed\n"
    "\n"
    "exit codes: 0 scored; 1 unusable input, or a file that would be written over or\n"
    "could not be written (nothing is written over the log, the country file or a\n"
    "file that dkz-score did not make); 2 wrong command line; 3 the plug-in stored\n"
    "no QSO.\n";

CalendarTime DateOption(const std::string& name, const std::string& value) {
  CalendarTime date{};
  if (!ParseIsoDate(value, date))
    throw UsageError(name + " takes a date YYYY-MM-DD, not '" + value + "'");
  return date;
}

namespace {

struct Option {
  const char* Name;
  void (*Take)(const std::string& value, ScoreCommand& score);
};

// The own call and prefix reach the plug-in, its files and the summary's
// lines: a control character there would forge lines, as in a log's fields.
std::string OneWord(const char* option, const char* what, const std::string& value) {
  for (char c : value) {
    if (IsControlCharacter(c))
      throw UsageError(std::string(option) + " takes " + what + " without control characters");
  }
  return value;
}

const Option kOptions[] = {
    {"--call", [](const std::string& v,
                  ScoreCommand& s) { s.Replay.OwnCall = OneWord("--call", "a callsign", v); }},
    {"--prefix", [](const std::string& v,
                    ScoreCommand& s) { s.Replay.OwnPrefix = OneWord("--prefix", "a prefix", v); }},
    {"--from",
     [](const std::string& v, ScoreCommand& s) { s.Replay.PeriodStart = DateOption("--from", v); }},
    {"--to",
     [](const std::string& v, ScoreCommand& s) { s.Replay.PeriodEnd = DateOption("--to", v); }},
    {"--cty", [](const std::string& v, ScoreCommand& s) { s.CountryFile = v; }},
    {"--dir", [](const std::string& v, ScoreCommand& s) { s.WorkFolder = v; }},
    {"--json", [](const std::string& v, ScoreCommand& s) { s.JsonPath = v; }},
    {"--report",
     [](const std::string& v, ScoreCommand& s) {
       if (v == "-")
         throw UsageError("--report takes a file name: the page is not written to standard output");
       s.PagePath = v;
     }},
};

const Option* FindOption(const std::string& name) {
  for (const Option& option : kOptions) {
    if (name == option.Name)
      return &option;
  }
  return nullptr;
}

// Options that fill boxes of the Cabrillo header dialog, named after their Cabrillo tags.
const CabrilloField* FindHeaderOption(const std::string& name) {
  for (const CabrilloField& field : CabrilloFields()) {
    if (field.Option != nullptr && name == field.Option)
      return &field;
  }
  return nullptr;
}

// A later value replaces an earlier one, except that each --soapbox adds a line.
void TakeHeader(const CabrilloField& option, const std::string& value, ScoreCommand& score) {
  for (char c : value) {
    if (IsControlCharacter(c))
      throw UsageError(std::string(option.Option) + " takes one line of text");
  }
  for (HeaderEntry& entry : score.Header) {
    if (entry.Field == option.Member) {
      entry.Text = option.Member == &CabrilloLog::SoapBox ? entry.Text + "\n" + value : value;
      return;
    }
  }
  score.Header.push_back({option.Member, value});
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  if (args.empty())
    throw UsageError("no command given");
  if (args[0] == "help" || args[0] == "--help" || args[0] == "-h")
    return line;
  if (args[0] == "--version") {
    if (args.size() > 1)
      throw UsageError("--version takes no arguments");
    line.Do = CommandLine::Action::Version;
    return line;
  }
  if (args[0] == "info") {
    if (args.size() > 1)
      throw UsageError("info takes no arguments");
    line.Do = CommandLine::Action::Info;
    return line;
  }
  if (args[0] == "check") {
    line.Do = CommandLine::Action::Check;
    line.Check = ParseCheckCommand(std::vector<std::string>(args.begin() + 1, args.end()));
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
    if (name == "--cabrillo") {
      if (equals != std::string::npos)
        throw UsageError("--cabrillo takes no value");
      line.Score.Replay.CabrilloRequest = 1;
      continue;
    }
    const Option* option = FindOption(name);
    const CabrilloField* header = FindHeaderOption(name);
    if (option == nullptr && header == nullptr)
      throw UsageError("unknown option " + name);
    std::string value;
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      throw UsageError(name + " needs a value");
    }
    if (header != nullptr) {
      TakeHeader(*header, value, line.Score);
      continue;
    }
    if (value.empty())
      throw UsageError(name + " needs a value");
    option->Take(value, line.Score);
  }
  if (line.Score.LogPath.empty())
    throw UsageError("score needs a log file");
  const ReplayOptions& replay = line.Score.Replay;
  if (replay.PeriodStart && replay.PeriodEnd &&
      std::make_tuple(replay.PeriodEnd->Year, replay.PeriodEnd->Month, replay.PeriodEnd->Day) <
          std::make_tuple(replay.PeriodStart->Year, replay.PeriodStart->Month,
                          replay.PeriodStart->Day))
    throw UsageError("--to is before --from");
  if (!line.Score.Header.empty() && line.Score.Replay.CabrilloRequest == 0) {
    throw UsageError(HeaderOptionName(line.Score.Header.front().Field) +
                     " fills the Cabrillo header: it needs --cabrillo");
  }
  return line;
}
