// What the contest cross-check reads and what it finds, apart from any file format.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "check/interned_text.h"

// Texts are interned: a contest holds millions of these at once.
struct CheckQso {
  InternedText Band;  // "40m"; compared as text, case and blanks aside
  int64_t Time = 0;   // UTC seconds by the log's own clock
  InternedText Call;  // the worked station as logged
  InternedText ExchSent;
  InternedText ExchRcvd;
  int Line = 0;       // where the QSO stands in its file, for the results
  InternedText Mode;  // "CW", "SSB"; empty when unknown. A disagreement is no NIL.
  // False for evidence only: a line that shows the QSO took place but is not
  // scored for its own log (the plug-in refused it, it lies outside the period,
  // it is a checklog's, or it was read only leniently). Such a QSO confirms the
  // other side's and gets no verdict of its own.
  bool Judged = true;
  // The rest of the line as the outputs show it (ShownLine).
  uint32_t FrequencyHz = 0;
  InternedText RstSent;
  InternedText RstRcvd;
  InternedText OwnCall;  // as the line names it; empty when it names none
};

// Logs that carry the same call are taken as one station's.
struct CheckLog {
  std::string Call;
  std::vector<CheckQso> Qsos;
  // QSO lines that could not be read even as evidence: a QSO missing from this
  // log may stand on one of them, so it is unverified rather than not in log.
  int UnreadableLines = 0;
};

struct CheckOptions {
  int64_t ToleranceSeconds = 180;
  // Widest clock error looked for; a day also covers a log kept in local time.
  int64_t MaxClockOffsetSeconds = 24 * 3600;
  // A log needs this many QSOs found in other logs before an offset is believed.
  int MinOffsetPairs = 5;
};

// kRepeat: not confirmed, but the log holds the same call on the same band
// confirmed; the plug-in, not the check, judges repeats.
// kUnverified: it would be not in log, but the other log has unreadable lines.
// kModeDiffers: the other log holds it in another mode; kept, and reported.
// kEvidence: not judged (CheckQso::Judged is false); Evidence names the QSO it confirmed.
enum class Verdict {
  kConfirmed,
  kBustedExchange,
  kBustedCall,
  kNotInLog,
  kUnique,
  kUnchecked,
  kRepeat,
  kUnverified,
  kModeDiffers,
  kEvidence
};
constexpr int kVerdictCount = 10;

// "confirmed", "busted_exchange", "busted_call", "nil", "unique", "unchecked",
// "repeat", "unverified", "mode_differs", "evidence".
const char* VerdictName(Verdict verdict);

struct QsoRef {
  int Log = -1;
  int Qso = -1;
  bool Found() const { return Log >= 0; }
};

struct QsoFinding {
  Verdict Kind = Verdict::kUnchecked;
  // Confirmed or busted exchange: the other log's matching QSO (its ExchSent is what was sent).
  // Busted call: the QSO of the near call's log that this entry really was.
  // Not in log: the other log's QSO with this station nearest in time, on any band, if any.
  // Mode differs: the other log's QSO. Evidence: the QSO this line confirmed, if any.
  QsoRef Evidence;
  // Confirmed (or busted exchange) by the other station's entry that miscopied this call.
  bool ByBustedEntry = false;
};

struct LogFindings {
  // This log's clock minus the others': its times were taken back by this much.
  int64_t ClockOffsetSeconds = 0;
  std::vector<QsoFinding> Qsos;  // one per QSO, in log order
};
