// Logs, data folders and a running robot for the robot's tests.
#pragma once

#include <memory>
#include <string>
#include <thread>

#include "logs/country_file.h"
#include "robot/upload_service.h"
#include "robot_http/robot_server.h"

// A Cabrillo log of a German station in the DKZ contest of 2023-06-10, with
// `qsos` QSOs with Japanese stations on 40m. `header` lines (each ending in
// "\n") stand after CALLSIGN: and replace the default category lines when given.
std::string TestLog(const std::string& call = "DL4MCF", int qsos = 20,
                    const std::string& header = "");

// The same with QSO lines of its own.
std::string TestLogWithLines(const std::string& call, const std::string& header,
                             const std::string& qsoLines);

// Debian's country file, read once.
const CountryFile& TestCountries();

// A folder of its own under the system's temporary folder, removed with
// everything in it at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// A robot on a free port of 127.0.0.1 with a data folder of its own.
class RunningRobot {
 public:
  explicit RunningRobot(RobotSettings settings = {}, ServerLimits limits = {});
  ~RunningRobot();
  int Port() const { return port_; }
  const std::string& Data() const { return folder_.Path(); }
  const std::string& Token() const { return token_; }
  UploadService& Service() { return *service_; }

 private:
  TempFolder folder_;
  std::string token_ = "sponsor-secret-token-0123456789";
  std::unique_ptr<BlobStore> blobs_;
  std::unique_ptr<SubmissionDb> db_;
  std::unique_ptr<UploadService> service_;
  std::unique_ptr<RobotServer> server_;
  std::thread thread_;
  int port_ = -1;
};
