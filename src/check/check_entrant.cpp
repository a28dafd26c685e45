#include "check/check_entrant.h"

#include <cctype>

#include "check/call_text.h"
#include "core/base/date_time.h"
#include "core/cabrillo/cabrillo_log.h"

std::string LetterNameOf(const std::string& call) {
  std::string name;
  for (char c : MatchForm(call).substr(0, kLongestCall)) {
    bool kept = std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-';
    name += kept && static_cast<unsigned char>(c) < 0x80 ? c : '_';
  }
  // CON, PRN, AUX, NUL, COM0-9 and LPT0-9 name devices, with any extension.
  const std::string head = name.substr(0, 3);
  bool device =
      name.size() == 3 && (head == "CON" || head == "PRN" || head == "AUX" || head == "NUL");
  device = device || (name.size() == 4 && (head == "COM" || head == "LPT") &&
                      std::isdigit(static_cast<unsigned char>(name[3])) != 0);
  if (device)
    name += '_';
  return name.empty() ? "_" : name;
}

bool TakenOut(Verdict verdict) {
  return verdict == Verdict::kNotInLog || verdict == Verdict::kBustedCall ||
         verdict == Verdict::kBustedExchange;
}

std::vector<int> KeptByCheck(const Entrant& entrant, const CheckLog& log,
                             const LogFindings& findings) {
  std::vector<int> kept;
  for (size_t q = 0; q < log.Qsos.size(); ++q) {
    if (log.Qsos[q].Judged && !TakenOut(findings.Qsos[q].Kind))
      kept.push_back(entrant.PlanOf[q]);
  }
  return kept;
}

std::string ShownLine(const LogQso& qso, const std::string& ownCall) {
  CabrilloLog line;
  line.Callsign = qso.OwnCall.empty() ? ownCall : qso.OwnCall;
  line.AddQsoLine(qso.Call, static_cast<int32_t>(qso.FrequencyHz / 1000),
                  qso.Mode == "SSB" ? "PH" : qso.Mode, qso.Time, qso.RstSent, qso.ExchSent,
                  qso.RstRcvd, qso.ExchRcvd);
  std::string text = line.QsoLines.front();
  return text.substr(0, text.size() - 2);  // without CR LF
}

std::string ShownLine(const CheckQso& qso, const std::string& ownCall) {
  LogQso line;
  line.OwnCall = qso.OwnCall;
  line.Call = qso.Call;
  line.FrequencyHz = qso.FrequencyHz;
  line.Mode = qso.Mode;
  line.Time = MakeOleDateTime(CalendarOf(qso.Time));
  line.RstSent = qso.RstSent;
  line.ExchSent = qso.ExchSent;
  line.RstRcvd = qso.RstRcvd;
  line.ExchRcvd = qso.ExchRcvd;
  return ShownLine(line, ownCall);
}
