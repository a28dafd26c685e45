#include "check_run.h"

#include <algorithm>
#include <map>
#include <new>
#include <set>

#include "call_text.h"
#include "contest_check.h"
#include "core/contest/contest_rules.h"
#include "log_file.h"
#include "log_values.h"
#include "reading_notes.h"
#include "core/base/date_time.h"

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
                                     const std::vector<Submission>& submissions,
                                     std::vector<Receipt>& received) {
  std::map<std::string, int> newest;  // call -> file
  auto order = [&](int f) {
    return SubmissionOrder{files[f].Modified, EvidenceCount(submissions[f]), files[f].Name};
  };
  for (int f = 0; f < static_cast<int>(files.size()); ++f) {
    if (received[f].Status != ReceiptStatus::kChecked)
      continue;
    auto [at, fresh] = newest.emplace(MatchForm(submissions[f].Call), f);
    if (!fresh && Replaces(order(f), order(at->second)))
      at->second = f;
  }
  std::vector<int> chosen;
  for (int f = 0; f < static_cast<int>(files.size()); ++f) {
    if (received[f].Status != ReceiptStatus::kChecked)
      continue;
    int kept = newest[MatchForm(submissions[f].Call)];
    if (kept == f) {
      chosen.push_back(f);
      continue;
    }
    received[f].Status = ReceiptStatus::kSuperseded;
    received[f].Reason = "superseded by " + files[kept].Name + ", the newer file of " +
                         submissions[f].Call + " (" +
                         std::to_string(EvidenceCount(submissions[f])) + " QSO lines here, " +
                         std::to_string(EvidenceCount(submissions[kept])) + " there)";
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
    ReplayOptions options;
    options.OwnCall = s.Call;
    options.PeriodStart = period.First;
    options.PeriodEnd = period.Last;
    e.Plan = PlanReplay(s.Log, countries, options, s.File);
    for (const std::string& note : LimitEachKind(e.Plan.Notes))
      e.Notes.push_back(note);
  }
  if (e.Header.Categories.Operator == "CHECKLOG")
    e.Kind = EntrantKind::kChecklog;
  e.District = e.Japanese ? DistrictSent(e.Plan) : "";
  return e;
}

// Every QSO line of the submission, in file order: judged when the plug-in
// stored it for a log that is ranked, evidence otherwise. `read` gets each
// one's line as read.
CheckLog CheckLogOf(const Submission& s, Entrant& e, const std::vector<bool>& stored,
                    std::vector<const LogQso*>& read) {
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
    log.Qsos.push_back(std::move(q));
    e.PlanOf.push_back(line.Plan);
    read.push_back(line.Qso);
  }
  e.Shown.resize(log.Qsos.size());
  return log;
}

