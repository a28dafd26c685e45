#include "plugin_host.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

typedef const char* T;
typedef const OleDateTime* D;

typedef const char*(__cdecl* GetSetNameFn)(int);
typedef int(__cdecl* GetNumberOfSetsFn)();
typedef int(__cdecl* GetExchgCountFn)(T, T, T);
typedef int(__cdecl* IsValidExchgFn)(T, T, T, T, int, int, int);
typedef int(__cdecl* ResetStatsFn)(T, int, T, D, D, T, T, T, T, T, T, T, T, T, T, int, int, int,
                                   double, double, T, T, T);
typedef int(__cdecl* QsoFn)(T, T, D, D, D, D, unsigned, unsigned, T, T, T, T, T, T, T, T, T, T, T,
                            T, T, T, T, int, int, int, double, double, T, T, T, T, T);
typedef int(__cdecl* CheckCallFn)(T, unsigned, unsigned, T, T, T, T, T, T, T, T, T, T, T, int, int,
                                  int, double, double, T, T, T, T, T, T, T, char*, char*);
typedef const char*(__cdecl* GetResultFn)(int*);
typedef void(__cdecl* SetupSetFn)();
typedef const char*(__cdecl* RunCommandFn)(int, T);

// Unused text arguments carry a recognisable value, never a null pointer.
const char kUnused[] = "unused";

template <typename Fn>
Fn Require(const PluginHost& host, const char* plain, const char* decorated) {
  FARPROC address = host.Find(plain, decorated);
  if (address == nullptr) {
    throw std::runtime_error(std::string("export not found: ") +
                             (host.Decorated() ? decorated : plain));
  }
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(address));
}

int CallQso(QsoFn fn, const HostQso& q) {
  OleDateTime unusedDate = MakeOleDateTime(2000, 1, 1);
  return fn(q.OwnCall.c_str(), q.Call.c_str(), &q.Time, &unusedDate, &unusedDate, &unusedDate, 0,
            q.FrequencyHz, q.Mode.c_str(), q.RstSent.c_str(), q.RstRcvd.c_str(), q.ExchSent.c_str(),
            q.ExchRcvd.c_str(), kUnused, kUnused, kUnused, kUnused, kUnused, kUnused, kUnused,
            kUnused, kUnused, q.Prefix.c_str(), 0, 0, 0, 0.0, 0.0, kUnused, q.Continent.c_str(),
            kUnused, q.Band.c_str(), kUnused);
}

}  // namespace

std::string ExecutableFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of("\\/"));
}

PluginHost::PluginHost(bool decoratedNames) : decorated_(decoratedNames) {
  std::string path = ExecutableFolder() + "\\Stats.dll";
  module_ = LoadLibraryA(path.c_str());
  if (module_ == nullptr)
    throw std::runtime_error("cannot load " + path);
}

PluginHost::~PluginHost() {
  if (module_ != nullptr)
    FreeLibrary(module_);
}

FARPROC PluginHost::Find(const char* plainName, const char* decoratedName) const {
  return GetProcAddress(module_, decorated_ ? decoratedName : plainName);
}

const char* PluginHost::GetSetName(int index) {
  return Require<GetSetNameFn>(*this, "GetSetName", "?GetSetName@@YAPBDH@Z")(index);
}

int PluginHost::GetNumberOfSets() {
  return Require<GetNumberOfSetsFn>(*this, "GetNumberOfSets", "?GetNumberOfSets@@YAHXZ")();
}

int PluginHost::GetExchgCount0(const char* a, const char* b, const char* c) {
  return Require<GetExchgCountFn>(*this, "GetExchgCount0", "?StatsGetExchgCount0@@YAHPBD00@Z")(a, b,
                                                                                               c);
}

int PluginHost::IsValidExchg0(const char* exchange, const char* prefix) {
  return Require<IsValidExchgFn>(*this, "IsValidExchg0", "?StatsIsValidExchg0@@YAHPBD000HHH@Z")(
      exchange, kUnused, prefix, kUnused, 0, 0, 0);
}

int PluginHost::ResetStats0(const HostReset& r) {
  auto fn = Require<ResetStatsFn>(
      *this, "ResetStats0", "?ResetStats0@@YAHPBDH0PAVCOleDateTime@ATL@@10000000000HHHNN000@Z");
  return fn(kUnused, r.ReportFlag, r.OwnCall.c_str(), &r.PeriodStart, &r.PeriodEnd, kUnused,
            kUnused, kUnused, kUnused, kUnused, kUnused, kUnused, kUnused, kUnused,
            r.OwnPrefix.c_str(), 0, 0, 0, 0.0, 0.0, kUnused, kUnused, kUnused);
}

int PluginHost::AddData0(const HostQso& qso) {
  return CallQso(
      Require<QsoFn>(*this, "AddData0",
                     "?AddData0@@YAHPBD0PAVCOleDateTime@ATL@@111II000000000000000HHHNN00000@Z"),
      qso);
}

int PluginHost::RemoveData0(const HostQso& qso) {
  return CallQso(
      Require<QsoFn>(*this, "RemoveData0",
                     "?RemoveData0@@YAHPBD0PAVCOleDateTime@ATL@@111II000000000000000HHHNN00000@Z"),
      qso);
}

int PluginHost::CheckCall0(const HostCallCheck& c) {
  auto fn = Require<CheckCallFn>(*this, "CheckCall0",
                                 "?CheckCallFunc0@@YAHPBDII00000000000HHHNN0000000PAD1@Z");
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
  return Require<GetResultFn>(*this, "GetResult0", "?GetResult0@@YAPBDPAH@Z")(status);
}

std::string PluginHost::GetResult0() {
  int status = 0;
  const char* text = GetResult0(&status);
  return text ? text : "<null>";
}

void PluginHost::SetupSet0() {
  Require<SetupSetFn>(*this, "SetupSet0", "?SetupSet0@@YAXXZ")();
}

const char* PluginHost::RunCommand0(const char* command) {
  // The plug-in offers RunCommand0 under its decorated name only.
  auto address = GetProcAddress(module_, "?RunCommand0@@YAPBDHPBD@Z");
  if (address == nullptr)
    throw std::runtime_error("export not found: RunCommand0");
  return reinterpret_cast<RunCommandFn>(reinterpret_cast<void*>(address))(0, command);
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
  GetPrivateProfileStringA("Settings", key, fallback, buffer, sizeof buffer, "Plugins\\DKZ.ini");
  return buffer;
}

void WriteSetting(const char* key, const char* value) {
  WritePrivateProfileStringA("Settings", key, value, "Plugins\\DKZ.ini");
}
