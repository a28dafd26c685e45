// Whole files through the check's reading of a submission (what every upload
// and every file of `dkz-score check` passes).
#include <string>

#include "check/submission.h"
#include "fuzz_target.h"
#include "logs/limited_messages.h"
#include "logs/reading_notes.h"

namespace {

const char kGarbage[] = "\nQSO: 7005 CW 2009-05-30 0002 ^^^ ~~ \x7f\nQSO:\n";
const char kGoodLine[] = "QSO: 7005 CW 2009-05-30 0002 AA1ZZZ 599 1 S50A 599 4\n";

// The QSOs of `before` stand, in order, at the start of `after`'s.
bool Kept(const std::vector<LogQso>& before, const std::vector<LogQso>& after) {
  if (after.size() < before.size())
    return false;
  for (size_t i = 0; i < before.size(); ++i) {
    if (after[i].Line != before[i].Line || after[i].Call != before[i].Call)
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  try {
    Submission before = ReadSubmission("fuzz.log", text);
    FuzzExpect(
        before.Log.Skipped.Kept().size() <= LimitedMessages::kMostKinds * kReadingNotesPerKind,
        "the messages kept stay within their cap");
    for (const std::string& message : ReadingNotes(before.Log))
      FuzzExpect(message.size() <= 400, "a message stays one short line");
    Submission after = ReadSubmission("fuzz.log", text + kGarbage + kGoodLine);
    FuzzExpect(
        Kept(before.Log.Qsos, after.Log.Qsos) && Kept(before.MoreEvidence, after.MoreEvidence),
        "a fault costs only its own line");
    FuzzExpect(EvidenceCount(after) <= EvidenceCount(before) + 1, "a garbage line is no QSO");
  } catch (const InputError&) {
  }
  return 0;
}