// The lines the outputs show: every QSO flagged or noted, and the other log's
// QSO each one names. The rest stay empty: most QSOs are confirmed.
void ShowLines(CheckedContest& c, const std::vector<std::vector<const LogQso*>>& read) {
  auto show = [&](QsoRef ref) {
    std::string& shown = c.Entrants[ref.Log].Shown[ref.Qso];
    if (shown.empty())
      shown = ShownLine(*read[ref.Log][ref.Qso], c.Entrants[ref.Log].Call);
  };
  for (size_t l = 0; l < c.Logs.size(); ++l) {
    for (size_t q = 0; q < c.Logs[l].Qsos.size(); ++q) {
      const QsoFinding& finding = c.Findings[l].Qsos[q];
      if (finding.Kind == Verdict::kConfirmed || finding.Kind == Verdict::kUnchecked ||
          finding.Kind == Verdict::kEvidence)
        continue;
      show({static_cast<int>(l), static_cast<int>(q)});
      if (finding.Evidence.Found())
        show(finding.Evidence);
    }
  }
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

CheckedContest CheckSubmissions(const std::string& folder, const std::vector<ReceivedFile>& files,
                                const CountryFile& countries, const CheckSettings& settings,
                                LogScorer& scorer) {
  auto bytesOf = [&folder](const ReceivedFile& file) {
    std::string path = folder + "/" + file.Name;
    if (file.Bytes > kMaxLogBytes)
      ReadLogFile(path, file.Name);  // refuses it by its size, unread, in the readers' words
    return ReadTextFile(path, file.Name);
  };
  return CheckSubmissions(files, bytesOf, countries, settings, scorer);
}

CheckedContest CheckSubmissions(const std::vector<ReceivedFile>& files, const FileBytes& bytesOf,
                                const CountryFile& countries, const CheckSettings& settings,
                                LogScorer& scorer) {
  CheckedContest contest;
  contest.Minutes = settings.Minutes;
  contest.Received.resize(files.size());
  std::vector<Submission> submissions(files.size());
  for (size_t f = 0; f < files.size(); ++f) {
    contest.Received[f].File = files[f].Name;
    if (!Receive(files[f], bytesOf, settings.Table, submissions[f], contest.Received[f]))
      submissions[f] = Submission();
  }
  std::vector<int> chosen = ChooseOnePerStation(files, submissions, contest.Received);

  std::vector<CalendarTime> days;
  for (int f : chosen) {
    for (const LogQso& qso : submissions[f].Log.Qsos)
      days.push_back(CalendarOfQso(qso));
    for (const LogQso& qso : submissions[f].MoreEvidence)
      days.push_back(CalendarOfQso(qso));
  }
  contest.Period = ChoosePeriod(settings.From, settings.To, days);

  std::vector<int> fileOf;
  for (int f : chosen) {
    Receipt& receipt = contest.Received[f];
    try {
      contest.Entrants.push_back(MakeEntrant(submissions[f], countries, contest.Period));
    } catch (const InputError& error) {
      receipt.Status = ReceiptStatus::kRejected;
      receipt.Reason = error.what();
      continue;
    }
    fileOf.push_back(f);
    receipt.Entrant = static_cast<int>(contest.Entrants.size()) - 1;
  }

  // The claimed pass of each log: what the plug-in stores makes the QSOs judged.
  std::vector<std::vector<const LogQso*>> read;
  for (size_t e = 0; e < contest.Entrants.size(); ++e) {
    Entrant& entrant = contest.Entrants[e];
    std::vector<bool> stored;
    if (entrant.Kind != EntrantKind::kChecklog && !entrant.Plan.Qsos.empty())
      entrant.ClaimedSummary = scorer.Score(entrant.Plan.Reset, entrant.Plan.Qsos, &stored);
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
    read.emplace_back();
    contest.Logs.push_back(CheckLogOf(submissions[fileOf[e]], entrant, stored, read.back()));
    entrant.CategoryFault = CategoryFault(entrant);
    entrant.HasCategory = settings.Table.CategoryOf(entrant.Header.Categories, entrant.Class);
    Receipt& receipt = contest.Received[fileOf[e]];
    receipt.Status = entrant.Kind == EntrantKind::kRanked     ? ReceiptStatus::kChecked
                     : entrant.Kind == EntrantKind::kChecklog ? ReceiptStatus::kChecklog
                                                              : ReceiptStatus::kNotScored;
    receipt.Reason = entrant.NotScoredWhy;
  }

  CheckOptions options;
  options.ToleranceSeconds = int64_t{60} * settings.Minutes;
  contest.Findings = CheckContest(contest.Logs, options);
  FindWhatIsAboutEachLog(contest);
  ShowLines(contest, read);

  // The checked pass: the same log less what the check took out.
  for (size_t e = 0; e < contest.Entrants.size(); ++e) {
    Entrant& entrant = contest.Entrants[e];
    if (entrant.Kind != EntrantKind::kRanked)
      continue;
    std::vector<int> kept = KeptByCheck(entrant, contest.Logs[e], contest.Findings[e]);
    std::sort(kept.begin(), kept.end());
    std::vector<QsoInput> qsos;
    for (int p : kept)
      qsos.push_back(entrant.Plan.Qsos[p]);
    entrant.CheckedQsos = static_cast<int>(kept.size());
    entrant.CheckedSummary = scorer.Score(entrant.Plan.Reset, qsos, nullptr);
  }
  return contest;
}
