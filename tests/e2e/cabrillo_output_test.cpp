// Where the Cabrillo file meets the machine: the host's version for
// CREATED-BY, writes that fail, the windows' owner and the shared lock.
#include <gtest/gtest.h>

#include <atomic>

#include "cabrillo_run.h"
#include "modal_window_checked.h"

namespace {

std::vector<HostQso> OneQso() {
  return {SampleLog().front()};
}

// Runs one report pass with a one-QSO log whose file differs only where the
// case under test says.
SummaryRun ReportPass(PluginHost& host, const HostReset& reset = HostReset(),
                      const std::vector<HostQso>& log = OneQso()) {
  ResetWithDialog(host, reset, PressOk);
  AddAll(host, log);
  return SummaryWithReport(host);
}

struct VersionCase {
  const char* name;
  std::vector<std::pair<const char*, const char*>> placed;  // file name, what it is
  const char* golden;
};

void Place(const char* name, const std::string& what) {
  if (what == "host 2.19.7.3") {
    ASSERT_TRUE(CopyFileA((ExecutableFolder() + "\\e2e_tests.exe").c_str(), name, FALSE));
  } else if (what == "stub 3.1.4.9") {
    ASSERT_TRUE(CopyFileA((ExecutableFolder() + "\\version_stub.exe").c_str(), name, FALSE));
  } else if (what == "folder") {
    ASSERT_TRUE(CreateDirectoryA(name, nullptr));
  } else {
    WriteWholeFile(name, "MZ but no executable at all");
  }
}

void PrintTo(const VersionCase& c, std::ostream* out) {
  *out << c.name;
}

class CreatedBy : public ::testing::TestWithParam<VersionCase> {};

TEST_P(CreatedBy, NamesTheFirstOrvoExecutableWithAReadableVersion) {
  ScratchFolder folder;
  for (const auto& [name, what] : GetParam().placed)
    Place(name, what);
  PluginHost host;
  EXPECT_EQ(ReportPass(host).Status, -1);
  ExpectGolden("JA1ZZZ.cbr", GetParam().golden);
}

// Wine lists a folder in name order; the cases put the file to pass over first.
INSTANTIATE_TEST_SUITE_P(
    Cases, CreatedBy,
    ::testing::Values(
        VersionCase{"NoExecutable", {}, "version_none.cbr"},
        VersionCase{"MajorTwoShowsTwoParts", {{"Orvo.exe", "host 2.19.7.3"}}, "version_2_19.cbr"},
        VersionCase{"OtherMajorShowsThree", {{"OrvoNew.exe", "stub 3.1.4.9"}}, "version_3_1_4.cbr"},
        VersionCase{"UnreadableVersionIsPassedOver",
                    {{"OrvoA.exe", "junk"}, {"OrvoB.exe", "stub 3.1.4.9"}},
                    "version_3_1_4.cbr"},
        VersionCase{"OnlyUnreadableGivesNoVersion", {{"Orvo.exe", "junk"}}, "version_none.cbr"},
        VersionCase{"NameMatchIsCaseSensitive",
                    {{"aorvo.exe", "stub 3.1.4.9"}, {"Orvo.exe", "host 2.19.7.3"}},
                    "version_2_19.cbr"},
        VersionCase{"FolderIsPassedOver",
                    {{"Orvo.exe", "folder"}, {"OrvoZ.exe", "stub 3.1.4.9"}},
                    "version_3_1_4.cbr"},
        VersionCase{"OnlyExecutablesCount", {{"Orvo.dll", "host 2.19.7.3"}}, "version_none.cbr"}),
    [](const ::testing::TestParamInfo<VersionCase>& info) { return info.param.name; });

TEST(CreatedByLookup, ReadsTheListedFileNotAnotherCopyOnTheProgramPath) {
  ScratchFolder folder;
  // A readable copy of the same name beside the executables, where a bare
  // file name would be looked up first; the listed one has no version.
  const std::string besideHost = ExecutableFolder() + "\\OrvoPinnedProbe.exe";
  ASSERT_TRUE(
      CopyFileA((ExecutableFolder() + "\\version_stub.exe").c_str(), besideHost.c_str(), FALSE));
  Place("OrvoPinnedProbe.exe", "junk");
  {
    PluginHost host;
    EXPECT_EQ(ReportPass(host).Status, -1);
  }
  DeleteFileA(besideHost.c_str());
  ExpectGolden("JA1ZZZ.cbr", "version_none.cbr");
}

bool AnyFile(const char* pattern) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA(pattern, &entry);
  if (find == INVALID_HANDLE_VALUE)
    return false;
  FindClose(find);
  return true;
}

void ExpectPlainFailure(const SummaryRun& run, const std::string& name) {
  std::string head = "The Cabrillo file " + name + " could not be written: ";
  EXPECT_EQ(run.Box.Text.substr(0, head.size()), head) << run.Box.Text;
  EXPECT_GT(run.Box.Text.size(), head.size()) << "no reason given";
  EXPECT_EQ(run.Status, 7) << "the status is set only when the file was written";
  EXPECT_FALSE(AnyFile("*.tmp")) << "the temporary file was left behind";
}

TEST(CabrilloWrite, NameTheFileSystemRefusesIsReportedWithItsReason) {
  ScratchFolder folder;
  PluginHost host;
  HostReset reset;
  reset.OwnCall = std::string(300, 'J');  // longer than a file name may be
  SummaryRun run = ReportPass(host, reset);
  ExpectPlainFailure(run, reset.OwnCall + ".cbr");
  EXPECT_FALSE(AnyFile("*.cbr"));
}

