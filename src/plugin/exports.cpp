#include "plugin/exports.h"

#include "core/base/date_time.h"
#include "core/base/text.h"
#include "core/contest/contest_rules.h"
#include "plugin/live/info_windows.h"
#include "plugin/scoring_calls.h"
#include "plugin/setup/setup_dialog.h"

namespace {

// No exception may reach the host: an export that fails answers `fallback`.
template <typename Result, typename Body>
Result Guarded(Result fallback, Body body) {
  try {
    return body();
  } catch (...) {
    return fallback;
  }
}

QsoInput CopyQso(TextArg ownCall, TextArg call, DateTimeArg time, unsigned frequencyHz,
                 TextArg mode, TextArg rstSent, TextArg rstRcvd, TextArg exchSent, TextArg exchRcvd,
                 TextArg prefix, TextArg continent, TextArg band) {
  QsoInput qso;
  qso.OwnCall = HostText(ownCall);
  qso.Call = HostText(call);
  qso.Time = CopyDateTime(time);
  qso.FrequencyHz = frequencyHz;
  qso.Mode = HostText(mode);
  qso.RstSent = HostText(rstSent);
  qso.RstRcvd = HostText(rstRcvd);
  qso.ExchSent = HostText(exchSent);
  qso.ExchRcvd = HostText(exchRcvd);
  qso.Prefix = HostText(prefix);
  qso.Continent = HostText(continent);
  qso.Band = HostText(band);
  return qso;
}

}  // namespace

const char* __cdecl GetSetName(int setIndex) {
  return setIndex == 0 ? "DKZ Contest (C)" : "";
}

int __cdecl GetNumberOfSets() {
  return 1;
}

int __cdecl GetExchgCount0(TextArg, TextArg, TextArg) {
  return 1;
}

int __cdecl IsValidExchg0(DKZ_IS_VALID_EXCHG_PARAMS) {
  return Guarded(0, [&] {
    return kDkzRules.IsValidExchange(HostText(exchange), HostText(senderPrefix)) ? 1 : 0;
  });
}

int __cdecl ResetStats0(DKZ_RESET_PARAMS) {
  return Guarded(1, [&] {
    ResetInput input;
    input.CabrilloRequest = cabrilloRequest;
    input.OwnCall = HostText(ownCall);
    input.PeriodStart = CopyDateTime(periodStart);
    input.PeriodEnd = CopyDateTime(periodEnd);
    input.OwnPrefix = HostText(ownPrefix);
    return PluginResetStats(input);
  });
}

int __cdecl AddData0(DKZ_QSO_PARAMS) {
  return Guarded(0, [&] {
    return PluginAddData(CopyQso(ownCall, call, time, frequencyHz, mode, rstSent, rstRcvd, exchSent,
                                 exchRcvd, prefix, continent, band));
  });
}

int __cdecl RemoveData0(DKZ_QSO_PARAMS) {
  return Guarded(0, [&] {
    return PluginRemoveData(CopyQso(ownCall, call, time, frequencyHz, mode, rstSent, rstRcvd,
                                    exchSent, exchRcvd, prefix, continent, band));
  });
}

int __cdecl CheckCall0(DKZ_CHECK_CALL_PARAMS) {
  return Guarded(1, [&] {
    CallCheckInput input;
    input.Call = HostText(call);
    input.Mode = HostText(mode);
    input.Continent = HostText(continent);
    input.Band = HostText(band);
    return PluginCheckCall(input);
  });
}

const char* __cdecl GetResult0(int* status) {
  return Guarded<const char*>("", [&] { return PluginGetResult(status); });
}

void __cdecl SetupSet0() {
  Guarded(0, [] {
    RunSetupDialog();
    return 0;
  });
}

const char* __cdecl RunCommand0(int, TextArg command) {
  static const char kEmpty[] = "";
  Guarded(0, [&] {
    std::string text = HostText(command);
    if (text == "SHOWINFO")
      StartInfoWindows();
    if (text == "HIDEINFO")
      StopInfoWindows();
    return 0;
  });
  return kEmpty;
}
