#!/usr/bin/env bash
# The country file the scorer is tested with (Debian's hamradio-files), as
# arguments for make_zip.py.
set -euo pipefail
echo --cty /usr/share/hamradio-files/cty.dat \
  --cty-copyright /usr/share/doc/hamradio-files/copyright \
  --cty-version "$(dpkg-query -W -f='${Version}' hamradio-files)"
