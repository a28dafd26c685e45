#include "scoring_model.h"

#include <cctype>
#include <cstring>

namespace {

// The model's own tables: it reads nothing of the plug-in's contest record,
// so that a slip there shows as a difference here.
const char* const kBands[6] = {"160m", "80m", "40m", "20m", "15m", "10m"};
const char* const kDistricts[] = {
    "AC", "AM", "AT", "CB", "EH", "FI", "FO", "FS", "GF", "GM", "HD", "HG", "HS", "HY", "IB", "IK",
    "IR", "IS", "IT", "KA", "KC", "KG", "KK", "KM", "KN", "KR", "KT", "ME", "MG", "MT", "MZ", "NI",
    "NM", "NN", "NR", "NS", "OG", "OH", "OM", "ON", "OS", "OT", "OY", "RM", "SB", "SC", "SG", "SI",
    "SN", "SO", "ST", "SY", "TC", "TG", "TK", "TS", "TT", "TY", "WK", "YG", "YM", "YN"};

bool IsDistrict(const std::string& code) {
  for (const char* district : kDistricts) {
    if (code == district)
      return true;
  }
  return false;
}

int BandIndex(const std::string& band) {
  for (int b = 0; b < 6; ++b) {
    if (band == kBands[b])
      return b;
  }
  return -1;
}

std::string Normalized(const std::string& exchange) {
  std::string code;
  for (char c : exchange)
    code += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  while (!code.empty() && std::isspace(static_cast<unsigned char>(code.back())))
    code.pop_back();
  while (!code.empty() && std::isspace(static_cast<unsigned char>(code.front())))
    code.erase(0, 1);
  return code;
}

std::string Blanked(std::string text) {
  for (char& c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 32 || byte == 127)
      c = ' ';
  }
  return text;
}

bool Same(const QsoRecord& r, const std::string& call, const std::string& band,
          const std::string& mode) {
  return r.Call == call && r.Band == band && r.Mode == mode;
}

bool WorthNothing(const std::string& ownPrefix, const std::string& prefix) {
  return ownPrefix != "JA" && prefix != "JA";
}

bool Counted(const QsoRecord& r) {
  return !r.Call.empty() && !r.Excluded;
}

void EraseFirst(ScoringModel::Texts& list, const std::string& text) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i] == text) {
      list.erase(list.begin() + static_cast<long>(i));
      return;
    }
  }
}

bool Contains(const ScoringModel::Texts& list, const std::string& text) {
  for (const std::string& entry : list) {
    if (entry == text)
      return true;
  }
  return false;
}

}  // namespace

void ScoringModel::Reset(const ResetInput& input) {
  periodStart_ = FormatDateTime(input.PeriodStart, "%d.%m");
  periodEnd_ = FormatDateTime(input.PeriodEnd, "%d.%m.%Y");
  contestant_ = input.OwnCall;
  Records.clear();
  LogBands.clear();
  ownPrefix_ = input.OwnPrefix;
}

int ScoringModel::Add(const QsoInput& qso, std::string& errorLines) {
  std::string head = "QSO:  " + std::to_string(qso.FrequencyHz / 1000) + "  " + qso.Mode + "  " +
                     FormatDateTime(qso.Time, "%Y-%m-%d %H%M") + "  " + qso.OwnCall + "  " +
                     qso.RstSent + "  " + qso.ExchSent + "  " + qso.Call + "  " + qso.RstRcvd +
                     "  " + qso.ExchRcvd;
  head = Blanked(head);
  if (qso.Band == "30m" || qso.Band == "17m" || qso.Band == "12m") {
    errorLines += head + "   NO CONTEST BAND !!!\r\n";
    return 0;
  }
  if (qso.Mode != "CW") {
    errorLines += head + "   NO CONTEST MODE !!!\r\n";
    return 0;
  }
  if (qso.ExchRcvd.empty() || qso.ExchSent.empty()) {
    errorLines += head + "   NO RX NUMBER !!!\r\n";
    return 0;
  }
  if (!Contains(LogBands, qso.Band))
    LogBands.push_back(qso.Band);

  bool folded = qso.Prefix == "IT9" || qso.Prefix == "IG9" || qso.Prefix == "IH9";
  QsoRecord r{qso.Call,
              folded ? "I" : qso.Prefix,
              qso.Continent,
              qso.Band,
              qso.Mode,
              qso.RstRcvd,
              qso.RstSent,
              qso.ExchRcvd,
              qso.ExchSent,
              "",
              static_cast<int32_t>(qso.FrequencyHz / 1000),
              false,
              qso.Time};

  std::string code = Normalized(qso.ExchRcvd);
  if (IsDistrict(code))
    r.District = code;
  else
    errorLines += head + "  " + Blanked(code) + "  Code is not acceptable !!!\r\n";
  int dupeLines = 0;
  for (const QsoRecord& earlier : Records) {
    if (Same(earlier, r.Call, r.Band, r.Mode)) {
      r.Excluded = true;
      if (dupeLines++ < 10)
        errorLines += head + "   DUPE !!!\r\n";
    }
  }
  if (WorthNothing(ownPrefix_, r.Prefix)) {
    r.Excluded = true;
    errorLines += head + "   QSO 0 points !!!\r\n";
  }
  Records.push_back(r);
  return 1;
}

