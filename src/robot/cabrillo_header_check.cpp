#include "robot/cabrillo_header_check.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/base/text.h"
#include "logs/log_values.h"
#include "robot/robot_text.h"

namespace {

// Cabrillo 3's header tags; "X-" tags are anyone's own and always allowed.
constexpr std::array<std::string_view, 31> kKnownTags = {"START-OF-LOG",
                                                         "END-OF-LOG",
                                                         "CALLSIGN",
                                                         "CONTEST",
                                                         "CATEGORY-ASSISTED",
                                                         "CATEGORY-BAND",
                                                         "CATEGORY-MODE",
                                                         "CATEGORY-OPERATOR",
                                                         "CATEGORY-POWER",
                                                         "CATEGORY-STATION",
                                                         "CATEGORY-TIME",
                                                         "CATEGORY-TRANSMITTER",
                                                         "CATEGORY-OVERLAY",
                                                         "CERTIFICATE",
                                                         "CLAIMED-SCORE",
                                                         "CLUB",
                                                         "CREATED-BY",
                                                         "EMAIL",
                                                         "GRID-LOCATOR",
                                                         "LOCATION",
                                                         "NAME",
                                                         "ADDRESS",
                                                         "ADDRESS-CITY",
                                                         "ADDRESS-STATE-PROVINCE",
                                                         "ADDRESS-POSTALCODE",
                                                         "ADDRESS-COUNTRY",
                                                         "OPERATORS",
                                                         "OFFTIME",
                                                         "SOAPBOX",
                                                         "QSO",
                                                         "X-QSO"};

struct CategoryTag {
  const char* Tag;
  std::vector<std::string> Allowed;
};

// What this contest takes in each category tag: the bands are its six, the
// mode CW only; the rest as Cabrillo 3 defines them.
const std::vector<CategoryTag>& CategoryTags() {
  static const std::vector<CategoryTag> tags = {
      {"CATEGORY-OPERATOR", {"SINGLE-OP", "MULTI-OP", "CHECKLOG"}},
      {"CATEGORY-BAND", {"ALL", "160M", "80M", "40M", "20M", "15M", "10M"}},
      {"CATEGORY-POWER", {"HIGH", "LOW", "QRP"}},
      {"CATEGORY-MODE", {"CW"}},
      {"CATEGORY-TRANSMITTER", {"ONE", "TWO", "LIMITED", "UNLIMITED", "SWL"}},
      {"CATEGORY-ASSISTED", {"ASSISTED", "NON-ASSISTED"}},
      {"CATEGORY-STATION",
       {"FIXED", "MOBILE", "PORTABLE", "ROVER", "ROVER-LIMITED", "ROVER-UNLIMITED", "EXPEDITION",
        "HQ", "SCHOOL", "DISTRIBUTED"}},
      {"CATEGORY-TIME", {"6-HOURS", "8-HOURS", "12-HOURS", "24-HOURS"}},
      {"CATEGORY-OVERLAY", {"CLASSIC", "ROOKIE", "TB-WIRES", "YOUTH", "NOVICE-TECH", "OVER-50"}},
  };
  return tags;
}

// The edit distance of `a` and `b`, or `limit` + 1 when it is more than
// `limit`: only the band of the table within `limit` of its diagonal is
// worked out, so that a long tag costs no more than a short one.
size_t EditDistanceUpTo(std::string_view a, std::string_view b, size_t limit) {
  const size_t far = limit + 1;
  if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > limit)
    return far;
  std::vector<size_t> row(b.size() + 1, far);
  for (size_t j = 0; j <= std::min(b.size(), limit); ++j)
    row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    const size_t first = i > limit ? i - limit : 1;
    const size_t last = std::min(b.size(), i + limit);
    size_t diagonal = row[first - 1];
    row[first - 1] = first == 1 && i <= limit ? i : far;
    size_t best = row[first - 1];
    for (size_t j = first; j <= last; ++j) {
      const size_t above = row[j];
      row[j] =
          std::min({far, above + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
      best = std::min(best, row[j]);
    }
    if (last < b.size())
      row[last + 1] = far;
    if (best > limit)
      return far;
  }
  return std::min(row[b.size()], far);
}

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words)
    text += (text.empty() ? "" : ", ") + word;
  return text;
}

std::string Where(int line) {
  return "line " + std::to_string(line) + ": ";
}

