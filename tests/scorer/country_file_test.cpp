#include <gtest/gtest.h>

#include "debian_country_file.h"
#include "logs/country_file.h"
#include "logs/log_file.h"
#include "logs/log_qso.h"
#include "logs/portable_call.h"
#include "scorer/score_options.h"

namespace {

TEST(PortableCall, DesignatorsAreReadAsLoggingProgramsDo) {
  const struct {
    const char* Call;
    bool NoCountry;
    const char* ExactKey;
    const char* PrefixKey;
  } cases[] = {
      {"JA1ABC", false, "JA1ABC", "JA1ABC"},
      {"JA1ABC/P", false, "JA1ABC", "JA1ABC"},
      {"JA1ABC/QRP", false, "JA1ABC", "JA1ABC"},
      {"JA1ABC/M/QRP", false, "JA1ABC", "JA1ABC"},
      {"JA1ABC/MM", true, "", ""},
      {"DL1XYZ/AM", true, "", ""},
      {"K2ND/4", false, "", "K4ND"},  // the call-area digit is replaced
      {"JA1ABC/2/P", false, "", "JA2ABC"},
      {"JA1ABC/W6", false, "", "W6"},  // the shorter part is the place
      {"W6/JA1ABC", false, "", "W6"},
      {"DL1XYZ/PA", false, "", "PA"},
      {"VP2E/K2ND", false, "", "VP2E"},  // a tie: the part in front is the place
      {"F/DL1XYZ", false, "", "F"},      // one letter in front is a place, behind a designator
      {"JA1ABC/LH", false, "JA1ABC", "JA1ABC"},
      {"OH0/DL1XYZ/P", false, "", "OH0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Call);
    CallLookup lookup = ParsePortableCall(c.Call);
    EXPECT_EQ(lookup.NoCountry, c.NoCountry);
    EXPECT_EQ(lookup.ExactKey, c.ExactKey);
    EXPECT_EQ(lookup.PrefixKey, c.PrefixKey);
  }
}

TEST(CountryFile, ResolvesTrickyCallsInTheRealFile) {
  const struct {
    const char* Call;
    const char* Prefix;  // empty: no country
    const char* Continent;
  } cases[] = {
      {"JA1ABC", "JA", "AS"},
      {"7K4XYZ", "JA", "AS"},
      {"ja1abc", "JA", "AS"},
      {"JA1ABC/P", "JA", "AS"},
      {"JA1ABC/1", "JA", "AS"},
      {"JA1ABC/QRP", "JA", "AS"},
      // The JD1 islands are entities of their own, on two continents.
      {"JD1ABC", "JD/o", "AS"},      // Ogasawara by prefix
      {"JD1BME", "JD/m", "OC"},      // Minami Torishima by exact call
      {"JA6GXK/JD1", "JD/m", "OC"},  // an exact entry with its slash
      {"JA1ABC/JD1", "JD/o", "AS"},  // a JA call on the islands: the JD1 prefix
      {"JD1BME/P", "JD/m", "OC"},    // exact entry of the home call
      {"JD1BHH/6", "JA", "AS"},      // exact entry wins over the call-area rule
      {"DL1XYZ/MM", "", ""},
      {"JA1ABC/AM", "", ""},
      {"K2ND/4", "K", "NA"},
      {"RA9ABC/3", "UA", "EU"},  // the call-area digit moves Russia to Europe
      {"RA3ABC/9", "UA9", "AS"},
      {"JA1ABC/W6", "K", "NA"},
      {"W6/JA1ABC", "K", "NA"},
      {"KL7/JA1ABC", "KL", "NA"},
      {"JA1ABC/KH6", "KH6", "OC"},
      {"IT9ABC", "IT9", "EU"},  // '*' removed; the plug-in folds it to I
      {"I2ABC", "I", "EU"},
      {"3D2R", "3D2/r", "OC"},
      {"", "", ""},
      {"Q1ABC", "", ""},  // no entity has Q
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Call);
    CountryMatch match;
    bool found = DebianCountries().Find(c.Call, match);
    EXPECT_EQ(found, c.Prefix[0] != '\0');
    if (found) {
      EXPECT_EQ(match.Prefix, c.Prefix);
      EXPECT_EQ(match.Continent, c.Continent);
    }
  }
  EXPECT_GT(DebianCountries().EntityCount(), 300u);
  EXPECT_GT(DebianCountries().AliasCount(), 20000u);
  EXPECT_EQ(DebianCountries().Version().size(), 8u);
}

const char kSmallFile[] =
    "Japan:                    25:  45:  AS:   36.40:  -138.38:    -9.0:  JA:\n"
    "    JA,JE,=JA1ZZZ/JD1{OC},\n"
    "    7J(25)[45]<36.0/-138.0>~-9.0~;\n"
    "Sicily:                   15:  28:  EU:   37.50:   -14.00:    -1.0:  *IT9:\n"
    "    IT9,=VER20990101;\n";

TEST(CountryFile, AppliesContinentOverridesAndStripsTheStar) {
  CountryFile file = CountryFile::Parse(kSmallFile, "small.dat");
  EXPECT_EQ(file.EntityCount(), 2u);
  EXPECT_EQ(file.Version(), "20990101");
  CountryMatch match;
  ASSERT_TRUE(file.Find("JA1ZZZ/JD1", match));
  EXPECT_EQ(match.Name, "Japan");
  EXPECT_EQ(match.Continent, "OC");
  ASSERT_TRUE(file.Find("7J1AAA", match));
  EXPECT_EQ(match.Continent, "AS");
  ASSERT_TRUE(file.Find("IT9AAA", match));
  EXPECT_EQ(match.Prefix, "IT9");
  EXPECT_FALSE(file.Find("K1ABC", match));
}

TEST(CountryFile, ABrokenFileIsNamedWithItsLine) {
  const struct {
    std::string Text;
    const char* Message;
  } cases[] = {
      {"Japan: 25: 45: AS: 36.40: -138.38: JA:\n    JA;\n",
       "c.dat: line 1: expected an entity line 'name: CQ: ITU: continent: lat: long: offset: "
       "prefix:'"},
      {"Japan: 25: 45: XX: 36.40: -138.38: -9.0: JA:\n    JA;\n",
       "c.dat: line 1: 'XX' is not a continent"},
      {"Japan: 25: 45: AS: 36.40: -138.38: -9.0: JA:\n    JA,\n    JE\n",
       "c.dat: line 1: the alias list of Japan does not end with ';'"},
      {"Japan: 25: 45: AS: 36.40: -138.38: -9.0: JA:\n    JA,\n    JE{AS;\n",
       "c.dat: line 3: alias 'JE{AS' has an unclosed '{'"},
      {"Japan: 25: 45: AS: 36.40: -138.38: -9.0: JA:\n    JA{ZZ};\n",
       "c.dat: line 2: alias 'JA{ZZ}' names no continent"},
      {"Japan: 25: 45: AS: 36.40: -138.38: -9.0: JA:\n    =(25);\n",
       "c.dat: line 2: alias '=(25)' has no prefix or callsign"},
      {"\n\n", "c.dat: no entities: is this a cty.dat country file?"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    try {
      CountryFile::Parse(c.Text, "c.dat");
      ADD_FAILURE() << "no InputError";
    } catch (const InputError& e) {
      EXPECT_STREQ(e.what(), c.Message);
    }
  }
}

}  // namespace
