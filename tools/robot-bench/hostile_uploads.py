#!/usr/bin/env python3
"""Hostile logs of the size limit through dkz-robot on 127.0.0.1, one at a
time: for each shape of reading_bench (short header lines, empty lines, lone
CRs, unknown tags, one long line, identical QSO lines, ...) the time to a
receipt and the server's CPU time for it (the fair figure on a shared
machine), the warnings kept, and the size of what shows them: the receipt page
and JSON and the call's history; then the time and size of the list pages.

usage: hostile_uploads.py DKZ_ROBOT READING_BENCH [--bytes 4194304]"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import robot_load  # noqa: E402


def timed_get(port, path):
    started = time.perf_counter()
    status, body = robot_load.get(port, path)
    return status, len(body), time.perf_counter() - started


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("robot")
    parser.add_argument("reading_bench")
    parser.add_argument("--bytes", type=int, default=4096 * 1024)
    args = parser.parse_args()
    shapes = subprocess.run([args.reading_bench, "--shapes"], check=True, capture_output=True,
                            text=True).stdout.split()
    work = tempfile.mkdtemp(prefix="dkz-robot-hostile-")
    robot = robot_load.Robot(args.robot, os.path.join(work, "data")).start()
    failed = False
    try:
        print(f"hostile-uploads: one log of {args.bytes} bytes of each shape, one at a time")
        print(f"{'shape':<14} {'status':>6} {'receipt s':>9} {'CPU s':>6} {'warnings':>8} "
              f"{'page KB':>8} {'JSON KB':>8} {'calls KB':>8}")
        for shape in shapes:
            log = subprocess.run([args.reading_bench, "--log", shape, str(args.bytes)],
                                 check=True, capture_output=True).stdout
            cpu = robot.cpu_seconds()
            status, answer, seconds = robot_load.upload(robot.port, log, f"{shape}.cbr")
            cpu = robot.cpu_seconds() - cpu
            if status != 201 or not answer:
                failed = True
                print(f"{shape:<14} {status:>6} {seconds:>9.2f}  no receipt: {answer}")
                continue
            sizes = [timed_get(robot.port, path)[1] / 1024 for path in (
                f"/receipts/{answer['id']}", f"/api/logs/{answer['id']}",
                f"/api/calls/{answer['call']}")]
            print(f"{shape:<14} {status:>6} {seconds:>9.2f} {cpu:>6.2f} {len(answer['warnings']):>8} "
                  f"{sizes[0]:>8.1f} {sizes[1]:>8.1f} {sizes[2]:>8.1f}")
        for path in ("/received", "/api/logs"):
            status, size, seconds = timed_get(robot.port, path)
            print(f"hostile-uploads: GET {path}: {status}, {size / 1024:.1f} KB in "
                  f"{seconds * 1000:.0f} ms")
    finally:
        robot.stop()
        shutil.rmtree(work, ignore_errors=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
