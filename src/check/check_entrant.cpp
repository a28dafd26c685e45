#include "check_entrant.h"

#include "reading_notes.h"
#include "core/cabrillo/cabrillo_log.h"
#include "core/base/date_time.h"

Entrant MakeEntrant(const std::string& file, const LogContents& log, const CountryFile& countries) {
  Entrant entrant;
  entrant.File = file;
  entrant.Plan = PlanReplay(log, countries, ReplayOptions(), file);
  entrant.LetterName = LetterNameOf(entrant.Plan.Reset.OwnCall);
  entrant.QsosRead = log.Qsos.size();
  entrant.Notes = ReadingNotes(log);
  for (const std::string& note : LimitEachKind(entrant.Plan.Notes))
    entrant.Notes.push_back(note);
  // No period is set, so every QSO read is handed over, in log order.
  for (const LogQso& qso : log.Qsos)
    entrant.Lines.push_back(qso.Line);
  return entrant;
}

std::string LetterNameOf(const std::string& call) {
  return CabrilloBaseName(call) + ".txt";
}

CheckLog CheckLogOf(const Entrant& entrant) {
  CheckLog log;
  log.Call = entrant.Plan.Reset.OwnCall;
  log.Qsos.reserve(entrant.Stored.size());
  for (int q : entrant.Stored) {
    const QsoInput& qso = entrant.Plan.Qsos[q];
    CalendarTime time{};
    ToCalendarTime(qso.Time, time);
    log.Qsos.push_back(
        {qso.Band, UtcSecondsOf(time), qso.Call, qso.ExchSent, qso.ExchRcvd, entrant.Lines[q]});
  }
  return log;
}

bool TakenOut(Verdict verdict) {
  return verdict == Verdict::kNotInLog || verdict == Verdict::kBustedCall ||
         verdict == Verdict::kBustedExchange;
}

std::vector<int> KeptByCheck(const Entrant& entrant, const LogFindings& findings) {
  std::vector<int> kept;
  for (size_t q = 0; q < entrant.Stored.size(); ++q) {
    if (!TakenOut(findings.Qsos[q].Kind))
      kept.push_back(entrant.Stored[q]);
  }
  return kept;
}
