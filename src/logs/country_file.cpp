#include "logs/country_file.h"

#include <algorithm>
#include <sstream>

#include "core/base/text.h"
#include "logs/log_qso.h"
#include "logs/log_values.h"
#include "logs/portable_call.h"

namespace {

// The override groups after an alias: (CQ zone) [ITU zone] <lat/long> {continent} ~offset~
const std::string kOpens = "([<{~";
const std::string kCloses = ")]>}~";

bool IsContinent(const std::string& text) {
  return text == "EU" || text == "NA" || text == "SA" || text == "AF" || text == "AS" ||
         text == "OC";
}

class Parser {
 public:
  explicit Parser(const std::string& shownName) : shownName_(shownName) {}

  [[noreturn]] void Fail(int line, const std::string& message) const {
    throw InputError(shownName_ + ": line " + std::to_string(line) + ": " + message);
  }

  // "Japan: 25: 45: AS: 36.40: -138.38: -9.0: JA:" into name, continent, prefix.
  void ReadEntityLine(const std::string& line, int number, std::string& name,
                      std::string& continent, std::string& prefix) const {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ':');)
      fields.push_back(Trim(field));
    if (fields.size() < 8 || fields[0].empty() || fields[7].empty())
      Fail(number,
           "expected an entity line 'name: CQ: ITU: continent: lat: long: offset: prefix:'");
    if (!IsContinent(fields[3]))
      Fail(number, "'" + fields[3] + "' is not a continent");
    name = fields[0];
    continent = fields[3];
    prefix = fields[7][0] == '*' ? fields[7].substr(1) : fields[7];
  }

  // "=JA6GXK/JD1(27)[90]{OC}" into its key and continent override.
  void ReadAlias(const std::string& token, int number, bool& exact, std::string& key,
                 std::string& continent) const {
    exact = token[0] == '=';
    size_t pos = exact ? 1 : 0;
    size_t end = token.find_first_of(kOpens, pos);
    key = token.substr(pos, end - pos);
    if (key.empty())
      Fail(number, "alias '" + token + "' has no prefix or callsign");
    continent.clear();
    while (end != std::string::npos && end < token.size()) {
      char open = token[end];
      char close = kCloses[kOpens.find(open)];
      size_t stop = token.find(close, end + 1);
      if (stop == std::string::npos)
        Fail(number, "alias '" + token + "' has an unclosed '" + open + "'");
      if (open == '{') {
        continent = token.substr(end + 1, stop - end - 1);
        if (!IsContinent(continent))
          Fail(number, "alias '" + token + "' names no continent");
      }
      end = stop + 1;
      if (end < token.size() && kOpens.find(token[end]) == std::string::npos)
        Fail(number, "alias '" + token + "' has text after its overrides");
    }
  }

 private:
  const std::string& shownName_;
};

}  // namespace

CountryFile CountryFile::Parse(const std::string& text, const std::string& shownName) {
  Parser parser(shownName);
  CountryFile file;
  std::istringstream in(text);
  int number = 0, entityLine = 0;
  bool inAliases = false;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (Trim(line).empty())
      continue;
    if (!inAliases) {
      Entity entity;
      parser.ReadEntityLine(line, number, entity.Name, entity.Continent, entity.Prefix);
      file.entities_.push_back(entity);
      entityLine = number;
      inAliases = true;
      continue;
    }
    size_t semicolon = line.find(';');
    inAliases = semicolon == std::string::npos;
    std::istringstream aliases(line.substr(0, semicolon));
    for (std::string token; std::getline(aliases, token, ',');) {
      token = Trim(token);
      if (token.empty())
        continue;
      bool exact;
      std::string key, continent;
      parser.ReadAlias(token, number, exact, key, continent);
      Alias alias{file.entities_.size() - 1, continent};
      // The first entry of a key holds, should the file list one twice.
      (exact ? file.exact_ : file.prefixes_).emplace(key, alias);
      if (!exact && key.size() > file.longestPrefix_)
        file.longestPrefix_ = key.size();
      if (exact && key.size() == 11 && key.compare(0, 3, "VER") == 0)
        file.version_ = key.substr(3);
    }
  }
  if (inAliases) {
    parser.Fail(entityLine,
                "the alias list of " + file.entities_.back().Name + " does not end with ';'");
  }
  if (file.entities_.empty())
    throw InputError(shownName + ": no entities: is this a cty.dat country file?");
  return file;
}

bool CountryFile::Hit(const std::unordered_map<std::string, Alias>& map, const std::string& key,
                      CountryMatch& match) const {
  auto found = map.find(key);
  if (found == map.end())
    return false;
  const Entity& entity = entities_[found->second.Entity];
  match.Name = entity.Name;
  match.Prefix = entity.Prefix;
  match.Continent = found->second.Continent.empty() ? entity.Continent : found->second.Continent;
  return true;
}

bool CountryFile::Find(const std::string& call, CountryMatch& match) const {
  std::string upper = ToUpper(Trim(call));
  if (upper.empty())
    return false;
  if (Hit(exact_, upper, match))
    return true;
  CallLookup lookup = ParsePortableCall(upper);
  if (lookup.NoCountry)
    return false;
  if (!lookup.ExactKey.empty() && lookup.ExactKey != upper && Hit(exact_, lookup.ExactKey, match))
    return true;
  const std::string& key = lookup.PrefixKey;
  for (size_t length = std::min(key.size(), longestPrefix_); length > 0; --length) {
    if (Hit(prefixes_, key.substr(0, length), match))
      return true;
  }
  return false;
}
