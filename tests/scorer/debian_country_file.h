// The country file the native tests read: Debian's hamradio-files, installed
// by tools/bootstrap.sh.
#pragma once

inline const char* const kDebianCountryFile = "/usr/share/hamradio-files/cty.dat";
