// The functions the logging program calls. Each is exported under its plain
// name and under the decorated name of the host's own declaration (Stats.def).
#pragma once

// Each signature is written here once: the plug-in defines these, the host
// simulator and the benchmark take their function types from them (decltype),
// and tools/check-exports.sh compiles them as the host's compiler would, with
// the host's date class for DKZ_DATE_TIME and C++ names for DKZ_EXPORT, to
// compare their decorated names with Stats.def.
struct OleDateTime;

// No dllexport: Stats.def alone decides the export table (RunCommand0 has no plain name).
#ifndef DKZ_EXPORT
#define DKZ_EXPORT extern "C"
#endif
#ifndef DKZ_DATE_TIME
#define DKZ_DATE_TIME const OleDateTime*
#endif

typedef const char* TextArg;
typedef DKZ_DATE_TIME DateTimeArg;

DKZ_EXPORT const char* __cdecl GetSetName(int setIndex);
DKZ_EXPORT int __cdecl GetNumberOfSets();
DKZ_EXPORT int __cdecl GetExchgCount0(TextArg, TextArg, TextArg);

// The long argument lists are macros, so that exports.cpp defines the
// functions with the same text.
#define DKZ_IS_VALID_EXCHG_PARAMS \
  TextArg exchange, TextArg, TextArg senderPrefix, TextArg, int, int, int
DKZ_EXPORT int __cdecl IsValidExchg0(DKZ_IS_VALID_EXCHG_PARAMS);

#define DKZ_RESET_PARAMS                                                                         \
  TextArg, int cabrilloRequest, TextArg ownCall, DateTimeArg periodStart, DateTimeArg periodEnd, \
      TextArg, TextArg, TextArg, TextArg, TextArg, TextArg, TextArg, TextArg, TextArg,           \
      TextArg ownPrefix, int, int, int, double, double, TextArg, TextArg, TextArg
DKZ_EXPORT int __cdecl ResetStats0(DKZ_RESET_PARAMS);

// AddData0 and RemoveData0 share one list of 33 arguments.
#define DKZ_QSO_PARAMS                                                                          \
  TextArg ownCall, TextArg call, DateTimeArg time, DateTimeArg, DateTimeArg, DateTimeArg,       \
      unsigned, unsigned frequencyHz, TextArg mode, TextArg rstSent, TextArg rstRcvd,           \
      TextArg exchSent, TextArg exchRcvd, TextArg, TextArg, TextArg, TextArg, TextArg, TextArg, \
      TextArg, TextArg, TextArg, TextArg prefix, int, int, int, double, double, TextArg,        \
      TextArg continent, TextArg, TextArg band, TextArg

DKZ_EXPORT int __cdecl AddData0(DKZ_QSO_PARAMS);
DKZ_EXPORT int __cdecl RemoveData0(DKZ_QSO_PARAMS);

#define DKZ_CHECK_CALL_PARAMS                                                                  \
  TextArg call, unsigned, unsigned, TextArg mode, TextArg, TextArg, TextArg, TextArg, TextArg, \
      TextArg, TextArg, TextArg, TextArg, TextArg, int, int, int, double, double, TextArg,     \
      TextArg continent, TextArg, TextArg, TextArg, TextArg band, TextArg, char *, char *
DKZ_EXPORT int __cdecl CheckCall0(DKZ_CHECK_CALL_PARAMS);

DKZ_EXPORT const char* __cdecl GetResult0(int* status);
DKZ_EXPORT void __cdecl SetupSet0();
DKZ_EXPORT const char* __cdecl RunCommand0(int, TextArg command);
