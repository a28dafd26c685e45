#include "files/file_writer_win.h"

#include <algorithm>
#include <cstdio>

#include "files/file_writer.h"
#include "files/path_entry_win.h"
#include "win/system_error.h"
#include "win/unique_handle.h"
#include "win/wide_text.h"

namespace {

struct Outcome {
  EntryKind Refused = EntryKind::kMissing;  // kMissing or kFile: not refused
  DWORD Error = ERROR_SUCCESS;
};

bool Replaceable(EntryKind kind) {
  return kind == EntryKind::kMissing || kind == EntryKind::kFile;
}

// A new file in `folder` that no one else can have opened: CREATE_NEW fails on
// anything at the name, a link included.
FileHandle CreateTemporary(const std::wstring& folder, std::wstring& name) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    wchar_t unique[16];
    std::swprintf(
        unique, 16, L"dkz%08lx.tmp",
        static_cast<unsigned long>(GetTickCount() ^ (GetCurrentProcessId() << 16)) + ++counter);
    name = folder + unique;
    FileHandle file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file || (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS))
      return file;
  }
  return FileHandle();
}

bool WriteAll(const FileHandle& file, const std::string& bytes) {
  const DWORD kChunk = 1 << 20;
  for (size_t done = 0; done < bytes.size();) {
    DWORD size = static_cast<DWORD>(std::min<size_t>(kChunk, bytes.size() - done));
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data() + done, size, &written, nullptr))
      return false;
    if (written == 0) {
      SetLastError(ERROR_WRITE_FAULT);  // no progress and no error code
      return false;
    }
    done += written;
  }
  return true;
}

Outcome Write(const std::wstring& path, const std::string& bytes) {
  Outcome outcome;
  const std::wstring full = FullPathWide(path);
  if (full.empty())
    return {EntryKind::kMissing, ERROR_INVALID_NAME};
  outcome.Refused = EntryAtWide(full);
  if (!Replaceable(outcome.Refused))
    return outcome;
  std::wstring temporary;
  FileHandle file = CreateTemporary(full.substr(0, full.find_last_of(L'\\') + 1), temporary);
  if (!file)
    return {EntryKind::kMissing, GetLastError()};
  bool complete = WriteAll(file, bytes) && FlushFileBuffers(file.Get());
  outcome.Error = complete ? ERROR_SUCCESS : GetLastError();
  if (!CloseHandle(file.Release()) && complete) {
    complete = false;
    outcome.Error = GetLastError();
  }
  if (complete) {
    // Looked at again: what came in the meantime is not replaced either.
    outcome.Refused = EntryAtWide(full);
    complete = Replaceable(outcome.Refused) &&
               MoveFileExW(temporary.c_str(), full.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    outcome.Error = complete ? ERROR_SUCCESS : GetLastError();
  }
  if (!complete)
    DeleteFileW(temporary.c_str());
  return outcome;
}

}  // namespace

DWORD WriteFileWholeWide(const std::wstring& path, const std::string& bytes) {
  Outcome outcome = Write(path, bytes);
  return Replaceable(outcome.Refused) ? outcome.Error : ERROR_ACCESS_DENIED;
}

bool WriteFileWhole(const std::string& path, const std::string& bytes, std::string& reason) {
  Outcome outcome = Write(Widen(path), bytes);
  if (!Replaceable(outcome.Refused)) {
    reason = "it is " + EntryRefusal(outcome.Refused);
    return false;
  }
  if (outcome.Error != ERROR_SUCCESS) {
    reason = SystemErrorText(outcome.Error, CP_UTF8);
    return false;
  }
  return true;
}

bool WriteNewFile(const std::string& path, const std::string& bytes, std::string& reason) {
  const std::wstring full = FullPathWide(Widen(path));
  FileHandle file(CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    DWORD error = GetLastError();
    reason = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS
                 ? "something is there already"
                 : SystemErrorText(error, CP_UTF8);
    return false;
  }
  bool complete = WriteAll(file, bytes);
  DWORD error = complete ? ERROR_SUCCESS : GetLastError();
  if (!CloseHandle(file.Release()) && complete) {
    complete = false;
    error = GetLastError();
  }
  if (!complete) {
    DeleteFileW(full.c_str());  // made just now: a part of it helps no one
    reason = SystemErrorText(error, CP_UTF8);
  }
  return complete;
}
