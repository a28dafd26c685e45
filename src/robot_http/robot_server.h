// The robot's HTTP side: the routes, the guards every request passes, and
// the headers every answer carries. Listens on 127.0.0.1 only: a public site
// puts a web server in front for TLS.
#pragma once

#include <memory>
#include <string>

#include "robot/upload_service.h"
#include "robot_http/robot_listener.h"

class RobotServer {
 public:
  RobotServer(UploadService& service, std::string dataFolder, std::string sponsorToken,
              ServerLimits limits = {});
  ~RobotServer();
  RobotServer(const RobotServer&) = delete;
  RobotServer& operator=(const RobotServer&) = delete;

  // Binds 127.0.0.1:port; port 0 takes a free one. Returns the port, or -1.
  int Bind(int port);
  // Serves until Stop(); false when it could not.
  bool Run();
  void Stop();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
