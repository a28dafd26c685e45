#include "robot_http/upload_form.h"

namespace {

const size_t kLongestEmail = 320;
const size_t kLongestKey = 80;
const size_t kOtherFieldBytes = 4096;

}  // namespace

bool UploadForm::Part(const std::string& field, const std::string& fileName) {
  field_ = field;
  if (field_ == "log") {
    ++logParts_;
    log_.FileName = fileName;
  }
  return true;
}

bool UploadForm::Data(const char* data, size_t size) {
  if (std::chrono::steady_clock::now() > deadline_) {
    tooSlow_ = true;
    return false;
  }
  if (tooBig_) {
    dropped_ += size;
    return dropped_ <= kDrainBytes;
  }
  if (field_ == "log") {
    if (log_.Bytes.size() + size > maxLogBytes_) {
      // Refused here, while it streams in: nothing more of it is kept.
      tooBig_ = true;
      log_.Bytes.clear();
      return true;
    }
    log_.Bytes.append(data, size);
    hash_.Add(data, size);
  } else if (field_ == "key") {
    log_.Key.append(data, size);
    return log_.Key.size() <= kLongestKey;
  } else if (field_ == "email") {
    log_.Email.append(data, size);
    tooLongEmail_ = log_.Email.size() > kLongestEmail;
    return !tooLongEmail_;
  } else {
    otherBytes_ += size;
    return otherBytes_ <= kOtherFieldBytes;
  }
  return true;
}

Upload UploadForm::Finish() {
  log_.Sha256 = hash_.HexDigest();
  return std::move(log_);
}
