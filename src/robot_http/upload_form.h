// The upload form as it streams in: the log and the e-mail kept, their sizes
// and the time they take bounded while they arrive, the log hashed on the way.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

#include "robot/sha256.h"
#include "robot/upload_service.h"

// What is still read, and dropped, of a body once it is over the limit: a
// client that sends on without waiting then reads the 413 instead of a reset
// connection. Beyond this the connection is closed.
constexpr size_t kDrainBytes = 16 * 1024 * 1024;

class UploadForm {
 public:
  UploadForm(size_t maxLogBytes, std::chrono::steady_clock::time_point deadline)
      : maxLogBytes_(maxLogBytes), deadline_(deadline) {}

  // A part begins: its field name and the file name it was sent with.
  bool Part(const std::string& field, const std::string& fileName);
  // Bytes of the current part; false stops reading the body.
  bool Data(const char* data, size_t size);

  bool TooBig() const { return tooBig_; }
  bool TooSlow() const { return tooSlow_; }
  bool TooLongEmail() const { return tooLongEmail_; }
  int LogParts() const { return logParts_; }
  // The log with its SHA-256; call once, after the whole body.
  Upload Finish();

 private:
  size_t maxLogBytes_;
  std::chrono::steady_clock::time_point deadline_;
  std::string field_;
  int logParts_ = 0;
  Upload log_;
  Sha256 hash_;
  size_t otherBytes_ = 0;
  size_t dropped_ = 0;
  bool tooBig_ = false;
  bool tooSlow_ = false;
  bool tooLongEmail_ = false;
};
