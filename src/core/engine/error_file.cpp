#include "core/engine/error_file.h"

const char* const kErrorFileName = "err.txt";
const char* const kErrorFileHeader = "DKZ Contest UBN file \r\n";

bool ErrorFile::Open(const char* mode) {
  Close();
  file_ = std::fopen(path_.c_str(), mode);
  return file_ != nullptr;
}

void ErrorFile::Recreate() {
  if (Open("wb")) {
    std::fputs(kErrorFileHeader, file_);
    std::fflush(file_);
  }
}

void ErrorFile::Append(const std::string& lines) {
  if (file_ == nullptr && !Open("ab"))
    return;
  if (!lines.empty()) {
    std::fwrite(lines.data(), 1, lines.size(), file_);
    std::fflush(file_);
  }
}

void ErrorFile::Close() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
}

ErrorFile& PassErrorFile() {
  static ErrorFile file(kErrorFileName);
  return file;
}