int ScoringModel::Remove(const QsoInput& qso) {
  if (qso.ExchRcvd.empty() || qso.ExchSent.empty())
    return 0;
  size_t first = Records.size(), exact = Records.size();
  for (size_t i = 0; i < Records.size(); ++i) {
    const QsoRecord& r = Records[i];
    if (!Same(r, qso.Call, qso.Band, qso.Mode))
      continue;
    if (first == Records.size())
      first = i;
    bool sameTime = r.Time.State == qso.Time.State &&
                    std::memcmp(&r.Time.Date, &qso.Time.Date, sizeof r.Time.Date) == 0;
    if (exact == Records.size() && sameTime &&
        r.FreqKhz == static_cast<int32_t>(qso.FrequencyHz / 1000) && r.ExchSent == qso.ExchSent &&
        r.ExchRcvd == qso.ExchRcvd)
      exact = i;
  }
  if (first == Records.size())
    return 1;
  size_t victim = exact != Records.size() ? exact : first;
  const std::string removedDistrict = Records[victim].District;
  Records.erase(Records.begin() + static_cast<long>(victim));

  if (victim == first) {
    for (QsoRecord& r : Records) {
      if (Same(r, qso.Call, qso.Band, qso.Mode)) {
        r.Excluded = WorthNothing(ownPrefix_, r.Prefix);
        break;
      }
    }
  }
  int b = BandIndex(qso.Band);
  if (b < 0)
    return 1;
  for (const std::string& code : {Normalized(qso.ExchRcvd), removedDistrict}) {
    bool carried = false;
    for (const QsoRecord& r : Records)
      carried = carried || (r.Band == qso.Band && Counted(r) && r.District == code);
    if (IsDistrict(code) && !carried)
      EraseFirst(DistrictsByBand[b], code);
  }
  return 1;
}

int ScoringModel::CheckCall(const CallCheckInput& input) const {
  for (const QsoRecord& r : Records) {
    if (Same(r, input.Call, input.Band, input.Mode))
      return 0;
  }
  for (const QsoRecord& r : Records) {
    if (r.Band == input.Band && r.Continent == input.Continent)
      return 1;
  }
  return 2;
}

int ScoringModel::IsValidExchange(const std::string& exchange, const std::string& senderPrefix) {
  if (exchange == "599")
    return 0;
  if (senderPrefix == "JA")
    return exchange.size() == 2 && IsDistrict(exchange) ? 1 : 0;
  if (exchange.empty() || exchange.size() > 4)
    return 0;
  for (char c : exchange) {
    if (c < '0' || c > '9')
      return 0;
  }
  return 1;
}

std::array<ScoringModel::Texts, 6> ScoringModel::WorkedBefore(const std::string& call) const {
  std::array<Texts, 6> rows;
  for (int b = 0; b < 6; ++b) {
    for (const QsoRecord& r : Records) {
      if (Same(r, call, kBands[b], "CW"))
        rows[b] = {FormatDateTime(r.Time, "%H:%M"), r.Mode,
                   r.Prefix == "JA" ? r.District : r.ExchRcvd};
    }
  }
  return rows;
}

void ScoringModel::Summary() {
  const bool japanese = ownPrefix_ == "JA";
  SummaryText = "    DKZ CONTEST " + periodStart_ + "-" + periodEnd_ +
                "\r\n\tContestant: " + contestant_ + " \r\n\tQSOs\tPoints\tCounty" +
                (japanese ? "\tCont\r\n" : "\r\n");
  auto padded = [](const std::string& text) {
    return text.size() >= 20 ? text : std::string(20 - text.size(), '0') + text;
  };
  for (size_t i = 0; i + 1 < LogBands.size(); ++i) {
    for (size_t j = i + 1; j < LogBands.size(); ++j) {
      if (padded(LogBands[i]) < padded(LogBands[j]))
        std::swap(LogBands[i], LogBands[j]);
    }
  }
  long long qsos = 0, points = 0, districts = 0, continents = 0;
  for (const std::string& band : LogBands) {
    Texts bandDistricts, bandContinents;
    long long bandQsos = 0, bandPoints = 0;
    for (const QsoRecord& r : Records) {
      if (r.Band != band || !Counted(r))
        continue;
      ++bandQsos;
      bandPoints += japanese && r.Prefix != "JA" ? 5 : 1;
      if (!r.District.empty() && !Contains(bandDistricts, r.District))
        bandDistricts.push_back(r.District);
      if (japanese && !Contains(bandContinents, r.Continent))
        bandContinents.push_back(r.Continent);
    }
    SummaryText += band + "\t " + std::to_string(bandQsos) + "\t " + std::to_string(bandPoints) +
                   "\t " + std::to_string(bandDistricts.size()) +
                   (japanese ? "\t " + std::to_string(bandContinents.size()) : "") + "\r\n";
    qsos += bandQsos;
    points += bandPoints;
    districts += static_cast<long long>(bandDistricts.size());
    continents += static_cast<long long>(bandContinents.size());
    int b = BandIndex(band);
    if (b >= 0) {
      DistrictsByBand[b] = bandDistricts;
      ContinentsByBand[b] = bandContinents;
    }
  }
  SummaryText += "Total\t " + std::to_string(qsos) + "\t " + std::to_string(points) + "\t " +
                 std::to_string(districts) + (japanese ? "\t " + std::to_string(continents) : "") +
                 "\r\n";
  long long score = points * (districts + continents);
  ClaimedScore = score > 2147483647LL ? 2147483647 : static_cast<int>(score);
  SummaryText += "Score\t " + std::to_string(ClaimedScore);
}
