// A generated contest as sponsors receive it: logs written the ways entrants
// really write them. The check must find no NIL the world does not hold, and
// say plainly what it did with each file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>

#include "../scorer/debian_country_file.h"
#include "check/check_outputs.h"
#include "check/check_run.h"
#include "check/entrant_facts.h"
#include "contest_cabrillo.h"
#include "contest_world.h"
#include "logs/log_file.h"
#include "native_plugin/native_pass.h"
#include "submission_variants.h"

namespace fs = std::filesystem;

namespace {

struct Received {
  GeneratedContest World;
  std::vector<SubmissionVariant> Variants;
  CheckedContest Checked;
};

const Received& TheContest() {
  static const Received received = [] {
    Received r;
    WorldOptions options;
    options.Seed = 11;
    options.Stations = 90;
    options.MeanQsos = 70;
    r.World = GenerateContest(options);
    fs::path folder = fs::temp_directory_path() / ("dkz-submissions-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    r.Variants = WriteSubmissionVariants(r.World, folder.string());
    OutputsInMemory outputs(CheckSettings().Table, {});
    r.Checked = CheckSubmissions(
        folder.string(), ReceivedFilesIn(folder.string()), DebianCountries(), CheckSettings(),
        [](int) { return std::make_unique<NativeScorer>(); }, outputs);
    fs::remove_all(folder);
    return r;
  }();
  return received;
}

const SubmissionVariant& VariantOf(const char* kind) {
  for (const SubmissionVariant& v : TheContest().Variants) {
    if (v.Kind == kind)
      return v;
  }
  throw std::runtime_error(kind);
}

const Receipt& ReceiptOf(const std::string& file) {
  for (const Receipt& r : TheContest().Checked.Received) {
    if (r.File == file)
      return r;
  }
  throw std::runtime_error(file);
}

TEST(Submissions, NoQsoIsTakenOutThatTheWorldHoldsGood) {
  const Received& r = TheContest();
  std::map<std::pair<std::string, int>, Verdict> truth;
  for (size_t l = 0; l < r.World.Logs.size(); ++l) {
    for (size_t q = 0; q < r.World.Logs[l].Log.Qsos.size(); ++q)
      truth[{r.World.Logs[l].Log.Call, r.World.Logs[l].Log.Qsos[q].Line}] = r.World.Expected[l][q];
  }
  int takenOut = 0, unverified = 0, modeDiffers = 0;
  const CheckedContest& c = r.Checked;
  for (size_t e = 0; e < c.Logs.size(); ++e) {
    for (size_t q = 0; q < c.Logs[e].Qsos.size(); ++q) {
      Verdict found = c.Findings[e].Qsos[q].Kind;
      unverified += found == Verdict::kUnverified;
      modeDiffers += found == Verdict::kModeDiffers;
      if (found != Verdict::kNotInLog && found != Verdict::kBustedCall &&
          found != Verdict::kBustedExchange)
        continue;
      ++takenOut;
      auto expected = truth.find({c.Logs[e].Call, c.Logs[e].Qsos[q].Line});
      EXPECT_TRUE(expected != truth.end() && expected->second == found)
          << c.Logs[e].Call << " line " << c.Logs[e].Qsos[q].Line << ": " << VerdictName(found)
          << " " << ShownLineOf(c, {static_cast<int>(e), static_cast<int>(q)}) << " | "
          << (c.Findings[e].Qsos[q].Evidence.Found()
                  ? ShownLineOf(c, c.Findings[e].Qsos[q].Evidence)
                  : "");
    }
  }
  EXPECT_GT(takenOut, 20);
  EXPECT_GT(unverified, 0) << "QSOs that stand on the unreadable lines";
  EXPECT_GT(modeDiffers, 0) << "QSOs the other side logged in phone";
}

TEST(Submissions, EachFileIsCheckedOrSetAsideForAPlainReason) {
  struct Expected {
    const char* Kind;
    ReceiptStatus Status;
    const char* Reason;
  };
  const Expected rows[] = {
      {"colon_times_mhz", ReceiptStatus::kChecked, ""},
      {"short_times_khz", ReceiptStatus::kChecked, ""},
      {"some_phone", ReceiptStatus::kChecked, ""},
      {"all_phone", ReceiptStatus::kNotScored, "Stats.dll stored none of its"},
      {"other_contest", ReceiptStatus::kRejected, "CQ-WW-CW, another contest"},
      {"checklog", ReceiptStatus::kChecklog, ""},
      {"resubmitted", ReceiptStatus::kSuperseded, "superseded by "},
      {"fake_older", ReceiptStatus::kSuperseded, "superseded by "},
      {"late_qsos", ReceiptStatus::kChecked, ""},
      {"other_year", ReceiptStatus::kRejected, "no QSO of it lies in the contest period"},
      {"unreadable_lines", ReceiptStatus::kChecked, ""},
  };
  for (const Expected& row : rows) {
    const Receipt& receipt = ReceiptOf(VariantOf(row.Kind).File);
    EXPECT_EQ(ReceiptStatusName(receipt.Status), std::string(ReceiptStatusName(row.Status)))
        << row.Kind << ": " << receipt.Reason;
    EXPECT_NE(receipt.Reason.find(row.Reason), std::string::npos)
        << row.Kind << ": " << receipt.Reason;
  }
  // The real log of a station with an older file beside it counts, whatever the names.
  for (const char* kind : {"resubmitted", "fake_older"}) {
    const SubmissionVariant& v = VariantOf(kind);
    const Receipt& real = ReceiptOf(CabrilloFileName(TheContest().World.Logs[v.Log].Log.Call));
    EXPECT_EQ(real.Status, ReceiptStatus::kChecked) << kind;
    EXPECT_EQ(real.LinesRead, TheContest().World.Logs[v.Log].Log.Qsos.size()) << kind;
  }
  // Three lines in five were written with colon times and MHz: evidence, not lost.
  size_t lines = TheContest().World.Logs[VariantOf("colon_times_mhz").Log].Log.Qsos.size();
  EXPECT_EQ(ReceiptOf(VariantOf("colon_times_mhz").File).EvidenceOnly,
            lines / 5 * 3 + std::min<size_t>(lines % 5, 3));
  EXPECT_EQ(ReceiptOf(VariantOf("unreadable_lines").File).Unreadable, 5);
}

}  // namespace
