#include "driver/plugin_host.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "core/engine/settings.h"
#include "driver/export_names.h"
#include "win/wide_text.h"

namespace {

// Unused text arguments carry a recognisable value, never a null pointer.
const char kUnused[] = "unused";

int CallQso(decltype(&::AddData0) fn, const QsoInput& q) {
  OleDateTime unusedDate = MakeOleDateTime(2000, 1, 1);
  return fn(q.OwnCall.c_str(), q.Call.c_str(), &q.Time, &unusedDate, &unusedDate, &unusedDate, 0,
            q.FrequencyHz, q.Mode.c_str(), q.RstSent.c_str(), q.RstRcvd.c_str(), q.ExchSent.c_str(),
            q.ExchRcvd.c_str(), kUnused, kUnused, kUnused, kUnused, kUnused, kUnused, kUnused,
            kUnused, kUnused, q.Prefix.c_str(), 0, 0, 0, 0.0, 0.0, kUnused, q.Continent.c_str(),
            kUnused, q.Band.c_str(), kUnused);
}

}  // namespace

HostQso::HostQso() {
  OwnCall = "JA1ZZZ";
  Call = "JA2AAA";
  Time = MakeOleDateTime(2016, 6, 10, 12, 0);
  FrequencyHz = 7012000;
  Mode = "CW";
  RstSent = "599";
  RstRcvd = "599";
  ExchSent = "TK";
  ExchRcvd = "AC";
  Prefix = "JA";
  Continent = "AS";
  Band = "40m";
}

HostReset::HostReset() {
  OwnCall = "JA1ZZZ";
  PeriodStart = MakeOleDateTime(2016, 6, 10);
  PeriodEnd = MakeOleDateTime(2016, 6, 11);
  OwnPrefix = "JA";
}

HostCallCheck::HostCallCheck() {
  Mode = "CW";
  Continent = "AS";
  Band = "40m";
}

std::string ExecutablePath() {
  // Wide, and as long as it is: a folder may have any name and any length.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0)
      return "";
    if (length < path.size()) {
      path.resize(length);
      return Narrow(path);
    }
    path.resize(path.size() * 2);
  }
}

std::string ExecutableFolder() {
  std::string path = ExecutablePath();
  return path.substr(0, path.find_last_of("\\/"));
}

PluginHost::PluginHost(bool decoratedNames) : decorated_(decoratedNames) {
  std::string path = ExecutableFolder() + "\\Stats.dll";
  module_ = LoadLibraryW(Widen(path).c_str());
  if (module_ == nullptr)
    throw std::runtime_error("cannot load " + path);
}

PluginHost::~PluginHost() {
  if (module_ != nullptr)
    FreeLibrary(module_);
}

FARPROC PluginHost::Require(const char* plainName) const {
  const char* decorated = DecoratedName(plainName);
  const char* name = decorated_ && decorated != nullptr ? decorated : plainName;
  FARPROC address = GetProcAddress(module_, name);
  if (address == nullptr)
    throw std::runtime_error(std::string("export not found: ") + name);
  return address;
}

const char* PluginHost::GetSetName(int index) {
  return DKZ_HOST_EXPORT(*this, GetSetName)(index);
}

int PluginHost::GetNumberOfSets() {
  return DKZ_HOST_EXPORT(*this, GetNumberOfSets)();
}

int PluginHost::GetExchgCount0(const char* a, const char* b, const char* c) {
  return DKZ_HOST_EXPORT(*this, GetExchgCount0)(a, b, c);
}

int PluginHost::IsValidExchg0(const char* exchange, const char* prefix) {
  return DKZ_HOST_EXPORT(*this, IsValidExchg0)(exchange, kUnused, prefix, kUnused, 0, 0, 0);
}

int PluginHost::ResetStats0(const ResetInput& r) {
  auto fn = DKZ_HOST_EXPORT(*this, ResetStats0);
  return fn(kUnused, r.CabrilloRequest, r.OwnCall.c_str(), &r.PeriodStart, &r.PeriodEnd, kUnused,
            kUnused, kUnused, kUnused, kUnused, kUnused, kUnused, kUnused, kUnused,
            r.OwnPrefix.c_str(), 0, 0, 0, 0.0, 0.0, kUnused, kUnused, kUnused);
}

int PluginHost::AddData0(const QsoInput& qso) {
  return CallQso(DKZ_HOST_EXPORT(*this, AddData0), qso);
}

int PluginHost::RemoveData0(const QsoInput& qso) {
  return CallQso(DKZ_HOST_EXPORT(*this, RemoveData0), qso);
}

int PluginHost::CheckCall0(const CallCheckInput& c) {
  auto fn = DKZ_HOST_EXPORT(*this, CheckCall0);
  char bufferA[256] = "untouched";
  char bufferB[256] = "untouched";
  int result =
      fn(c.Call.c_str(), 0, 0, c.Mode.c_str(), kUnused, kUnused, kUnused, kUnused, kUnused, kUnused,
         kUnused, kUnused, kUnused, kUnused, 0, 0, 0, 0.0, 0.0, kUnused, c.Continent.c_str(),
         kUnused, kUnused, kUnused, c.Band.c_str(), kUnused, bufferA, bufferB);
  if (std::string(bufferA) != "untouched" || std::string(bufferB) != "untouched") {
    throw std::runtime_error("CheckCall0 wrote into the host's buffers");
  }
  return result;
}

const char* PluginHost::GetResult0(int* status) {
  return DKZ_HOST_EXPORT(*this, GetResult0)(status);
}

std::string PluginHost::GetResult0() {
  int status = 0;
  const char* text = GetResult0(&status);
  return text ? text : "<null>";
}

void PluginHost::SetupSet0() {
  DKZ_HOST_EXPORT(*this, SetupSet0)();
}

const char* PluginHost::RunCommand0(const char* command) {
  // The plug-in offers RunCommand0 under its decorated name only.
  auto address = GetProcAddress(module_, DecoratedName("RunCommand0"));
  if (address == nullptr)
    throw std::runtime_error("export not found: RunCommand0");
  return reinterpret_cast<decltype(&::RunCommand0)>(reinterpret_cast<void*>(address))(0, command);
}

ScratchFolder::ScratchFolder(bool withPlugins) {
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  previous_ = previous;
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  static unsigned counter = 0;
  for (;;) {
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%sdkz-%lu-%u", temp, GetCurrentProcessId(), ++counter);
    if (CreateDirectoryA(name, nullptr)) {
      path_ = name;
      break;
    }
  }
  if (withPlugins)
    CreateDirectoryA((path_ + "\\Plugins").c_str(), nullptr);
  SetCurrentDirectoryA(path_.c_str());
}

namespace {
void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = entry.cFileName;
      if (name == "." || name == "..")
        continue;
      std::string path = folder + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}
}  // namespace

ScratchFolder::~ScratchFolder() {
  SetCurrentDirectoryA(previous_.c_str());
  RemoveTree(path_);
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ReadSetting(const char* key, const char* fallback) {
  char buffer[4096] = {};
  GetPrivateProfileStringA(SettingsSection, key, fallback, buffer, sizeof buffer, SettingsFile);
  return buffer;
}

void WriteSetting(const char* key, const char* value) {
  WritePrivateProfileStringA(SettingsSection, key, value, SettingsFile);
}
