#include "check/check_run.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <new>
#include <set>
#include <stdexcept>

#include "check/call_text.h"
#include "check/contest_check.h"
#include "check/side_by_side.h"
#include "core/base/date_time.h"
#include "core/contest/contest_rules.h"
#include "logs/log_file.h"
#include "logs/log_values.h"
#include "logs/reading_notes.h"

namespace {

// Reads a file into a submission, or says in the receipt why it is set aside.
bool Receive(const ReceivedFile& file, const FileBytes& bytesOf, const SponsorTable& table,
             Submission& submission, Receipt& receipt) {
  auto reject = [&](const std::string& why) {
    receipt.Status = ReceiptStatus::kRejected;
    receipt.Reason = why;
    return false;
  };
  try {
    submission = ReadSubmission(file.Name, bytesOf(file));
  } catch (const InputError& error) {
    return reject(error.what());
  } catch (const std::bad_alloc&) {
    return reject("too big to be read in the memory there is");
  }
  const Submission& s = submission;
  receipt.Call = s.Call;
  receipt.Header = s.Header;
  receipt.LinesRead = s.Log.Qsos.size();
  receipt.EvidenceOnly = s.MoreEvidence.size();
  receipt.Unreadable = s.UnreadableLines;
  if (!s.Header.Contest.empty() && !table.IsThisContest(s.Header.Contest)) {
    return reject("its CONTEST: header names " + s.Header.Contest +
                  ", another contest (this one is " + table.ContestNames() + ")");
  }
  if (s.Call.empty())
    return reject("it names no own call (CALLSIGN:, STATION_CALLSIGN or OPERATOR)");
  if (s.Call.size() > kLongestCall) {
    receipt.Call = s.Call.substr(0, kLongestCall) + "...";
    return reject("its own call has " + std::to_string(s.Call.size()) +
                  " characters: no call is that long");
  }
  if (!IsCallsign(s.Call)) {
    return reject("its own call '" + s.Call +
                  "' is not a callsign (letters, digits and '/', with a digit)");
  }
  if (EvidenceCount(s) == 0) {
    // Every QSO line the reader skipped is among the unreadable ones (ADIF counts
    // them as such; Cabrillo adds X-QSO lines): count each line once.
    size_t lines = std::max(s.Log.Skipped.size(), static_cast<size_t>(s.UnreadableLines));
    return reject(lines == 0 ? "no QSO found"
                             : "none of its " + std::to_string(lines) + " QSO lines could be read");
  }
  receipt.Status = ReceiptStatus::kChecked;
  return true;
}

// The newest file of each call counts; the others are superseded by it.
std::vector<int> ChooseOnePerStation(const std::vector<ReceivedFile>& files,
                                     std::vector<Receipt>& received) {
  std::map<std::string, int> newest;  // call -> file
  auto lines = [&](int f) { return received[f].LinesRead + received[f].EvidenceOnly; };
  auto order = [&](int f) { return SubmissionOrder{files[f].Modified, lines(f), files[f].Name}; };
  for (int f = 0; f < static_cast<int>(files.size()); ++f) {
    if (received[f].Status != ReceiptStatus::kChecked)
      continue;
    auto [at, fresh] = newest.emplace(MatchForm(received[f].Call), f);
    if (!fresh && Replaces(order(f), order(at->second)))
      at->second = f;
  }
  std::vector<int> chosen;
  for (int f = 0; f < static_cast<int>(files.size()); ++f) {
    if (received[f].Status != ReceiptStatus::kChecked)
      continue;
    int kept = newest[MatchForm(received[f].Call)];
    if (kept == f) {
      chosen.push_back(f);
      continue;
    }
    received[f].Status = ReceiptStatus::kSuperseded;
    received[f].Reason = "superseded by " + files[kept].Name + ", the newer file of " +
                         received[f].Call + " (" + std::to_string(lines(f)) + " QSO lines here, " +
                         std::to_string(lines(kept)) + " there)";
  }
  return chosen;
}

// A QSO's time, made by its reader from calendar fields.
CalendarTime CalendarOfQso(const LogQso& qso) {
  CalendarTime time{};
  ToCalendarTime(qso.Time, time);
  return time;
}

// The district code a Japanese station sent most, or empty.
std::string DistrictSent(const ReplayPlan& plan) {
  std::map<std::string, int> counts;
  for (const QsoInput& qso : plan.Qsos) {
    std::string code = NormalizeCode(qso.ExchSent);
    if (kDkzRules.IsDistrictCode(code))
      ++counts[code];
  }
  auto most = std::max_element(counts.begin(), counts.end(),
                               [](const auto& a, const auto& b) { return a.second < b.second; });
  return most == counts.end() ? "" : most->first;
}

// The submission's QSOs of the period, as the plug-in is handed them.
ReplayPlan PlanOfPeriod(const Submission& s, const CountryFile& countries,
                        const ContestPeriod& period) {
  ReplayOptions options;
  options.OwnCall = s.Call;
  options.PeriodStart = period.First;
  options.PeriodEnd = period.Last;
  return PlanReplay(s.Log, countries, options, s.File);
}

// The entrant of a chosen submission, planned for the period; throws
// InputError for one that cannot be checked.
Entrant MakeEntrant(const Submission& s, const CountryFile& countries,
                    const ContestPeriod& period) {
  Entrant e;
  e.File = s.File;
  e.Call = MatchForm(s.Call);
  e.Header = s.Header;
  e.QsosRead = s.Log.Qsos.size();
  e.EvidenceOnlyLines = s.MoreEvidence.size();
  e.UnreadableLines = s.UnreadableLines;
  e.Notes = ReadingNotes(s.Log);
  bool inPeriod = false;
  for (const LogQso& qso : s.Log.Qsos)
    inPeriod = inPeriod || period.Holds(CalendarOfQso(qso));
  for (const LogQso& qso : s.MoreEvidence)
    inPeriod = inPeriod || period.Holds(CalendarOfQso(qso));
  if (!inPeriod)
    throw InputError("no QSO of it lies in the contest period, " + period.Text());
  if (!countries.Find(e.Call, e.Country)) {
    throw InputError("the country file knows no entity for its own call " + e.Call +
                     ": it cannot be scored");
  }
  e.Japanese = kDkzRules.IsJapanese(kDkzRules.FoldPrefix(e.Country.Prefix));
  if (!s.Log.Qsos.empty()) {
    e.Plan = PlanOfPeriod(s, countries, period);
    for (const std::string& note : LimitEachKind(e.Plan.Notes))
      e.Notes.push_back(note);
  }
  if (e.Header.Categories.Operator == "CHECKLOG")
    e.Kind = EntrantKind::kChecklog;
  e.District = e.Japanese ? DistrictSent(e.Plan) : "";
  return e;
}

// Every QSO line of the submission, in file order: judged when the plug-in
// stored it for a log that is ranked, evidence otherwise.
CheckLog CheckLogOf(const Submission& s, Entrant& e, const std::vector<bool>& stored) {
  std::vector<int> planOfQso(s.Log.Qsos.size(), -1);
  for (size_t p = 0; p < e.Plan.Source.size(); ++p)
    planOfQso[e.Plan.Source[p]] = static_cast<int>(p);
  struct Line {
    const LogQso* Qso;
    int Plan;
  };
  std::vector<Line> lines;
  for (size_t i = 0; i < s.Log.Qsos.size(); ++i)
    lines.push_back({&s.Log.Qsos[i], planOfQso[i]});
  for (const LogQso& qso : s.MoreEvidence)
    lines.push_back({&qso, -1});
  std::stable_sort(lines.begin(), lines.end(),
                   [](const Line& a, const Line& b) { return a.Qso->Line < b.Qso->Line; });
  CheckLog log;
  log.Call = e.Call;
  log.UnreadableLines = e.UnreadableLines;
  log.Qsos.reserve(lines.size());
  e.PlanOf.reserve(lines.size());
  for (const Line& line : lines) {
    const LogQso& qso = *line.Qso;
    CheckQso q;
    q.Band = qso.Band;
    q.Time = UtcSecondsOf(CalendarOfQso(qso));
    q.Call = qso.Call;
    q.ExchSent = qso.ExchSent;
    q.ExchRcvd = qso.ExchRcvd;
    q.Line = qso.Line;
    q.Mode = qso.Mode;
    q.Judged = e.Kind == EntrantKind::kRanked && line.Plan >= 0 && stored[line.Plan];
    q.FrequencyHz = qso.FrequencyHz;
    q.RstSent = qso.RstSent;
    q.RstRcvd = qso.RstRcvd;
    q.OwnCall = qso.OwnCall;
    log.Qsos.push_back(q);
    e.PlanOf.push_back(line.Plan);
  }
  return log;
}

// A single-band entry's QSOs on other bands.
std::string CategoryFault(const Entrant& e) {
  const std::string& band = e.Header.Categories.Band;
  if (band.empty() || band == "ALL")
    return "";
  int elsewhere = 0;
  for (int p : e.Stored)
    elsewhere += MatchForm(e.Plan.Qsos[p].Band) != band;
  return elsewhere == 0 ? ""
                        : "CATEGORY-BAND " + band + ", but " + std::to_string(elsewhere) +
                              (elsewhere == 1 ? " QSO is" : " QSOs are") + " on other bands";
}

}  // namespace

