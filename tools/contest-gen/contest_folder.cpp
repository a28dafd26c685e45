#include "contest_folder.h"

#include <filesystem>

#include "contest_cabrillo.h"
#include "files/file_writer.h"

namespace fs = std::filesystem;

void WriteGeneratedFile(const std::string& file, const std::string& bytes) {
  std::string reason;
  if (!WriteNewFile(file, bytes, reason))
    throw WriteError("cannot write " + file + ": " + reason + "; nothing was written over");
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
    WriteGeneratedFile((fs::path(folder) / CabrilloFileName(log.Log.Call)).string(),
                       CabrilloText(log));
  WriteGeneratedFile(truthFile, TruthCsv(contest.Truth));
}
