// The host simulator: loads Stats.dll the way the logging program does and calls
// its exports, by plain or by decorated name, from readable records.
#pragma once

#include <windows.h>

#include <string>

#include "core/base/date_time.h"
#include "core/engine/host_input.h"
#include "plugin/exports.h"

// The records the host hands over are the plug-in's own (engine/host_input.h);
// these add defaults that describe a valid QSO of a Japanese operator with a
// Japanese station on 40 m.
struct HostQso : QsoInput {
  HostQso();
};

struct HostReset : ResetInput {
  HostReset();
};

struct HostCallCheck : CallCheckInput {
  HostCallCheck();
};

class PluginHost {
 public:
  // Loads Stats.dll from the folder of the running executable.
  explicit PluginHost(bool decoratedNames = false);
  ~PluginHost();  // unloads the library
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  HMODULE Module() const { return module_; }
  bool Decorated() const { return decorated_; }
  // The address of an export, named by its plain name, looked up by the name
  // this host uses for it; throws std::runtime_error when it is absent.
  FARPROC Require(const char* plainName) const;
  // An export as a function of the type exports.h declares for it.
  template <typename Fn>
  Fn Export(const char* plainName) const {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(Require(plainName)));
  }

  const char* GetSetName(int index);
  int GetNumberOfSets();
  int GetExchgCount0(const char* a = "", const char* b = "", const char* c = "");
  int IsValidExchg0(const char* exchange, const char* prefix);
  int ResetStats0(const ResetInput& reset);
  int AddData0(const QsoInput& qso);
  int RemoveData0(const QsoInput& qso);
  int CheckCall0(const CallCheckInput& check);
  const char* GetResult0(int* status);
  std::string GetResult0();
  void SetupSet0();
  const char* RunCommand0(const char* command);

 private:
  HMODULE module_ = nullptr;
  bool decorated_;
};

// The export `name` of `host` (a PluginHost), typed from its declaration.
#define DKZ_HOST_EXPORT(host, name) (host).Export<decltype(&::name)>(#name)

// A fresh working folder, made current for the test's lifetime, as the host's
// current directory. With `withPlugins` it holds the Plugins folder the
// settings file goes into.
class ScratchFolder {
 public:
  explicit ScratchFolder(bool withPlugins = true);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::string previous_;
};

// Whole file as bytes; empty when missing.
std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
// A key of the plug-in's settings (engine/settings.h); `fallback` when missing.
std::string ReadSetting(const char* key, const char* fallback = "<missing>");
void WriteSetting(const char* key, const char* value);
// The running executable's full path, and the folder that holds it and
// Stats.dll (UTF-8).
std::string ExecutablePath();
std::string ExecutableFolder();
