// dkz-robot: the sponsor's log robot. See the README, "The log robot".
#include <malloc.h>
#include <signal.h>
#include <unistd.h>

#include <iostream>
#include <set>
#include <thread>

#include "logs/log_file.h"
#include "robot/blob_store.h"
#include "robot/contest_settings.h"
#include "robot/data_folder.h"
#include "robot/sponsor_token.h"
#include "robot/submission_db.h"
#include "robot/upload_service.h"
#include "robot_http/robot_options.h"
#include "robot_http/robot_server.h"

namespace {

RobotSettings LoadSettings(const std::string& path) {
  if (access(path.c_str(), F_OK) != 0)
    return RobotSettings();
  return ParseRobotSettings(ReadTextFile(path, path), path);
}

// What a kill in the middle of an upload can leave: files without a row
// (stored, but never receipted). A row without its file would be a lost log.
void Reconcile(BlobStore& blobs, SubmissionDb& db) {
  std::vector<std::string> names = blobs.List();
  std::set<std::string> onDisk(names.begin(), names.end());
  std::set<std::string> inRows;
  size_t rows = 0;
  for (const SubmissionRow& row : db.All()) {
    ++rows;
    inRows.insert(row.Sha256);
    // Noted for the sponsor's page too.
    if (!onDisk.count(row.Sha256) && !blobs.Fetch(row.Sha256).Problem.empty())
      std::cerr << "dkz-robot: log " << row.Id << " (" << row.Call << ") has lost its file "
                << row.Sha256 << "\n";
  }
  size_t unreceipted = 0;
  for (const std::string& name : onDisk)
    unreceipted += inRows.count(name) ? 0 : 1;
  std::cerr << "dkz-robot: " << rows << " logs received";
  if (unreceipted > 0)
    std::cerr << "; " << unreceipted << " stored files have no receipt (uploads cut short)";
  if (blobs.StaleRemoved() > 0)
    std::cerr << "; " << blobs.StaleRemoved() << " unfinished files removed";
  std::cerr << "\n";
}

int Serve(const RobotOptions& options) {
  const std::string& data = options.DataFolder;
  MakePrivateDataFolder(data);
  DataFolderLock lock(data);
  RobotSettings settings = LoadSettings(data + "/robot.conf");
  bool tokenMade = false;
  std::string token = LoadSponsorToken(data + "/sponsor-token", tokenMade);
  const std::string& countryPath = options.CountryFile;
  CountryFile countries = CountryFile::Parse(ReadTextFile(countryPath, countryPath), countryPath);
  BlobStore blobs(data + "/logs");
  SubmissionDb db(data + "/robot.db");
  Reconcile(blobs, db);
  // The sponsor's table of `dkz-score check`, when the sponsor gives one.
  const std::string tablePath = data + "/sponsor-table.txt";
  SponsorTable table = access(tablePath.c_str(), F_OK) == 0
                           ? SponsorTable::Parse(ReadTextFile(tablePath, tablePath), tablePath)
                           : SponsorTable::Default();
  UploadService service(settings, std::move(countries), std::move(table), blobs, db);

  // Signals are taken by one thread of ours, which stops the server.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  RobotServer server(service, data, token);
  int port = server.Bind(options.Port);
  if (port < 0)
    throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(options.Port));
  if (tokenMade)
    std::cerr << "dkz-robot: the sponsor's token was written to " << data << "/sponsor-token\n";
  std::cerr << "dkz-robot: contest period " << PeriodText(settings) << ", deadline "
            << DeadlineText(settings) << "\n";
  std::cout << "dkz-robot: listening on http://127.0.0.1:" << port << "/ (data in " << data << ")"
            << std::endl;
  std::thread stopper([&server, stopSignals] {
    int signal = 0;
    sigwait(&stopSignals, &signal);
    server.Stop();
  });
  bool served = server.Run();
  if (stopper.joinable()) {
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
  }
  return served ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  // glibc gives each allocating thread an arena of its own, up to eight a
  // core, and keeps what is freed in it: large uploads judged by 32 workers
  // grew the resident set to gigabytes. Two arenas hold it to what is in use.
  mallopt(M_ARENA_MAX, 2);
  try {
    RobotOptions options = ParseRobotOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (options.Help) {
      std::cout << kRobotUsage;
      return 0;
    }
    return Serve(options);
  } catch (const RobotUsageError& error) {
    std::cerr << "dkz-robot: " << error.what() << "\n" << kRobotUsage;
    return 2;
  } catch (const std::exception& error) {
    std::cerr << "dkz-robot: " << error.what() << "\n";
    return 1;
  }
}
