#include "log_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "adif_log.h"
#include "cabrillo_reader.h"

std::string ReadTextFile(const std::string& path, const std::string& shownName) {
  // UTF-8 names reach Windows as wide ones.
  std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
  if (!in) {
    int error = errno;
    throw InputError("cannot read " + shownName + ": " +
                     (error != 0 ? std::strerror(error) : "cannot open"));
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad())
    throw InputError("cannot read " + shownName + ": read error");
  return bytes.str();
}

LogContents ReadLogFile(const std::string& path, const std::string& shownName) {
  std::string text = ReadTextFile(path, shownName);
  return LooksLikeCabrillo(text) ? ReadCabrilloLog(text, shownName) : ReadAdifLog(text, shownName);
}
