// The scorer's file edges, UTF-8 paths throughout: on Windows wide names at
// the system, so that any path the user can type works (file_access_win.cpp);
// POSIX calls elsewhere (file_access_posix.cpp).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "files/made_files.h"

// Relative to the current folder; throws InputError naming `path`.
std::string FullPath(const std::string& path);

enum class PathKind { kMissing, kFile, kFolder, kDevice };
PathKind KindOf(const std::string& path);

// Throws InputError, naming the file as `shownName`, unless `path` is a
// plain file: a folder or a device name ("nul.adi") is said to be one.
void RequireFile(const std::string& path, const std::string& shownName);

// Both name one existing file (hard links and other spellings included), or
// are the same full path whatever the case.
bool SameFile(const std::string& a, const std::string& b);

// The last-write time; 0 when the file is missing or cannot be opened.
unsigned long long LastWriteTime(const std::string& path);

// Opens for writing without changing anything; false when it cannot be.
bool CanWriteExisting(const std::string& path);

// The whole file, read with the other writers still holding it; false when it
// cannot be opened.
bool ReadShared(const std::string& path, std::string& bytes);

// The record of the files dkz-score made in `folder`; empty when there is
// none, or when a link stands in its place.
MadeFiles ReadMadeFiles(const std::string& folder);

// Replaces the record whole or not at all; false when it could not.
bool WriteMadeFiles(const std::string& folder, const MadeFiles& record);

// The process's current folder, where the plug-in keeps its files, for the
// length of a run. Throws std::runtime_error when it cannot be changed.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& path);
  ~CurrentFolder();
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  std::string previous_;
};

// `relative` ("Plugins\\DKZ.ini", as the plug-in names its files) with the
// system's separator.
std::string SystemPath(const std::string& relative);

// Makes a folder and any missing parents. Throws std::runtime_error when it
// is not a folder afterwards.
void MakeFolders(const std::string& path);

// `name` in `folder`.
std::string InFolder(const std::string& folder, const std::string& name);

// A file another writer appends to: each ReadNew returns what was added since
// the last one.
class GrowingFile {
 public:
  GrowingFile();
  ~GrowingFile();
  GrowingFile(const GrowingFile&) = delete;
  GrowingFile& operator=(const GrowingFile&) = delete;
  // False when the file cannot be opened for reading.
  bool Open(const std::string& path);
  std::string ReadNew();

 private:
  struct Source;
  std::unique_ptr<Source> source_;
};
