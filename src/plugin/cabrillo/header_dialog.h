// The "DKZ Contest" dialog in which the operator checks the Cabrillo header.
#pragma once

#include "core/cabrillo/cabrillo_log.h"
#include "win/dialog.h"

class CabrilloHeaderDialog : public DialogBase {
 public:
  // Shows and, on OK, takes back every field of `log` except Claimed.
  explicit CabrilloHeaderDialog(CabrilloLog& log);

 protected:
  void ExchangeFields(DataExchange& exchange) override;

 private:
  CabrilloLog& log_;
};
