// The error file err.txt: a header line from the reset, then one line per
// problem that acceptance finds. Used on the host's thread only.
#pragma once

#include <cstdio>
#include <string>
#include <utility>

extern const char* const kErrorFileName;    // "err.txt", in the current folder
extern const char* const kErrorFileHeader;  // "DKZ Contest UBN file \r\n"

// Opening a file costs far more than writing a line (about 100 us under
// Wine), so the file stays open from the first call of a pass until Close.
// Each call still leaves the file existing and its lines flushed to it.
// Failures are silent: the lines are lost, nothing else.
class ErrorFile {
 public:
  explicit ErrorFile(std::string path) : path_(std::move(path)) {}
  ~ErrorFile() { Close(); }
  ErrorFile(const ErrorFile&) = delete;
  ErrorFile& operator=(const ErrorFile&) = delete;

  // Truncates the file (creating it if need be) and writes the header line.
  void Recreate();
  // Appends `lines` (each ending in CR LF); with none it only makes sure the
  // file exists.
  void Append(const std::string& lines);
  // Lets go of the file, so that others may rename or delete it.
  void Close();

 private:
  bool Open(const char* mode);

  std::string path_;
  std::FILE* file_ = nullptr;
};

// The plug-in's err.txt.
ErrorFile& PassErrorFile();