void NameLetters(std::vector<Entrant>& entrants, const std::vector<std::string>& taken) {
  std::set<std::string> used;
  for (const std::string& name : taken)
    used.insert(MatchForm(name));
  for (Entrant& e : entrants) {
    std::string base = LetterNameOf(e.Call);
    std::string name = base;
    for (int n = 2; used.count(MatchForm(name)) != 0; ++n)
      name = base + "-" + std::to_string(n);
    used.insert(MatchForm(name));
    e.LetterName = name;
  }
}

namespace {

// The lanes' scorers, one each, made once for every pass.
class Lanes {
 public:
  Lanes(int lanes, const ScorerMaker& makeScorer) {
    for (int l = 0; l < std::max(1, lanes); ++l)
      scorers_.push_back(makeScorer ? makeScorer(l) : nullptr);
  }

  void Run(int count, const std::function<void(int item, LogScorer* scorer)>& work) {
    RunSideBySide(count, static_cast<int>(scorers_.size()),
                  [&](int item, int lane) { work(item, scorers_[lane].get()); });
  }

 private:
  std::vector<std::unique_ptr<LogScorer>> scorers_;
};

// What a received file leaves behind once read: enough to choose the period.
QsosPerDay DaysOf(const Submission& s) {
  QsosPerDay days;
  for (const LogQso& qso : s.Log.Qsos)
    CountDay(days, CalendarOfQso(qso));
  for (const LogQso& qso : s.MoreEvidence)
    CountDay(days, CalendarOfQso(qso));
  return days;
}

// Bytes of memory a QSO line takes while the contest is checked (its line,
// its place in the index, its finding), with room to spare; and a log file's
// bytes per QSO line at the most (a Cabrillo QSO line has about 80, an ADIF
// record up to about 300): before the files are read, the fewest lines they
// can hold.
constexpr uint64_t kMemoryPerLine = 200;
constexpr uint64_t kFileBytesPerLine = 300;

void RequireRoom(uint64_t lines, const std::string& what, uint64_t room) {
  uint64_t needed = lines * kMemoryPerLine;
  if (room == 0 || needed <= room)
    return;
  auto megabytes = [](uint64_t bytes) {
    uint64_t tenths = (bytes + 50000) / 100000;
    return std::to_string(tenths / 10) + (tenths < 100 ? "." + std::to_string(tenths % 10) : "") +
           " MB";
  };
  throw InputError("checking " + what + " needs at least " + megabytes(needed) +
                   " of memory, and this process has " + megabytes(room) +
                   " left: check the folder on a machine with more memory (the 64-bit build "
                   "for Linux is not held to a 32-bit address space), or in parts");
}

}  // namespace

