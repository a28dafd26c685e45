#include "reports/cabrillo_report.h"

bool BeginLog(const std::string&, const OleDateTime&, const OleDateTime&) {
  return false;
}
bool RunCabrilloReport() {
  return false;
}