int LinesStartingWith(const std::string& text, const std::string& start) {
  int count = 0;
  for (size_t at = 0;; at += 2) {
    count += text.compare(at, start.size(), start) == 0;
    at = text.find("\r\n", at);
    if (at == std::string::npos)
      return count;
  }
}

// A colon once made the name a drive ("C:EVIL" wrote C:\EVIL.cbr), and line
// breaks in an exchange forged a QSO line and a second score line.
TEST(CabrilloWrite, HostileCallAndExchangeStayInTheFolderAndOnTheirLines) {
  ScratchFolder folder;
  HostReset reset;
  reset.OwnCall = "C:EVIL";
  std::vector<HostQso> log = OneQso();
  log[0].ExchRcvd = "AC\r\nQSO: forged\r\nCLAIMED-SCORE: 999999";
  PluginHost host;
  SummaryRun run = ReportPass(host, reset, log);
  EXPECT_EQ(run.Box.Text, "File produced: C_EVIL.cbr");
  const std::string file = ReadWholeFile("C_EVIL.cbr");
  EXPECT_EQ(LinesStartingWith(file, "QSO:"), 1) << file;
  EXPECT_EQ(LinesStartingWith(file, "CLAIMED-SCORE:"), 1) << file;
  EXPECT_NE(file.find("AC  QSO: forged  CLAIMED-SCORE: 999999\r\n"), std::string::npos) << file;
  const std::string errors = ReadWholeFile("err.txt");
  EXPECT_EQ(LinesStartingWith(errors, "QSO:"), 1) << errors;
}

TEST(CabrilloWrite, OldLogSurvivesAFailedReplaceAndIsReplacedLater) {
  ScratchFolder folder;
  const std::string previous = "START-OF-LOG: 3.0\r\nthe log sent last time\r\nEND-OF-LOG:\r\n";
  WriteWholeFile("JA1ZZZ.cbr", previous);
  // Another program holds the old file open without sharing it.
  HANDLE held = CreateFileA("JA1ZZZ.cbr", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  PluginHost host;
  SummaryRun run = ReportPass(host);
  CloseHandle(held);
  ExpectPlainFailure(run, "JA1ZZZ.cbr");
  EXPECT_EQ(ReadWholeFile("JA1ZZZ.cbr"), previous);

  run = SummaryWithReport(host);
  EXPECT_EQ(run.Box.Text, "File produced: JA1ZZZ.cbr");
  EXPECT_EQ(run.Status, -1);
  ExpectGolden("JA1ZZZ.cbr", "version_none.cbr");
}

TEST(CabrilloWrite, FolderInTheWayIsReportedAndLeftAlone) {
  ScratchFolder folder;
  ASSERT_TRUE(CreateDirectoryA("JA1ZZZ.cbr", nullptr));
  PluginHost host;
  ExpectPlainFailure(ReportPass(host), "JA1ZZZ.cbr");
  EXPECT_TRUE(GetFileAttributesA("JA1ZZZ.cbr") & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(CabrilloWindows, BelongToTheHostsMainWindowWhenThereIsOne) {
  ScratchFolder folder;
  TestMainWindow main;
  PluginHost host;
  HWND dialogOwner = nullptr;
  ResetWithDialog(host, HostReset(), [&](HWND dialog) {
    dialogOwner = GetWindow(dialog, GW_OWNER);
    PressOk(dialog);
  });
  EXPECT_EQ(dialogOwner, main.Handle());
  AddAll(host, OneQso());
  SummaryRun run = SummaryWithReport(host);
  EXPECT_EQ(run.Box.Owner, main.Handle());
  EXPECT_TRUE(IsWindowEnabled(main.Handle()));
}

// While the dialog or the message box waits for the operator, the info thread
// must still be able to take the shared lock. A call that takes it, made from
// a second thread, shows whether it is free.
class LockProbe {
 public:
  explicit LockProbe(PluginHost& host) : host_(host) {}
  ~LockProbe() {
    if (thread_.joinable())
      thread_.join();  // a stuck call finishes once the window is closed
  }
  bool Free() {
    thread_ = std::thread([this] {
      HostCallCheck check;
      check.Call = "JA2AAA";
      host_.CheckCall0(check);
      done_ = true;
    });
    return WaitUntil([this] { return done_.load(); }, 5000);
  }

 private:
  PluginHost& host_;
  std::thread thread_;
  std::atomic<bool> done_{false};
};

TEST(CabrilloWindows, LockIsNotHeldWhileTheOperatorDecides) {
  ScratchFolder folder;
  PluginHost host;
  LockProbe duringDialog(host), duringBox(host);
  ResetWithDialog(host, HostReset(), [&](HWND dialog) {
    EXPECT_TRUE(duringDialog.Free()) << "lock held while the dialog is up";
    PressOk(dialog);
  });
  AddAll(host, OneQso());
  SummaryRun run;
  CallWithModalWindowChecked(
      "Output", "GetResult0", [&] { host.GetResult0(&run.Status); },
      [&](HWND box) {
        EXPECT_TRUE(duringBox.Free()) << "lock held while the message box is up";
        run.Box = DismissMessageBox(box);
      });
  EXPECT_EQ(run.Box.Text, "File produced: JA1ZZZ.cbr");
}

}  // namespace
