// dkz-score.exe as a user runs it: exit codes, messages, and what it leaves.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "cabrillo_check.h"
#include "core/base/text.h"
#include "driver/plugin_host.h"
#include "win_links.h"

namespace {

struct Result {
  DWORD ExitCode = 0;
  std::string Out, Err;
};

// Runs dkz-score.exe in the current folder with its output in two files;
// `arguments` are UTF-8.
Result RunScorer(const std::string& arguments) {
  // Files of their own for each run: Wine may close an ended child's
  // handles only after its process has signalled.
  static int runs = 0;
  const std::string outName = "stdout" + std::to_string(++runs) + ".txt";
  const std::string errName = "stderr" + std::to_string(runs) + ".txt";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE out = CreateFileA(outName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                           0, nullptr);
  HANDLE err = CreateFileA(errName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                           0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out;
  startup.hStdError = err;
  std::string utf8 = "\"" + ExecutableFolder() + "\\dkz-score.exe\" " + arguments;
  std::wstring line(
      static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &line[0], static_cast<int>(line.size()));
  PROCESS_INFORMATION process{};
  Result result;
  if (CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                     &process)) {
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0)
      TerminateProcess(process.hProcess, 99);
    GetExitCodeProcess(process.hProcess, &result.ExitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  } else {
    result.ExitCode = 98;
  }
  CloseHandle(out);
  CloseHandle(err);
  result.Out = ReadWholeFile(outName);
  result.Err = ReadWholeFile(errName);
  return result;
}

std::string Qso(const char* call, const char* rcvd) {
  return std::string("<CALL:") + std::to_string(strlen(call)) + ">" + call +
         "<QSO_DATE:8>20230610<TIME_ON:4>1200<FREQ:5>7.012<MODE:2>CW<RST_SENT:3>599"
         "<RST_RCVD:3>599<STX_STRING:2>TK<SRX_STRING:2>" +
         rcvd + "<STATION_CALLSIGN:6>JA1VZT<EOR>\r\n";
}

TEST(CommandLine, ScoresALogAndSkipsWhatItCannotRead) {
  ScratchFolder folder;
  WriteWholeFile("log.adi", "<EOH>\r\n" + Qso("JA2ABC", "AC") + "<CALL:x>JA3ABC<EOR>\r\n" +
                                Qso("7K4XYZ", "KN") + Qso("W6/JA5ABC", "12"));
  Result run = RunScorer("score log.adi --dir out");
  EXPECT_EQ(run.ExitCode, 0u) << run.Err;
  EXPECT_EQ(run.Err, "log.adi: record 2 (line 3): unreadable tag '<CALL:x>' on line 3\n");
  EXPECT_NE(run.Out.find("log.adi (ADIF): 3 QSOs read, 1 record skipped\n"), std::string::npos)
      << run.Out;
  EXPECT_NE(run.Out.find("QSOs: 3 read, 0 outside the period, 3 stored, 0 refused (band 0, mode "
                         "0, no exchange 0)\nerr.txt: 1 line: 0 problems, 1 note on QSOs that "
                         "count\n"),
            std::string::npos)
      << run.Out;
  // 1 + 1 + 5 points; districts AC and KN; continents AS and NA.
  EXPECT_NE(run.Out.find("Total\t 3\t 7\t 2\t 2\n"), std::string::npos) << run.Out;
  EXPECT_EQ(run.Out.find('\r'), std::string::npos);
  EXPECT_EQ(ReadWholeFile("out\\err.txt").substr(0, 21), "DKZ Contest UBN file ");
  EXPECT_EQ(ReadSetting("Claimed"), "<missing>");  // only in the working folder
  SetCurrentDirectoryA("out");
  EXPECT_EQ(ReadSetting("Claimed"), "28");
}

TEST(CommandLine, UnusableInputStopsBeforeAnythingIsWritten) {
  ScratchFolder folder;
  WriteWholeFile("header.adi", "My log\r\n" + Qso("JA2ABC", "AC"));
  WriteWholeFile("empty.cbr", "START-OF-LOG: 3.0\r\nQSO: 7012 CW 2023-06-10 1200 JA1VZT\r\n");
  WriteWholeFile("nocall.adi", "<EOH>" + ReplaceAll(Qso("JA2ABC", "AC"), "STATION_", "X_"));
  WriteWholeFile("good.adi", "<EOH>" + Qso("JA2ABC", "AC"));
  WriteWholeFile("bad.dat", "Japan: 25: 45: AS: 36.40: -138.38: -9.0: JA:\n    JA{XX};\n");
  const struct {
    const char* Arguments;
    DWORD ExitCode;
    const char* Message;
  } cases[] = {
      {"score missing.adi --dir out", 1, "dkz-score: cannot read missing.adi: "},
      {"score header.adi --dir out", 1,
       "dkz-score: header.adi: the header that starts on line 1 is not ended by <EOH>\n"},
      {"score empty.cbr --dir out", 1,
       "empty.cbr: line 2: expected 10 or 11 fields for this contest's exchange (freq mode date "
       "time call rst exch call rst exch [transmitter id 0/1]), found 5\n"
       "dkz-score: empty.cbr (Cabrillo): none of its 1 records could be read\n"},
      {"score nocall.adi --dir out", 1,
       "dkz-score: nocall.adi: the log does not name the own callsign (STATION_CALLSIGN, "
       "OPERATOR or CALLSIGN:); give it with --call\n"},
      {"score good.adi --cty bad.dat --dir out", 1,
       "dkz-score: bad.dat: line 2: alias 'JA{XX}' names no continent\n"},
      {"score good.adi --from 2023-13-01 --dir out", 2,
       "dkz-score: --from takes a date YYYY-MM-DD, not '2023-13-01'\n"},
      {"score good.adi --soapbox 73 --dir out", 2,
       "dkz-score: --soapbox fills the Cabrillo header: it needs --cabrillo\n"},
      {"score good.adi --from 2023-06-11 --to 2023-06-10 --dir out", 2,
       "dkz-score: --to is before --from\n"},
      {"score . --dir out", 1, "dkz-score: . is a folder, not a file\n"},
      {"score good.adi --cty . --dir out", 1, "dkz-score: . is a folder, not a file\n"},
      {"score nul.adi --dir out", 1,
       "dkz-score: nul.adi is the name of a device, not of a file; rename the file\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Arguments);
    Result run = RunScorer(c.Arguments);
    EXPECT_EQ(run.ExitCode, c.ExitCode);
    EXPECT_EQ(run.Err.substr(0, strlen(c.Message)), c.Message);
    EXPECT_EQ(run.Out.find("DKZ CONTEST"), std::string::npos);
    EXPECT_FALSE(FileExists("out")) << "the working folder was made";
  }
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(CommandLine, CabrilloFillsTheHeaderDialogAndLeavesTheFile) {
  ScratchFolder folder;
  WriteWholeFile("log.adi", "<EOH>\r\n" + Qso("JA2ABC", "AC") + Qso("W6/JA5ABC", "12"));
  // A header stored by an earlier run: what no option names stays.
  CreateDirectoryA("out", nullptr);
  SetCurrentDirectoryA("out");
  CreateDirectoryA("Plugins", nullptr);
  WriteSetting("Email", "ja1vzt@example.jp");
  WriteSetting("Club", "Old Club");
  WriteSetting("SoapBox", "stored remark");
  WriteWholeFile("dkz-score.files", "Plugins\\DKZ.ini\r\n");  // that run made it
  SetCurrentDirectoryA("..");

  Result run = RunScorer(
      "score log.adi --dir out --cabrillo --name \"Taro Yamada\" --club= --location TK "
      "--soapbox \"line one\" --soapbox \"line two\" --category-operator multi-op "
      "--category-transmitter Two --operators \"JA1VZT JA1YYY\"");
  EXPECT_EQ(run.ExitCode, 0u) << run.Err;
  EXPECT_TRUE(Contains(run.Out, "Total\t 2\t 6\t 1\t 2\nScore\t 18\n")) << run.Out;
  EXPECT_TRUE(Contains(run.Out,
                       "\nJA1VZT.cbr: 2 QSO lines\nStats.dll: File produced: JA1VZT.cbr\n\n"
                       "country file: cty.dat beside dkz-score.exe\n"
                       "err.txt, Plugins\\DKZ.ini and JA1VZT.cbr are in out\n"))
      << run.Out;
  std::string cbr = ReadWholeFile("out\\JA1VZT.cbr");
  for (const char* line :
       {"\nCATEGORY-OPERATOR: MULTI-OP\r\nCATEGORY-TRANSMITTER: TWO\r\n",
        "\nOPERATORS: JA1VZT JA1YYY\r\n", "\nLOCATION: TK\r\n", "\nCLAIMED-SCORE: 18\r\n",
        "\nCLUB: \r\n", "\nNAME: Taro Yamada\r\n", "\nE-MAIL: ja1vzt@example.jp\r\n",
        "\nSOAPBOX: line one\r\nSOAPBOX: line two\r\nQSO: ",
        "\nQSO:  7012 CW 2023-06-10 1200 JA1VZT        599 TK     W6/JA5ABC     599 12\r\n"}) {
    EXPECT_TRUE(Contains(cbr, line)) << line;
  }
  EXPECT_TRUE(CabrilloProblems(cbr).empty());
  SetCurrentDirectoryA("out");
  for (const auto& [key, value] : std::initializer_list<std::pair<const char*, const char*>>{
           {"Name", "Taro Yamada"},
           {"Club", ""},
           {"Email", "ja1vzt@example.jp"},
           {"Loc", "TK"},
           {"SoapBox", "line one<CR><LF>line two"},
           {"Operators", "JA1VZT JA1YYY"},
           {"Category", "MULTI-OP"},
           {"Claimed", "18"}}) {
    EXPECT_EQ(ReadSetting(key), value) << key;
  }
  SetCurrentDirectoryA("..");

  // The next run confirms what is stored; the categories start afresh.
  run = RunScorer("score log.adi --dir out --cabrillo");
  EXPECT_EQ(run.ExitCode, 0u) << run.Err;
  cbr = ReadWholeFile("out\\JA1VZT.cbr");
  for (const char* line :
       {"\nCATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: ALL\r\n", "\nNAME: Taro Yamada\r\n",
        "\nSOAPBOX: line one\r\nSOAPBOX: line two\r\n"})
    EXPECT_TRUE(Contains(cbr, line)) << line;
}

// Files of the user are never written over (those of an earlier run are),
// and a run that stores nothing or leaves an old err.txt says so with its
// exit code.
TEST(CommandLine, GuardsKeepTheUsersFilesAndSayWhatWasNotDone) {
  ScratchFolder folder;
  const std::string log = "<EOH>\r\n" + Qso("JA2ABC", "AC") + Qso("JA3ABC", "KN");
  const std::string refused = "<EOH>\r\n" + ReplaceAll(Qso("JA2ABC", "AC"), "7.012", "10.112") +
                              ReplaceAll(Qso("JA3ABC", "AC"), "<MODE:2>CW", "<MODE:3>SSB") +
                              ReplaceAll(Qso("JA4ABC", "AC"), "<SRX_STRING:2>AC", "");
  WriteWholeFile("ja1vzt.adi", log);
  WriteWholeFile("ja1vzt.cbr", log);  // named like the Cabrillo log the run would write
  WriteWholeFile("refused.adi", refused);
  WriteWholeFile("err.txt", log);
  CreateDirectoryA("stale", nullptr);
  CreateDirectoryA("stale\\err.txt", nullptr);
  CreateDirectoryA("noini", nullptr);
  CreateDirectoryA("noini\\Plugins", nullptr);
  CreateDirectoryA("noini\\Plugins\\DKZ.ini", nullptr);
  CreateDirectoryA("\xe6\x97\xa5\xe6\x9c\xac", nullptr);  // "Japan" in Japanese, UTF-8
  const struct {
    const char* Arguments;
    DWORD ExitCode;
    const char* Err;  // the end of stderr
    const char* Out;  // a part of stdout
  } cases[] = {
      // The log's own name, in other case, is the Cabrillo file's.
      {"score ja1vzt.cbr --cabrillo", 1,
       "dkz-score: JA1VZT.cbr (the Cabrillo log) would be written over ja1vzt.cbr, which this "
       "run reads: nothing was written; give another working folder with --dir\n",
       ""},
      {"score err.txt", 1,
       "dkz-score: err.txt would be written over err.txt, which this run reads: nothing was "
       "written; give another working folder with --dir\n",
       ""},
      {"score ja1vzt.adi --dir out --json ja1vzt.adi", 1,
       "dkz-score: ja1vzt.adi would be written over ja1vzt.adi, which this run reads: nothing was "
       "written; give --json another file\n",
       ""},
      // The report page replaces a page of its own, nothing else.
      {"score ja1vzt.adi --dir out --report page.html", 0, "", "report page: page.html\n"},
      {"score ja1vzt.adi --dir out --report page.html", 0, "", "report page: page.html\n"},
      {"score ja1vzt.adi --dir out --report ja1vzt.cbr", 1,
       "dkz-score: ja1vzt.cbr exists and is not a report page written by dkz-score: it is left "
       "alone\n",
       ""},
      {"score ja1vzt.adi --dir fresh --report fresh\\err.txt", 1,
       "dkz-score: fresh\\err.txt would be written over err.txt, which this run writes: nothing "
       "was written; give --report another file\n",
       ""},
      {"score refused.adi --dir out --cabrillo", 3,
       "dkz-score: Stats.dll stored none of the 3 QSOs handed over: there is no score and no "
       "Cabrillo log was written\n",
       "QSOs: 3 read, 0 outside the period, 0 stored, 3 refused (band 1, mode 1, no exchange 1)\n"},
      {"score ja1vzt.adi --dir out --from 2023-06-11", 3,
       "dkz-score: Stats.dll stored none of the 0 QSOs handed over (the others lie outside the "
       "period): there is no score\n",
       "QSOs: 2 read, 2 outside the period, 0 stored"},
      {"score ja1vzt.adi --dir stale", 1,
       "dkz-score: err.txt in stale could not be written (read-only, a folder or held by another "
       "program): what it holds is not from this run\n",
       "err.txt: not written in this run\n"},
      {"score ja1vzt.adi --dir noini --cabrillo --name Taro", 1,
       "dkz-score: Plugins\\DKZ.ini in noini cannot be written (read-only, a folder or held by "
       "another program): the header options would be lost; nothing was written\n",
       ""},
      // Here err.txt and ja1vzt.cbr are the user's; in the other folders what
      // an earlier run made is made again.
      {"score ja1vzt.adi --cabrillo --json summary.json", 1,
       "dkz-score: would write over err.txt and JA1VZT.cbr (the Cabrillo log) in the current "
       "folder, which dkz-score did not make: nothing was written; give another working folder "
       "with --dir, or move them away\n",
       ""},
      {"score ja1vzt.adi --dir out --from 2023-06-11 --json out\\summary.json", 3, "", ""},
      {"score ja1vzt.adi --dir out --json OUT\\Summary.json", 0, "", "Score\t 6\n"},
      {"score ja1vzt.adi --dir \xe6\x97\xa5\xe6\x9c\xac --cabrillo", 0, "",
       "\nerr.txt, Plugins\\DKZ.ini and JA1VZT.cbr are in \xe6\x97\xa5\xe6\x9c\xac\n"},
      {"score ja1vzt.adi --dir \xe6\x97\xa5\xe6\x9c\xac --cabrillo", 0, "",
       "\nerr.txt, Plugins\\DKZ.ini and JA1VZT.cbr are in \xe6\x97\xa5\xe6\x9c\xac\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Arguments);
    Result run = RunScorer(c.Arguments);
    EXPECT_EQ(run.ExitCode, c.ExitCode);
    EXPECT_GE(run.Err.size(), strlen(c.Err));
    EXPECT_EQ(run.Err.substr(run.Err.size() - std::min(run.Err.size(), strlen(c.Err))), c.Err);
    EXPECT_TRUE(Contains(run.Out, c.Out)) << run.Out;
    EXPECT_EQ(ReadWholeFile("ja1vzt.adi"), log);
    EXPECT_EQ(ReadWholeFile("ja1vzt.cbr"), log);
    EXPECT_EQ(ReadWholeFile("err.txt"), log);
    EXPECT_FALSE(FileExists("out\\JA1VZT.cbr"));
    EXPECT_FALSE(FileExists("summary.json"));
  }
  std::wstring japanese(L"\u65e5\u672c\\JA1VZT.cbr");
  EXPECT_NE(GetFileAttributesW(japanese.c_str()), INVALID_FILE_ATTRIBUTES);
}

// A wrong command line is said in two lines; a script reading --json - gets
// JSON even from a run that failed; refusals name the right file and folder,
// and come before any work.
TEST(CommandLine, MistakesAreSaidShortlyAndBeforeAnyWork) {
  ScratchFolder folder;
  WriteWholeFile("log.adi", "<EOH>\r\n" + Qso("JA2ABC", "AC"));
  CreateDirectoryA("logs", nullptr);
  CreateDirectoryA("work", nullptr);
  WriteWholeFile("work\\mine.json", "the user's");
  const struct {
    const char* Arguments;
    DWORD ExitCode;
    const char* Err;  // the whole of stderr, or its start when it ends in "..."
    const char* Out;  // the start of stdout
  } cases[] = {
      {"", 2, "dkz-score: no command given\nrun 'dkz-score help' for the commands and options\n",
       ""},
      {"score log.adi --colour", 2,
       "dkz-score: unknown option --colour\nrun 'dkz-score help' for the commands and options\n",
       ""},
      {"score missing.adi --json -", 1, "dkz-score: cannot read missing.adi: ...",
       "{\n  \"tool\": \"dkz-score\",\n  \"version\": "},
      {"score log.adi --dir work --report work\\err.txt", 1,
       "dkz-score: work\\err.txt would be written over err.txt, which this run writes: nothing "
       "was written; give --report another file\n",
       ""},
      {"score log.adi --dir out --json work\\mine.json", 1,
       "dkz-score: would write over work\\mine.json, which dkz-score did not make: nothing was "
       "written; give --json another file, or move it away\n",
       ""},
      {"score log.adi --dir out --report nosuch\\dir\\x.html", 1,
       "dkz-score: the folder of nosuch\\dir\\x.html does not exist: nothing was written\n", ""},
      {"score log.adi --dir out --json nosuch\\x.json", 1,
       "dkz-score: the folder of nosuch\\x.json does not exist: nothing was written\n", ""},
      {"check logs --out results --cty logs", 1, "dkz-score: logs is a folder, not a file\n", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Arguments);
    Result run = RunScorer(c.Arguments);
    EXPECT_EQ(run.ExitCode, c.ExitCode);
    std::string err = c.Err;
    if (err.size() > 3 && err.compare(err.size() - 3, 3, "...") == 0)
      EXPECT_EQ(run.Err.substr(0, err.size() - 3), err.substr(0, err.size() - 3));
    else
      EXPECT_EQ(run.Err, err);
    EXPECT_EQ(run.Out.substr(0, strlen(c.Out)), c.Out);
    EXPECT_FALSE(FileExists("out")) << "the working folder was made";
    EXPECT_FALSE(FileExists("results"));
  }
  EXPECT_EQ(ReadWholeFile("work\\mine.json"), "the user's");
}

// A log of another contest says so before its numbers.
TEST(CommandLine, ALogOfAnotherContestIsSaidFirst) {
  ScratchFolder folder;
  Result run = RunScorer("score \"" + std::string(DKZ_SOURCE_DIR) +
                         "/samples/real/thxo-CQWPX.log\" --dir out --json run.json");
  EXPECT_EQ(run.Out.rfind("Warning: the log names the contest CQ-WPX-CW; it is scored here by "
                          "the DKZ contest's rules\n",
                          0),
            0u)
      << run.Out;
  EXPECT_NE(ReadWholeFile("run.json").find("\"contest_named\": \"CQ-WPX-CW\""), std::string::npos);
}

TEST(CommandLine, CabrilloFileThatCannotBeWrittenIsAnError) {
  ScratchFolder folder;
  WriteWholeFile("log.adi", "<EOH>\r\n" + Qso("JA2ABC", "AC"));
  CreateDirectoryA("out", nullptr);
  CreateDirectoryA("out\\JA1VZT.cbr", nullptr);  // a folder where the file should go
  Result run = RunScorer("score log.adi --dir out --cabrillo");
  EXPECT_EQ(run.ExitCode, 1u);
  EXPECT_EQ(run.Err.rfind("dkz-score: no Cabrillo log: The Cabrillo file JA1VZT.cbr could not "
                          "be written: ",
                          0),
            0u)
      << run.Err;
  EXPECT_TRUE(Contains(run.Out, "Score\t 2\n")) << run.Out;  // the summary still counts
  EXPECT_TRUE(Contains(run.Out, "\nerr.txt and Plugins\\DKZ.ini are in out\n")) << run.Out;
  EXPECT_FALSE(FileExists("out\\JA1VZT.cbr.tmp"));
}

// A file an earlier run made, swapped for a link to the user's file: the run
// stops before anything is written, the plug-in's err.txt and settings included.
TEST(CommandLine, AFileOfAnEarlierRunSwappedForALinkStopsTheRun) {
  ScratchFolder folder;
  WriteWholeFile("log.adi", "<EOH>\r\n" + Qso("JA2ABC", "AC"));
  WriteWholeFile("users.txt", "the user's");
  const char* const arguments = "score log.adi --dir out --json out\\summary.json";
  ASSERT_EQ(RunScorer(arguments).ExitCode, 0u);
  const struct {
    const char* Name;
    const char* LeadsTo;
    const char* Shown;
  } cases[] = {
      {"out\\err.txt", "..\\users.txt", "err.txt in out"},
      {"out\\Plugins\\DKZ.ini", "..\\..\\users.txt", "Plugins\\DKZ.ini in out"},
      {"out\\summary.json", "..\\users.txt", "out\\summary.json"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string earlier = ReadWholeFile(c.Name);
    ASSERT_TRUE(DeleteFileA(c.Name));
    {
      TestLink link(c.Name, c.LeadsTo);
      if (!link.Made())
        GTEST_SKIP() << "no symbolic links here";
      Result run = RunScorer(arguments);
      EXPECT_EQ(run.ExitCode, 1u);
      EXPECT_EQ(run.Err, std::string("dkz-score: ") + c.Shown +
                             " is a link to another file (a symbolic link, a junction or a second "
                             "name of a file): nothing was written; move it away\n");
      EXPECT_EQ(ReadWholeFile("users.txt"), "the user's");
    }
    WriteWholeFile(c.Name, earlier);
  }
}

}  // namespace
