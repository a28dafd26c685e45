// The cross-check of every log of a contest against the others. For each
// judged QSO that station A logged with call B, in this order:
//   confirmed       B's log holds a QSO with A on the band within the tolerance
//                   (busted exchange when A's received exchange is not what B
//                   sent; mode differs when B logged another mode);
//   busted call     a log D one character away from B holds such a QSO that no
//                   other QSO of A's confirms: A miscopied D, and D's QSO stands;
//   not in log      B sent a log (unverified when B's log has unreadable lines);
//   unique          B sent no log and no other log holds B;
//   unchecked       B sent no log but others worked B;
//   repeat          rather than any of the last four, when another QSO of A's
//                   with B on the band is confirmed: repeats are the plug-in's to judge.
// Every line of a log is evidence: one that is not judged still confirms the
// other side's QSO. Each QSO confirms at most one other, in the same mode
// before another, then the nearest in time. Logs with a wrong clock are
// matched after taking out their constant offset.
#pragma once

#include <vector>

#include "check/check_types.h"

// One LogFindings per log, in the order given.
std::vector<LogFindings> CheckContest(const std::vector<CheckLog>& logs,
                                      const CheckOptions& options = {});
