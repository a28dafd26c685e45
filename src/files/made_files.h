// The record dkz-score keeps in its working folder of the files it made
// there, so that a later run writes them again but never writes over a file
// of the user or of the logging program that happens to lie in that folder.
#pragma once

#include <functional>
#include <string>
#include <vector>

inline constexpr char kMadeFilesName[] = "dkz-score.files";

// One name a line, relative to the working folder (a full path for a file
// outside it). Names are compared as Windows does for ASCII letters, whatever
// their case and with / or \; other letters must match exactly, which errs
// on the safe side.
class MadeFiles {
 public:
  // A missing or unreadable record is an empty one.
  static MadeFiles Parse(const std::string& text);
  std::string Text() const;

  bool Holds(const std::string& name) const;
  // Added when the file is there now, dropped when it is not.
  void Update(const std::string& name, bool exists);

 private:
  std::vector<std::string> names_;
};

// `path` relative to `folder` when it lies inside it, else `path` itself;
// both full, case ignored as in MadeFiles.
std::string NameInFolder(const std::string& folder, const std::string& path);

// Of `paths` (full), those that `isFile` finds and the record of `folder`
// does not hold: a run must write none of them.
std::vector<std::string> NotMadeByUs(const MadeFiles& record, const std::string& folder,
                                     const std::vector<std::string>& paths,
                                     const std::function<bool(const std::string&)>& isFile);
