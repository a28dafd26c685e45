#!/usr/bin/env bash
# The robot's load benchmark on 127.0.0.1 (tools/robot-bench/robot_bench.py):
# 2,000 uploads from 16 clients by default; arguments go to the benchmark.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/bootstrap.sh" robot
cmake -S "$root" -B "$root/build/robot" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/robot" -j "$(nproc)" --target dkz-robot -- --no-print-directory >/dev/null
exec /usr/bin/python3 "$root/tools/robot-bench/robot_bench.py" "$root/build/robot/src/dkz-robot" "$@"
