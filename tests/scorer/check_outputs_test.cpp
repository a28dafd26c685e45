// The check's outputs for a small contest folder, checked through the
// plug-in's own code run natively: each kind of finding, and what the sponsor
// and the entrants read.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "check/check_outputs.h"
#include "check/check_run.h"
#include "check/check_tables.h"
#include "check/csv_text.h"
#include "check/entrant_facts.h"
#include "check/entrant_letter.h"
#include "check/entrant_page.h"
#include "check/results_page.h"
#include "logs/log_file.h"
#include "native_plugin/native_pass.h"
#include "scorer/score_options.h"

namespace fs = std::filesystem;

namespace {

const CountryFile& Countries() {
  static const CountryFile file = CountryFile::Parse(
      "Japan: 25: 45: AS: 36.40: -138.38: -9.0: JA:\n    JA,JE,JG;\n"
      "United States: 05: 08: NA: 37.53: 91.67: 5.0: K:\n    K,W;\n",
      "c.dat");
  return file;
}

// A contest folder written from Cabrillo lines; files dated in the order given.
class ContestFolder {
 public:
  ContestFolder() {
    root_ = fs::temp_directory_path() /
            ("check_outputs_" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  ~ContestFolder() { fs::remove_all(root_); }

  // "band minute call sent rcvd" rows after 12:00 UTC on 13 June 2026, as QSO lines.
  struct Qso {
    int Khz;
    int Minute;
    const char* Call;
    const char* Sent;
    const char* Rcvd;
    const char* Mode = "CW";
  };
  void Add(const std::string& file, const std::string& call, const std::vector<Qso>& qsos,
           const std::string& header = "CONTEST: DKZ\nCATEGORY-OPERATOR: SINGLE-OP\n") {
    std::string text = "START-OF-LOG: 3.0\nCALLSIGN: " + call + "\n" + header;
    for (const Qso& q : qsos) {
      std::vector<char> line(std::strlen(q.Call) + call.size() + 100);
      std::snprintf(line.data(), line.size(),
                    "QSO: %5d %s 2026-06-13 %02d%02d %-13s 599 %-6s %-13s 599 %s\n", q.Khz, q.Mode,
                    12 + q.Minute / 60, q.Minute % 60, call.c_str(), q.Sent, q.Call, q.Rcvd);
      text += line.data();
    }
    AddText(file, text + "END-OF-LOG:\n");
  }
  void AddText(const std::string& file, const std::string& text) {
    std::ofstream(root_ / file, std::ios::binary) << text;
    fs::last_write_time(root_ / file,
                        fs::file_time_type::clock::now() - std::chrono::hours(100 - files_++));
  }
  // A file of `bytes` that takes no room on disk.
  void AddSparse(const std::string& file, uintmax_t bytes) {
    AddText(file, "START-OF-LOG: 3.0\n");
    fs::resize_file(root_ / file, bytes);
  }
  CheckedContest Check(CheckSettings settings = {}) {
    OutputsInMemory outputs(settings.Table, {"results"});
    CheckedContest c = CheckSubmissions(
        root_.string(), ReceivedFilesIn(root_.string()), Countries(), settings,
        [](int) { return std::make_unique<NativeScorer>(); }, outputs);
    outputs_ = outputs.Files;
    return c;
  }
  // What the last Check wrote, by name.
  const std::string& Output(const std::string& name) const {
    for (const auto& [written, text] : outputs_) {
      if (written == name)
        return text;
    }
    throw std::out_of_range(name);
  }

 private:
  fs::path root_;
  int files_ = 0;
  Outputs outputs_;
};

CheckedContest SmallContest() {
  ContestFolder folder;
  folder.Add("W1BBB.cbr", "W1BBB",
             {{7012, 0, "JA1AAA", "12", "AC"},
              {14012, 10, "JA1AAA", "12", "AC"},
              {28012, 40, "JA1AAA", "12", "AC"}});
  folder.Add("JA1AAA.cbr", "JA1AAA",
             {{7012, 0, "W1BBB", "AC", "12"},
              {14012, 10, "W1BBB", "AC", "013"},
              {21012, 20, "W1BBB", "AC", "12"},
              {7012, 30, "K2ZZZ", "AC", "5"},
              {28012, 40, "W1BBC", "AC", "12"}});
  return folder.Check();
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

int EntrantOf(const CheckedContest& c, const std::string& call) {
  for (size_t e = 0; e < c.Entrants.size(); ++e) {
    if (c.Entrants[e].Call == call)
      return static_cast<int>(e);
  }
  return -1;
}

TEST(CheckOutputs, ResultsRankByCheckedScoreAndCountEachFinding) {
  EXPECT_EQ(ResultsCsv(SmallContest()),
            "call,logged_qsos,claimed_score,checked_qsos,checked_score,nil,busted_call,"
            "busted_exchange,unique\n"
            "JA1AAA,5,100,2,10,1,1,1,1\n"
            "W1BBB,3,9,3,9,0,0,0,0\n");
}

TEST(CheckOutputs, FindingsNameTheWorkedCallBandTimeAndTheOtherLogsLine) {
  std::string csv = FindingsCsv(SmallContest());
  EXPECT_EQ(csv.substr(0, csv.find('\n')),
            "call,line,verdict,detail,worked,band,time,evidence_line");
  const char* const rows[] = {
      "JA1AAA,6,busted_exchange,W1BBB line 6,W1BBB,20m,2026-06-13 12:10,"
      "QSO: 14012 CW 2026-06-13 1210 W1BBB         599 12     JA1AAA        599 AC\n",
      "JA1AAA,7,nil,W1BBB line 6,W1BBB,15m,2026-06-13 12:20,",
      "JA1AAA,8,unique,,K2ZZZ,40m,2026-06-13 12:30,\n",
      "JA1AAA,9,busted_call,W1BBB line 7,W1BBC,10m,2026-06-13 12:40,",
  };
  for (const char* row : rows)
    EXPECT_TRUE(Has(csv, row)) << row << "\n---\n" << csv;
}

TEST(CheckOutputs, EntrantReportShowsThePeriodEachFlaggedQsoItsEvidenceAndTheRules) {
  CheckedContest c = SmallContest();
  std::string text = EntrantLetter(c, EntrantOf(c, "JA1AAA"));
  const char* const parts[] = {
      "DKZ contest log check of JA1AAA (JA1AAA.cbr)\n"
      "Contest period: 2026-06-13 to 2026-06-14 (UTC), the two days that hold most QSOs",
      "1 confirmed, 1 not in log, 1 busted call, 1 busted exchange, 0 unverified",
      "line 6: busted exchange: JA1AAA logged '013' received, W1BBB logged '12' sent\n"
      "  QSO: 14012 CW 2026-06-13 1210 JA1AAA        599 AC     W1BBB         599 013\n"
      "  W1BBB line 6:\n"
      "  QSO: 14012 CW 2026-06-13 1210 W1BBB         599 12     JA1AAA        599 AC\n",
      "line 7: not in log: W1BBB's log holds no QSO with JA1AAA on 15m within 3 min",
      "W1BBB line 6 (its nearest QSO with JA1AAA)",
      "line 8: unique: K2ZZZ sent no log and is in no other log; kept",
      "line 9: busted call: W1BBC is one character from W1BBB, whose log holds this QSO",
      "Checked score (2 QSOs: the NIL, busted-call and busted-exchange QSOs taken out):",
      "with no further penalty",
  };
  for (const char* part : parts)
    EXPECT_TRUE(Has(text, part)) << part << "\n---\n" << text;
  EXPECT_FALSE(Has(text, "Clock:"));
  std::string other = EntrantLetter(c, EntrantOf(c, "W1BBB"));
  EXPECT_TRUE(Has(other, "Flagged QSOs:\nnone\n")) << other;
  EXPECT_TRUE(Has(other, "JA1AAA line 9: logged W1BBC for W1BBB")) << other;
  EXPECT_TRUE(Has(other, "JA1AAA line 6: logged '013' received from W1BBB, who logged '12' sent"));

  c.Findings[EntrantOf(c, "JA1AAA")].ClockOffsetSeconds = -605;
  EXPECT_TRUE(Has(EntrantLetter(c, EntrantOf(c, "JA1AAA")),
                  "Clock: this log's times stand 10 min 5 s behind"));
  EXPECT_TRUE(Has(FindingsCsv(c), "JA1AAA,,clock_offset,'-605 s,,,,\n"));
}

TEST(CheckOutputs, FilesThatCannotBeLogsAreSetAsideAndTheRestIsChecked) {
  ContestFolder folder;
  folder.Add("W1BBB.cbr", "W1BBB", {{7012, 0, "JA1AAA", "12", "AC"}});
  folder.Add("JA1AAA.cbr", "JA1AAA", {{7012, 0, "W1BBB", "AC", "12"}});
  folder.Add("long.cbr", "JA" + std::string(298, 'X'), {{7012, 0, "W1BBB", "AC", "12"}});
  folder.Add("index.cbr", "INDEX", {{7012, 0, "W1BBB", "AC", "12"}});
  folder.AddSparse("huge.cbr", kMaxLogBytes + 1);
  folder.AddSparse("big.cbr", kMaxLogBytes);  // read, and found to be no log
  folder.AddText("empty.cbr", "");
  // Worked calls far longer than any call cost no more than short ones.
  std::string calls[4];
  std::vector<ContestFolder::Qso> qsos;
  for (int i = 0; i < 4; ++i) {
    for (int c = 0; c < 8000; ++c)
      calls[i] += static_cast<char>('A' + (c * 7 + i) % 26);
    qsos.push_back({7012, 10 + i, calls[i].c_str(), "AC", "12"});
  }
  folder.Add("JA2BBB.cbr", "JA2BBB", qsos);
  CheckedContest c = folder.Check();
  std::string rejected = RejectedText(c);
  const char* const reasons[] = {
      "empty.cbr: ",
      "huge.cbr is 50.0 MB, more than the 50 MB a log may have",
      "long.cbr: its own call has 300 characters: no call is that long\n",
      "index.cbr: its own call 'INDEX' is not a callsign",
  };
  for (const char* reason : reasons)
    EXPECT_TRUE(Has(rejected, reason)) << reason << "\n---\n" << rejected;
  // Zeros after a header line: no UTF-16, and no log either.
  EXPECT_TRUE(Has(rejected, "\nbig.cbr: it names no own call")) << rejected;
  EXPECT_TRUE(Has(ResultsCsv(c), "\nJA2BBB,4,")) << ResultsCsv(c);
  EXPECT_EQ(CountVerdicts(c.Findings[EntrantOf(c, "JA2BBB")])[Verdict::kUnique], 4);
}

TEST(CheckOutputs, ThePagesRankJapanAndTheWorldApartAndEscapeWhatEntrantsWrote) {
  ContestFolder folder;
  folder.Add("W1BBB.cbr", "W1BBB", {{7012, 0, "JA1AAA", "12", "AC"}},
             "CONTEST: DKZ\nCATEGORY-OPERATOR: SINGLE-OP\nCATEGORY-BAND: 20M\n"
             "SOAPBOX: <script>alert(1)</script>\n");
  folder.Add("JA1AAA.cbr", "JA1AAA", {{7012, 0, "W1BBB", "AC", "12"}});
  folder.Add("JG1CCC.cbr", "JG1CCC", {{7012, 5, "W1BBB", "AC", "12"}},
             "CATEGORY-OPERATOR: CHECKLOG\n");
  folder.AddText("<b>.cbr", "not a log");
  folder.AddText("JA3DDD.cbr",
                 "START-OF-LOG: 3.0\nCALLSIGN: JA3DDD\n"
                 "QSO: 7.012 CW 2026-06-13 12:00 JA3DDD 599 OS W1BBB 599 12\nEND-OF-LOG:\n");
  CheckedContest c = folder.Check();
  std::string page = ResultsPage(c);
  const char* const parts[] = {
      "<h2 id=\"japan\">Japan, by category</h2>\n<h3 id=\"jp-1\">SO-ALL-HP",
      "<h2 id=\"world\">Outside Japan, by category</h2>\n<h3 id=\"w-1\">SO-20M-HP",
      "<a href=\"JG1CCC.html\">JG1CCC</a>: checklog",
      "&lt;b&gt;.cbr: ",
      "&lt;script&gt;alert(1)&lt;/script&gt;",
      "CATEGORY-BAND 20M, but 1 QSO is on other bands",
  };
  for (const char* part : parts)
    EXPECT_TRUE(Has(page, part)) << part;
  EXPECT_FALSE(Has(page, "<script")) << page;
  for (const char* call : {"JA1AAA", "JG1CCC", "JA3DDD"}) {
    const std::string& entrant = folder.Output(std::string(call) + ".html");
    EXPECT_TRUE(Has(entrant, "<section id=\"check\"><h2>Log check</h2>")) << call;
    EXPECT_FALSE(Has(entrant, "<script")) << call;
  }
  EXPECT_TRUE(Has(page, "<a href=\"JA3DDD.html\">JA3DDD</a>: none of its QSO lines"));
}

TEST(CheckOutputs, EveryEntrantGetsAReportNamedSafelyAndApart) {
  struct Row {
    const char* Call;
    const char* Report;
  };
  const Row rows[] = {
      {"JA1ABC", "JA1ABC"},
      {"ja1abc/p", "JA1ABC_P"},
      {"CON", "CON_"},
      {"PRN", "PRN_"},
      {"AUX", "AUX_"},
      {"NUL", "NUL_"},
      {"COM1", "COM1_"},
      {"LPT9", "LPT9_"},
      {"COM10", "COM10"},
      {"CONIN$", "CONIN_"},
      {"CON.X", "CON_X"},
      {"JA\xC3\xA4X", "JA__X"},
      {"JA\xC3\x84X", "JA__X-2"},
      {"RESULTS", "RESULTS-2"},
      {"", "_"},
      {"W1ABCDEFGHIJKLMNOPQRSTUVWXYZ", "W1ABCDEFGHIJKLMNOPQRSTUV"},
      {"W1ABCDEFGHIJKLMNOPQRSTUVW", "W1ABCDEFGHIJKLMNOPQRSTUV-2"},
  };
  std::vector<Entrant> entrants;
  for (const Row& row : rows) {
    entrants.emplace_back();
    entrants.back().Call = row.Call;
  }
  NameLetters(entrants, {"results", "rejected"});
  for (size_t e = 0; e < entrants.size(); ++e)
    EXPECT_EQ(entrants[e].LetterName, rows[e].Report) << rows[e].Call;
}

TEST(CheckOutputs, ACheckOfNoLogsNamesNoPeriod) {
  ContestFolder folder;
  CheckedContest c = folder.Check();
  EXPECT_EQ(c.Period.Text(), "none: no QSOs to choose it by; give --from and --to to set it");
  EXPECT_FALSE(Has(folder.Output(kResultsPageName), "1970"));
}

TEST(CheckOutputs, CsvCellsAreQuotedAndNeverAFormula) {
  const std::pair<const char*, const char*> cells[] = {
      {"JA1ABC", "JA1ABC"},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"=HYPERLINK(\"http://x\",\"y\")", "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""},
      {"+1", "'+1"},
      {"-605 s", "'-605 s"},
      {"@SUM(A1)", "'@SUM(A1)"},
      {"\tx", "'\tx"},
      {"\rx", "\"'\rx\""},
      {"a\nb", "\"a\nb\""},
      {"x=1", "x=1"},
      {"log;1.cbr", "\"log;1.cbr\""},
      {" padded", "\" padded\""},
      {"padded\t", "\"padded\t\""},
      {"in side", "in side"},
  };
  for (const auto& [text, cell] : cells)
    EXPECT_EQ(CsvCell(text), cell) << text;
}

}  // namespace
