#include "report_page/page_file.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

const char* const kReportPageStart =
    "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
    "<meta name=\"generator\" content=\"dkz-score report page\">\n";

std::string PagePathRefusal(const std::string& path) {
  std::filesystem::path file = std::filesystem::u8path(path);
  std::error_code error;
  std::filesystem::file_status status = std::filesystem::status(file, error);
  if (status.type() == std::filesystem::file_type::not_found)
    return "";
  if (status.type() != std::filesystem::file_type::regular)
    return path + " is not a file";
  std::ifstream in(file, std::ios::binary);
  std::string start(std::strlen(kReportPageStart), '\0');
  in.read(&start[0], static_cast<std::streamsize>(start.size()));
  if (!in || start != kReportPageStart)
    return path + " exists and is not a report page written by dkz-score: it is left alone";
  return "";
}
