// The country file the native tests read: Debian's hamradio-files, installed
// by tools/bootstrap.sh.
#pragma once

inline const char* const kDebianCountryFile = "/usr/share/hamradio-files/cty.dat";

#include "logs/country_file.h"
#include "logs/log_file.h"

// That file read once for all the tests of a program.
inline const CountryFile& DebianCountries() {
  static const CountryFile file =
      CountryFile::Parse(ReadTextFile(kDebianCountryFile, kDebianCountryFile), kDebianCountryFile);
  return file;
}
