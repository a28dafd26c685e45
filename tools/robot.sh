#!/usr/bin/env bash
# Builds dkz-robot (optimised, in build/robot) and runs it with the given
# arguments: tools/robot.sh --data robot-data --port 8080
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/bootstrap.sh" robot
cmake -S "$root" -B "$root/build/robot" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/robot" -j "$(nproc)" --target dkz-robot -- --no-print-directory >&2
exec "$root/build/robot/src/dkz-robot" "$@"
