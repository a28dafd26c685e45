// The sponsor's table: the CONTEST: names that mean this contest, and the
// categories a log's Cabrillo headers put it in. A small text file the
// sponsor can change; the check writes the one it used beside its results.
#pragma once

#include <string>
#include <vector>

// A log's category headers, upper case; empty when the log has none.
struct CategoryHeaders {
  std::string Operator;     // CATEGORY-OPERATOR: SINGLE-OP, MULTI-OP, CHECKLOG
  std::string Band;         // CATEGORY-BAND: ALL or one band ("40M")
  std::string Transmitter;  // CATEGORY-TRANSMITTER: ONE, TWO, UNLIMITED
  std::string Power;        // CATEGORY-POWER: HIGH, LOW, QRP
};

struct Category {
  std::string Code;   // "SO-ALL-HP"; "SO-40M-HP" from "SO-{BAND}-HP"
  std::string Title;  // "Single operator, all bands, high power"
};

class SponsorTable {
 public:
  // Throws InputError naming `shownName` and the line it cannot take.
  static SponsorTable Parse(const std::string& text, const std::string& shownName);
  // The table the check uses unless given another: the text below.
  static SponsorTable Default();
  static const char* DefaultText();

  // Whether a CONTEST: value names this contest (case and blanks aside).
  bool IsThisContest(const std::string& contest) const;
  // The first category line that fits; false when none does.
  bool CategoryOf(const CategoryHeaders& headers, Category& category) const;
  // The contest names, "DKZ, DKZ-*".
  std::string ContestNames() const;
  const std::string& Text() const { return text_; }

 private:
  struct Rule {
    std::string Code;
    std::vector<std::string> Values[4];  // operator, band, transmitter, power
    std::string Title;
  };
  std::vector<std::string> contests_;
  std::vector<Rule> rules_;
  std::string text_;
};
