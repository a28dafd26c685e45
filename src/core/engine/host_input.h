// The host's arguments that the plug-in reads, copied out of the export calls.
#pragma once

#include <cstdint>
#include <string>

#include "core/base/date_time.h"

struct QsoInput {  // AddData0 and RemoveData0
  std::string OwnCall;
  std::string Call;
  OleDateTime Time;
  uint32_t FrequencyHz = 0;
  std::string Mode;
  std::string RstSent;
  std::string RstRcvd;
  std::string ExchSent;
  std::string ExchRcvd;
  std::string Prefix;
  std::string Continent;
  std::string Band;
};

struct ResetInput {             // ResetStats0
  int32_t CabrilloRequest = 0;  // non-zero: the host asks for the Cabrillo log of this pass
  std::string OwnCall;
  OleDateTime PeriodStart;
  OleDateTime PeriodEnd;
  std::string OwnPrefix;
};

struct CallCheckInput {  // CheckCall0
  std::string Call;
  std::string Mode;
  std::string Continent;
  std::string Band;
};
