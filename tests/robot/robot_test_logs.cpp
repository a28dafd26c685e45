#include "robot_test_logs.h"

#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include <httplib.h>

#include "logs/log_file.h"
#include "robot_http/robot_options.h"

namespace {

const char* const kDistricts[] = {"AT", "CB", "ST", "IS", "NI", "KC", "KN", "SN", "NN", "RM"};

}  // namespace

std::string TestLogWithLines(const std::string& call, const std::string& header,
                             const std::string& qsoLines) {
  return "START-OF-LOG: 3.0\nCALLSIGN: " + call + "\nCONTEST: DKZ-CW\n" +
         (header.empty() ? "CATEGORY-OPERATOR: SINGLE-OP\nCATEGORY-BAND: ALL\n"
                           "CATEGORY-POWER: LOW\n"
                         : header) +
         qsoLines + "END-OF-LOG:\n";
}

std::string TestLog(const std::string& call, int qsos, const std::string& header) {
  std::string lines;
  for (int i = 0; i < qsos; ++i) {
    char line[128];
    snprintf(line, sizeof line,
             "QSO:  7012 CW 2023-06-10 %02d%02d %-13s 599 %-6d JA%d%c%c%c 599 %s\n",
             9 + i / 60 % 14, i % 60, call.c_str(), 1234, i % 10, 'A' + i % 26, 'A' + i / 26 % 26,
             'A' + i / 676 % 26, kDistricts[i % 10]);
    lines += line;
  }
  return TestLogWithLines(call, header, lines);
}

const CountryFile& TestCountries() {
  static const CountryFile countries = CountryFile::Parse(
      ReadTextFile(kDefaultCountryFile, kDefaultCountryFile), kDefaultCountryFile);
  return countries;
}

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "dkz-robot-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("cannot make a temporary folder");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

RunningRobot::RunningRobot(RobotSettings settings, ServerLimits limits) {
  blobs_ = std::make_unique<BlobStore>(Data() + "/logs");
  db_ = std::make_unique<SubmissionDb>(Data() + "/robot.db");
  service_ = std::make_unique<UploadService>(settings, TestCountries(), SponsorTable::Default(),
                                             *blobs_, *db_);
  limits.Threads = 8;
  server_ = std::make_unique<RobotServer>(*service_, Data(), token_, limits);
  port_ = server_->Bind(0);
  if (port_ <= 0)
    throw std::runtime_error("cannot bind 127.0.0.1");
  thread_ = std::thread([this] { server_->Run(); });
  // Stop() is lost on a server that does not listen yet: wait until it answers.
  httplib::Client client("127.0.0.1", port_);
  for (int i = 0; i < 200 && !client.Get("/style.css"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

RunningRobot::~RunningRobot() {
  server_->Stop();
  thread_.join();
}