CheckedContest CheckSubmissions(const std::string& folder, const std::vector<ReceivedFile>& files,
                                const CountryFile& countries, const CheckSettings& settings,
                                const ScorerMaker& makeScorer, CheckSink& sink) {
  auto bytesOf = [&folder](const ReceivedFile& file) {
    std::string path = folder + "/" + file.Name;
    if (file.Bytes > kMaxLogBytes)
      ReadLogFile(path, file.Name);  // refuses it by its size, unread, in the readers' words
    return ReadTextFile(path, file.Name);
  };
  return CheckSubmissions(files, bytesOf, countries, settings, makeScorer, sink);
}

CheckedContest CheckSubmissions(const std::vector<ReceivedFile>& files, const FileBytes& bytesOf,
                                const CountryFile& countries, const CheckSettings& settings,
                                const ScorerMaker& makeScorer, CheckSink& sink) {
  uint64_t folderBytes = 0;
  for (const ReceivedFile& file : files)
    folderBytes += std::min<uint64_t>(file.Bytes, kMaxLogBytes);
  RequireRoom(folderBytes / kFileBytesPerLine,
              "the " + std::to_string(files.size()) + " files of the folder", settings.MemoryRoom);

  CheckedContest contest;
  contest.Minutes = settings.Minutes;
  contest.Received.resize(files.size());
  CheckProgress progress;
  progress.Files = static_cast<int>(files.size());
  std::mutex lock;  // the progress
  auto tell = [&](int CheckProgress::*count) {
    std::lock_guard<std::mutex> hold(lock);
    ++(progress.*count);
    sink.Progress(progress);
  };
  Lanes lanes(settings.Lanes, makeScorer);

  // Each file read once to receive it; only its receipt and days are kept,
  // but for a folder of one file (the robot's look at one upload): it is
  // kept as read, which fits, rather than read three times.
  std::optional<Submission> onlyFile;
  std::vector<QsosPerDay> days(files.size());
  // Read again later, a file must be as it was.
  std::vector<size_t> fingerprints(files.size());
  lanes.Run(static_cast<int>(files.size()), [&](int f, LogScorer*) {
    Submission submission;
    contest.Received[f].File = files[f].Name;
    auto bytesNoted = [&](const ReceivedFile& file) {
      std::string bytes = bytesOf(file);
      fingerprints[f] = std::hash<std::string>()(bytes);
      return bytes;
    };
    if (Receive(files[f], bytesNoted, settings.Table, submission, contest.Received[f])) {
      days[f] = DaysOf(submission);
      if (files.size() == 1)
        onlyFile = std::move(submission);
    }
    tell(&CheckProgress::Read);
  });
  std::vector<int> chosen = ChooseOnePerStation(files, contest.Received);
  QsosPerDay contestDays;
  uint64_t lines = 0;
  for (int f : chosen) {
    for (const auto& [day, count] : days[f])
      contestDays[day] += count;
    lines += contest.Received[f].LinesRead + contest.Received[f].EvidenceOnly;
  }
  days.clear();
  contest.Period = ChoosePeriod(settings.From, settings.To, contestDays);
  RequireRoom(
      lines,
      "the " + std::to_string(lines) + " QSO lines of " + std::to_string(chosen.size()) + " logs",
      settings.MemoryRoom);

  // Read again: each entrant planned for the period, its claimed pass scored
  // (what the plug-in stores makes the QSOs judged), its lines kept compact.
  struct Planned {
    std::optional<Entrant> Made;
    CheckLog Log;
  };
  std::vector<Planned> planned(chosen.size());
  progress.Entrants = static_cast<int>(chosen.size());
  auto readAgain = [&](int f) {
    if (onlyFile)
      return *onlyFile;
    std::string bytes = bytesOf(files[f]);
    if (std::hash<std::string>()(bytes) != fingerprints[f])
      throw InputError(files[f].Name + " changed while the check ran: run it again");
    return ReadSubmission(files[f].Name, bytes);
  };
  lanes.Run(static_cast<int>(chosen.size()), [&](int i, LogScorer* scorer) {
    Receipt& receipt = contest.Received[chosen[i]];
    Submission submission = readAgain(chosen[i]);
    Entrant entrant;
    try {
      entrant = MakeEntrant(submission, countries, contest.Period);
    } catch (const InputError& error) {
      receipt.Status = ReceiptStatus::kRejected;
      receipt.Reason = error.what();
      tell(&CheckProgress::Scored);
      return;
    }
    std::vector<bool> stored;
    if (entrant.Kind != EntrantKind::kChecklog && !entrant.Plan.Qsos.empty())
      entrant.ClaimedSummary = scorer->Score(entrant.Plan.Reset, entrant.Plan.Qsos, &stored);
    stored.resize(entrant.Plan.Qsos.size(), false);
    for (size_t p = 0; p < stored.size(); ++p) {
      if (stored[p])
        entrant.Stored.push_back(static_cast<int>(p));
    }
    if (entrant.Kind == EntrantKind::kRanked && entrant.Stored.empty()) {
      entrant.Kind = EntrantKind::kNotScored;
      entrant.NotScoredWhy =
          entrant.Plan.Qsos.empty()
              ? "none of its QSO lines is in the form this contest's logs take and in the period"
              : "Stats.dll stored none of its " + std::to_string(entrant.Plan.Qsos.size()) +
                    " QSOs of the period (another mode or band?)";
    }
    planned[i].Log = CheckLogOf(submission, entrant, stored);
    entrant.CategoryFault = CategoryFault(entrant);
    entrant.HasCategory = settings.Table.CategoryOf(entrant.Header.Categories, entrant.Class);
    entrant.PlannedQsos = entrant.Plan.Qsos.size();
    entrant.Plan = ReplayPlan();  // planned again for the checked pass
    receipt.Status = entrant.Kind == EntrantKind::kRanked     ? ReceiptStatus::kChecked
                     : entrant.Kind == EntrantKind::kChecklog ? ReceiptStatus::kChecklog
                                                              : ReceiptStatus::kNotScored;
    receipt.Reason = entrant.NotScoredWhy;
    planned[i].Made = std::move(entrant);
    tell(&CheckProgress::Scored);
  });
  std::vector<int> fileOf;
  for (size_t i = 0; i < chosen.size(); ++i) {
    if (!planned[i].Made)
      continue;
    contest.Received[chosen[i]].Entrant = static_cast<int>(contest.Entrants.size());
    contest.Entrants.push_back(std::move(*planned[i].Made));
    contest.Logs.push_back(std::move(planned[i].Log));
    fileOf.push_back(chosen[i]);
  }
  planned.clear();
  progress.Entrants = static_cast<int>(contest.Entrants.size());

  CheckOptions options;
  options.ToleranceSeconds = int64_t{60} * settings.Minutes;
  contest.Findings = CheckContest(contest.Logs, options);
  FindWhatIsAboutEachLog(contest);
  progress.Matched = true;
  sink.Progress(progress);

  sink.Matched(contest);

  // Read a third time: the checked pass (the same log less what the check
  // took out), then the entrant's letter and page, written at once.
  lanes.Run(static_cast<int>(contest.Entrants.size()), [&](int e, LogScorer* scorer) {
    Entrant& entrant = contest.Entrants[e];
    Submission submission = readAgain(fileOf[e]);
    if (!submission.Log.Qsos.empty())
      entrant.Plan = PlanOfPeriod(submission, countries, contest.Period);
    submission = Submission();
    if (entrant.Kind == EntrantKind::kRanked) {
      std::vector<int> kept = KeptByCheck(entrant, contest.Logs[e], contest.Findings[e]);
      std::sort(kept.begin(), kept.end());
      std::vector<QsoInput> qsos;
      for (int p : kept)
        qsos.push_back(entrant.Plan.Qsos[p]);
      entrant.CheckedQsos = static_cast<int>(kept.size());
      entrant.CheckedSummary = scorer->Score(entrant.Plan.Reset, qsos, nullptr);
    }
    sink.EntrantDone(contest, e);
    entrant.Plan = ReplayPlan();
    tell(&CheckProgress::Reported);
  });
  sink.Finished(contest);
  return contest;
}
