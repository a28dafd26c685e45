#include "check/sponsor_table.h"

#include "check/call_text.h"
#include "core/base/text.h"
#include "logs/log_qso.h"
#include "logs/log_values.h"

namespace {

const char kDefaultText[] =
    "# The sponsor's table of dkz-score check: which logs belong to the contest, and\n"
    "# the categories the results rank them in. Change a copy and give it with\n"
    "# --table FILE. '#' starts a comment.\n"
    "#\n"
    "# contest NAME  a CONTEST: header that names this contest; NAME* takes every\n"
    "#               name that begins with NAME. A log without CONTEST: is taken,\n"
    "#               a log that names another contest is rejected.\n"
    "contest DKZ\n"
    "contest DKZ-*\n"
    "#\n"
    "# category CODE OPERATOR BAND TRANSMITTER POWER TITLE...\n"
    "#   The first line whose four values fit a log's CATEGORY-OPERATOR, -BAND,\n"
    "#   -TRANSMITTER and -POWER headers gives its category. A value fits when it\n"
    "#   is the header's; * fits anything, - a header the log does not have, and\n"
    "#   A|B either. {BAND} in CODE and TITLE is the log's CATEGORY-BAND. Japanese\n"
    "#   and other entrants are ranked apart in each category. CHECKLOG logs are\n"
    "#   evidence and never ranked.\n"
    "category SO-ALL-HP SINGLE-OP ALL|- * HIGH|- Single operator, all bands, high power\n"
    "category SO-ALL-LP SINGLE-OP ALL|- * LOW Single operator, all bands, low power\n"
    "category SO-ALL-QRP SINGLE-OP ALL|- * QRP Single operator, all bands, QRP\n"
    "category SO-{BAND}-HP SINGLE-OP 160M|80M|40M|20M|15M|10M * HIGH|- Single operator, "
    "{BAND}, high power\n"
    "category SO-{BAND}-LP SINGLE-OP 160M|80M|40M|20M|15M|10M * LOW|QRP Single operator, "
    "{BAND}, low power\n"
    "category MO-ONE MULTI-OP * ONE|- * Multi operator, one transmitter\n"
    "category MO-TWO MULTI-OP * TWO * Multi operator, two transmitters\n"
    "category MO-MULTI MULTI-OP * UNLIMITED|LIMITED * Multi operator, multi transmitter\n";

bool Fits(const std::vector<std::string>& values, const std::string& header) {
  for (const std::string& value : values) {
    if (value == "*" || (value == "-" && header.empty()) || value == header)
      return true;
  }
  return false;
}

std::vector<std::string> Alternatives(const std::string& field) {
  std::vector<std::string> values;
  size_t start = 0;
  for (size_t bar = field.find('|');; bar = field.find('|', start)) {
    values.push_back(field.substr(start, bar - start));
    if (bar == std::string::npos)
      break;
    start = bar + 1;
  }
  return values;
}

}  // namespace

SponsorTable SponsorTable::Parse(const std::string& text, const std::string& shownName) {
  SponsorTable table;
  table.text_ = text;
  // An editor's byte-order mark is no part of the first word.
  std::vector<std::string> lines = SplitLines(text.substr(TextStart(text)));
  for (size_t n = 0; n < lines.size(); ++n) {
    std::string line = lines[n].substr(0, lines[n].find('#'));
    std::vector<std::string> words = SplitWords(MatchForm(line));
    if (words.empty())
      continue;
    auto fault = [&](const std::string& why) {
      return InputError(shownName + ": line " + std::to_string(n + 1) + ": " + why);
    };
    if (words[0] == "CONTEST" && words.size() == 2) {
      table.contests_.push_back(words[1]);
    } else if (words[0] == "CATEGORY" && words.size() >= 7) {
      Rule rule;
      rule.Code = words[1];
      for (int v = 0; v < 4; ++v)
        rule.Values[v] = Alternatives(words[2 + v]);
      // The title as written, case and all: the words after the seventh.
      std::vector<std::string> original = SplitWords(line);
      for (size_t w = 6; w < original.size(); ++w)
        rule.Title += (rule.Title.empty() ? "" : " ") + original[w];
      table.rules_.push_back(rule);
    } else {
      throw fault(
          "expected 'contest NAME' or 'category CODE OPERATOR BAND TRANSMITTER POWER "
          "TITLE', not '" +
          Trim(line) + "'");
    }
  }
  if (table.contests_.empty())
    throw InputError(shownName + " names no contest (a line 'contest NAME')");
  return table;
}

SponsorTable SponsorTable::Default() {
  return Parse(kDefaultText, "the built-in sponsor's table");
}

const char* SponsorTable::DefaultText() {
  return kDefaultText;
}

bool SponsorTable::IsThisContest(const std::string& contest) const {
  std::string name = MatchForm(contest);
  for (const std::string& wanted : contests_) {
    bool prefix = !wanted.empty() && wanted.back() == '*';
    if (prefix ? name.compare(0, wanted.size() - 1, wanted, 0, wanted.size() - 1) == 0
               : name == wanted)
      return true;
  }
  return false;
}

bool SponsorTable::CategoryOf(const CategoryHeaders& h, Category& category) const {
  const std::string* headers[4] = {&h.Operator, &h.Band, &h.Transmitter, &h.Power};
  for (const Rule& rule : rules_) {
    bool fits = true;
    for (int v = 0; v < 4 && fits; ++v)
      fits = Fits(rule.Values[v], *headers[v]);
    if (fits) {
      category.Code = ReplaceAll(rule.Code, "{BAND}", h.Band);
      category.Title = ReplaceAll(rule.Title, "{BAND}", h.Band);
      return true;
    }
  }
  return false;
}

std::string SponsorTable::ContestNames() const {
  std::string names;
  for (const std::string& name : contests_)
    names += (names.empty() ? "" : ", ") + name;
  return names;
}
