// The AD1C country file (cty.dat): entities with their primary prefix and
// continent, alias prefixes and exact callsigns, and the lookup of a callsign
// as logging programs do it.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

// Where a station is: the entity's name, its primary prefix (without the
// leading '*' of entities that count only for some awards) and the
// continent, after any override the matching alias carries.
struct CountryMatch {
  std::string Name;
  std::string Prefix;
  std::string Continent;
};

class CountryFile {
 public:
  // Throws InputError naming `shownName` and the line of the first fault.
  static CountryFile Parse(const std::string& text, const std::string& shownName);

  // Exact callsign entries first, then the longest alias prefix, after the
  // portable designators are read. False when no entity matches, and for
  // maritime and aeronautical mobile stations.
  bool Find(const std::string& call, CountryMatch& match) const;

  size_t EntityCount() const { return entities_.size(); }
  size_t AliasCount() const { return exact_.size() + prefixes_.size(); }
  // The file's version from its "=VER20230502" entry; empty when it has none.
  const std::string& Version() const { return version_; }

 private:
  struct Entity {
    std::string Name, Prefix, Continent;
  };
  struct Alias {
    size_t Entity;
    std::string Continent;  // override; empty for the entity's own
  };

  bool Hit(const std::unordered_map<std::string, Alias>& map, const std::string& key,
           CountryMatch& match) const;

  std::vector<Entity> entities_;
  std::unordered_map<std::string, Alias> exact_;
  std::unordered_map<std::string, Alias> prefixes_;
  size_t longestPrefix_ = 0;
  std::string version_;
};
