// The functions the logging program calls. Each is exported under its plain
// name and under the decorated name of the host's own declaration (Stats.def).
#pragma once

#include "base/date_time.h"

// No dllexport: Stats.def alone decides the export table (RunCommand0 has no plain name).
#define DKZ_EXPORT extern "C"

typedef const char* Text;
typedef const OleDateTime* DateTime;

DKZ_EXPORT const char* __cdecl GetSetName(int setIndex);
DKZ_EXPORT int __cdecl GetNumberOfSets();
DKZ_EXPORT int __cdecl GetExchgCount0(Text, Text, Text);
DKZ_EXPORT int __cdecl IsValidExchg0(Text exchange, Text, Text senderPrefix, Text, int, int, int);

DKZ_EXPORT int __cdecl ResetStats0(Text, int reportFlag, Text ownCall, DateTime periodStart,
                                   DateTime periodEnd, Text, Text, Text, Text, Text, Text, Text,
                                   Text, Text, Text ownPrefix, int, int, int, double, double, Text,
                                   Text, Text);

// AddData0 and RemoveData0 share one list of 33 arguments.
#define DKZ_QSO_PARAMS                                                                           \
  Text ownCall, Text call, DateTime time, DateTime, DateTime, DateTime, unsigned,                \
      unsigned frequencyHz, Text mode, Text rstSent, Text rstRcvd, Text exchSent, Text exchRcvd, \
      Text, Text, Text, Text, Text, Text, Text, Text, Text, Text prefix, int, int, int, double,  \
      double, Text, Text continent, Text, Text band, Text

DKZ_EXPORT int __cdecl AddData0(DKZ_QSO_PARAMS);
DKZ_EXPORT int __cdecl RemoveData0(DKZ_QSO_PARAMS);

DKZ_EXPORT int __cdecl CheckCall0(Text call, unsigned, unsigned, Text mode, Text, Text, Text, Text,
                                  Text, Text, Text, Text, Text, Text, int, int, int, double, double,
                                  Text, Text continent, Text, Text, Text, Text band, Text, char*,
                                  char*);

DKZ_EXPORT const char* __cdecl GetResult0(int* status);
DKZ_EXPORT void __cdecl SetupSet0();
DKZ_EXPORT const char* __cdecl RunCommand0(int, Text command);
