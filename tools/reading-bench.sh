#!/usr/bin/env bash
# Hostile logs through the readers, optimised (build/robot, as tools/robot.sh):
# the CPU time per MB of each shape at 128 KB, 1 MB and 4 MB through the
# check's reading of a submission and the robot's judgement of an upload
# (tools/bench/reading_bench.cpp), then each shape at the size limit uploaded
# to the robot on 127.0.0.1: the time to a receipt and the size of its pages
# (tools/robot-bench/hostile_uploads.py). Prints figures; not part of test.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/bootstrap.sh" robot
cmake -S "$root" -B "$root/build/robot" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/robot" -j 2 --target reading_bench dkz-robot -- --no-print-directory \
  >/dev/null
bench="$root/build/robot/tools/reading_bench"
"$bench" /usr/share/hamradio-files/cty.dat
exec /usr/bin/python3 "$root/tools/robot-bench/hostile_uploads.py" \
  "$root/build/robot/src/dkz-robot" "$bench"
