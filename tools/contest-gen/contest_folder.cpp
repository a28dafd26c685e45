#include "contest_folder.h"

#include <filesystem>
#include <fstream>

#include "contest_cabrillo.h"

namespace fs = std::filesystem;

void WriteNewFile(const std::string& file, const std::string& bytes) {
  const fs::path path = file;
  std::error_code error;
  if (fs::exists(path, error))
    throw WriteError(path.string() + " exists already; nothing was written over");
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  out.close();
  if (!out)
    throw WriteError("cannot write " + path.string());
}

void WriteContest(const GeneratedContest& contest, const std::string& folder,
                  const std::string& truthFile) {
  std::error_code error;
  if (fs::exists(folder, error))
    throw WriteError(folder + " exists already; give a new folder");
  if (fs::exists(truthFile, error))
    throw WriteError(truthFile + " exists already; nothing was written over");
  if (!fs::create_directories(folder, error))
    throw WriteError("cannot create " + folder + ": " + error.message());
  for (const GeneratedLog& log : contest.Logs)
    WriteNewFile((fs::path(folder) / CabrilloFileName(log.Log.Call)).string(), CabrilloText(log));
  WriteNewFile(truthFile, TruthCsv(contest.Truth));
}