void ReadTagLine(CabrilloHeader& header, int line, const std::string& tag,
                 const std::string& value) {
  if (tag == "START-OF-LOG")
    header.StartOfLog = true;
  if (tag == "QSO" || tag == "X-QSO")
    return;
  bool known = std::find(kKnownTags.begin(), kKnownTags.end(), tag) != kKnownTags.end();
  if (known || tag.compare(0, 2, "X-") == 0) {
    if (known)
      header.Values.emplace(tag, value);
    return;
  }
  std::string fault = Where(line) + "unknown tag '" + Clipped(tag, 40) + ":'";
  std::string nearest = NearestTag(tag);
  if (!nearest.empty()) {
    fault += " (did you mean " + nearest + ":?)";
    header.Values.emplace(nearest, value);
  }
  header.Faults.Add(fault);
}

}  // namespace

CabrilloHeader ReadCabrilloHeader(const std::string& text) {
  CabrilloHeader header;
  int line = 0;
  size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  while (start < text.size()) {
    // A line ends at LF, CR LF or a lone CR, as the readers take it.
    const size_t lineStart = start;
    const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    ++line;
    // Only the head of a line is read: a tag is short, and a line of
    // megabytes costs no more than one of a hundred bytes.
    std::string head = Trim(text.substr(lineStart, std::min<size_t>(end - lineStart, 200)));
    if (head.empty())
      continue;
    size_t colon = head.find(':');
    if (colon == std::string::npos) {
      header.Faults.Add(Where(line) + "not a 'TAG: value' line: '" + Clipped(head, 40) + "'");
      continue;
    }
    std::string tag = ToUpper(Trim(head.substr(0, colon)));
    if (tag == "END-OF-LOG") {
      header.EndOfLog = true;
      break;
    }
    ReadTagLine(header, line, tag, Trim(head.substr(colon + 1)));
  }
  return header;
}

std::string NearestTag(const std::string& tag) {
  std::string best;
  const size_t kFarthest = 2;
  size_t bestDistance = kFarthest + 1;
  for (std::string_view known : kKnownTags) {
    size_t distance = EditDistanceUpTo(tag, known, kFarthest);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = std::string(known);
    }
  }
  return best;
}

std::vector<std::string> CategoryFaults(const CabrilloHeader& header) {
  std::vector<std::string> faults;
  std::map<std::string, std::string> valid;  // tag -> allowed value given
  for (const CategoryTag& tag : CategoryTags()) {
    auto found = header.Values.find(tag.Tag);
    if (found == header.Values.end())
      continue;
    std::string value = ToUpper(found->second);
    if (std::find(tag.Allowed.begin(), tag.Allowed.end(), value) == tag.Allowed.end()) {
      faults.push_back(std::string(tag.Tag) + ": '" + Clipped(found->second, 40) +
                       "' is not a value this contest takes (" + Joined(tag.Allowed) + ")");
      continue;
    }
    valid[tag.Tag] = value;
  }
  auto value = [&](const char* tag) {
    auto found = valid.find(tag);
    return found == valid.end() ? std::string() : found->second;
  };
  std::string op = value("CATEGORY-OPERATOR");
  std::string band = value("CATEGORY-BAND");
  std::string power = value("CATEGORY-POWER");
  std::string transmitter = value("CATEGORY-TRANSMITTER");
  if (op.empty() && !header.Values.count("CATEGORY-OPERATOR"))
    faults.push_back("no CATEGORY-OPERATOR: (SINGLE-OP, MULTI-OP or CHECKLOG)");
  if (op != "CHECKLOG" && power.empty() && !header.Values.count("CATEGORY-POWER"))
    faults.push_back("no CATEGORY-POWER: (HIGH, LOW or QRP)");
  if (op == "MULTI-OP" && transmitter.empty())
    faults.push_back("a MULTI-OP entry names its CATEGORY-TRANSMITTER: (ONE, TWO, ...)");
  if (op == "MULTI-OP" && !band.empty() && band != "ALL")
    faults.push_back("a MULTI-OP entry is all bands, not CATEGORY-BAND: " + band);
  if (op == "SINGLE-OP" && !transmitter.empty() && transmitter != "ONE")
    faults.push_back("a SINGLE-OP entry has one transmitter, not " + transmitter);
  return faults;
}
