#include "driver/export_names.h"

#include <cstring>

const std::vector<ExportName>& ExportNames() {
  // export_names.inc: one {"Plain", "Decorated"}, line per decorated export of Stats.def.
  static const std::vector<ExportName> names = {
#include "export_names.inc"
  };
  return names;
}

const char* DecoratedName(const char* plain) {
  for (const ExportName& name : ExportNames()) {
    if (std::strcmp(name.Plain, plain) == 0)
      return name.Decorated;
  }
  return nullptr;
}
