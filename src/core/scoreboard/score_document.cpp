#include "core/scoreboard/score_document.h"

#include <cstdio>
#include <map>

#include "core/base/text.h"

namespace {

// The length of the UTF-8 sequence that starts at text[at], or 0 when the
// bytes there are not one (overlong forms and surrogates included).
size_t Utf8Length(const std::string& text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80)
    return 1;
  size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  if (lead < 0xC2 || lead > 0xF4 || at + length > text.size())
    return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80)
      return 0;
  }
  const unsigned char second = byte(at + 1);
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
      (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
    return 0;
  return length;
}

// Bands as boards write them: metres without the "m" ("40"); any other text
// of the log as it stands.
std::string BoardBand(const std::string& label) {
  if (label.size() > 1 && label.back() == 'm' &&
      label.find_first_not_of("0123456789") == label.size() - 1)
    return label.substr(0, label.size() - 1);
  return label;
}

std::string Element(const char* name, const std::string& text) {
  return std::string("  <") + name + ">" + XmlText(text) + "</" + name + ">\n";
}

std::string Count(const char* name, const std::string& band, const char* mode, long long value,
                  const char* type = nullptr) {
  std::string line =
      std::string("    <") + name + " band=\"" + XmlText(band) + "\" mode=\"" + mode + "\"";
  if (type != nullptr)
    line += std::string(" type=\"") + type + "\"";
  return line + ">" + std::to_string(value) + "</" + name + ">\n";
}

std::string BandCounts(const ScoreRow& row, bool continents) {
  const std::string band = BoardBand(row.Label);
  std::string lines = Count("qso", band, "CW", row.Qsos) + Count("point", band, "CW", row.Points) +
                      Count("mult", band, "CW", row.Districts, "district");
  if (continents)
    lines += Count("mult", band, "CW", row.Continents, "continent");
  return lines;
}

std::string ClassElement(const StationEntry& station) {
  const auto attribute = [](const char* name, const std::string& value) {
    return std::string(" ") + name + "=\"" + XmlText(value) + "\"";
  };
  return "  <class" + attribute("ops", station.CategoryOperator) +
         attribute("bands", station.CategoryBand) +
         attribute("transmitter", station.CategoryTransmitter) + attribute("power", station.Power) +
         " mode=\"CW\"/>\n";
}

std::string QthElement(const StationEntry& station) {
  if (station.District.empty())
    return "";
  return "  <qth><stprvoth>" + XmlText(station.District) + "</stprvoth></qth>\n";
}

}  // namespace

StationEntry StationOf(const CabrilloLog& header) {
  return {header.Callsign,     header.CategoryOperator,
          header.CategoryBand, header.CategoryTransmitter,
          header.Power,        ""};
}

std::string SentDistrict(const QsoLog& log, const ContestRules& rules) {
  std::map<std::string, size_t> sent;
  std::string most;
  for (size_t i = 0; i < log.Count(); ++i) {
    const QsoRecord& qso = log.At(i);
    const std::string code = ToUpper(Trim(qso.ExchSent));
    if (!Counts(qso) || !rules.IsDistrictCode(code))
      continue;
    if (++sent[code] > (most.empty() ? 0 : sent[most]))
      most = code;
  }
  return most;
}

std::string DynamicResultsXml(const ScorePost& post, const std::string& utcTime) {
  const ScoreTally& tally = post.Tally;
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<dynamicresults>\n" +
                    Element("contest", kCabrilloContest) + Element("call", post.Station.Call) +
                    ClassElement(post.Station) + QthElement(post.Station) +
                    Element("soft", post.Program) + Element("version", post.Version) +
                    "  <breakdown>\n";
  for (const ScoreRow& row : tally.Bands)
    xml += BandCounts(row, tally.ContinentsMultiply);
  xml += Count("qso", "total", "ALL", tally.Total.Qsos) +
         Count("point", "total", "ALL", tally.Total.Points) +
         Count("mult", "total", "ALL", tally.Total.Districts + tally.Total.Continents);
  xml += "  </breakdown>\n" + Element("score", std::to_string(post.Score));
  if (!utcTime.empty())
    xml += Element("timestamp", utcTime);
  return xml + "</dynamicresults>\n";
}

std::string UtcTimeText(const CalendarTime& time) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.Year, time.Month, time.Day,
                time.Hour, time.Minute, time.Second);
  return text;
}

std::string FormBody(const std::string& name, const std::string& value) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string body = name + "=";
  body.reserve(body.size() + value.size() * 3);
  for (char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
        (byte >= 'a' && byte <= 'z') || c == '-' || c == '.' || c == '_' || c == '~') {
      body += c;
    } else {
      body += '%';
      body += kHex[byte >> 4];
      body += kHex[byte & 0x0F];
    }
  }
  return body;
}

std::string XmlText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    const size_t length = Utf8Length(text, i);
    if (length == 0) {
      out += '?';
      ++i;
      continue;
    }
    if (length > 1) {
      out.append(text, i, length);
    } else if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else if (c == '\'') {
      out += "&apos;";
    } else {
      out += IsControlCharacter(c) ? ' ' : c;
    }
    i += length;
  }
  return out;
}
