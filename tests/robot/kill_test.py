#!/usr/bin/env python3
"""dkz-robot killed with SIGKILL in the middle of a load of uploads, twice,
and started again on the same data folder: it must start without any repair,
and every upload that got a receipt before the kill must be in its database
and on disk with its SHA-256 (a receipt is given only once both are durable).

usage: kill_test.py DKZ_ROBOT [--uploads 360] [--clients 8]"""
import argparse
import hashlib
import json
import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tools", "robot-bench"))
import robot_load  # noqa: E402


def round_with_kill(robot, uploads, clients, kill_after):
    """Loads `uploads`; kills the server once `kill_after` receipts are in."""
    load = robot_load.Load(robot.port, uploads, clients).run()
    deadline = time.monotonic() + 60
    while len(load.receipts) < kill_after and time.monotonic() < deadline:
        time.sleep(0.005)
    robot.kill()
    load.join()
    return load


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("robot")
    parser.add_argument("--uploads", type=int, default=360)
    parser.add_argument("--clients", type=int, default=8)
    args = parser.parse_args()
    work = tempfile.mkdtemp(prefix="dkz-robot-kill-")
    data = os.path.join(work, "data")
    uploads = robot_load.make_uploads(args.uploads, seed=7)
    half = len(uploads) // 2
    receipts, problems = [], []
    robot = robot_load.Robot(args.robot, data).start()
    try:
        for number, part in enumerate((uploads[:half], uploads[half:]), 1):
            load = round_with_kill(robot, part, args.clients, kill_after=len(part) // 3)
            offset = 0 if number == 1 else half
            receipts += [(offset + i, answer, t) for i, answer, t in load.receipts]
            started = time.perf_counter()
            robot.start()  # the same data folder, as it was left
            print(f"kill-test: round {number}: SIGKILL after {len(load.receipts)} receipts, "
                  f"{len(load.failures)} uploads cut off or never sent; restarted in "
                  f"{(time.perf_counter() - started) * 1000:.0f} ms without repair")
            problems += robot_load.verify_receipts(data, uploads, receipts)
            for index, answer, _ in receipts:
                status, body = robot_load.get(robot.port, f"/api/logs/{answer['id']}")
                if status != 200 or json.loads(body)["sha256"] != answer["sha256"]:
                    problems.append(f"receipt {answer['id']}: GET gives {status}")
        status, answer, _ = robot_load.upload(robot.port, uploads[0][1], "again.cbr")
        if status != 201:
            problems.append(f"an upload after the restarts got {status}")
    finally:
        robot.stop()
    with open(robot.log_path) as f:
        print("kill-test: the robot said at its starts: " +
              " | ".join(line.strip() for line in f if "logs received" in line))
    shutil.rmtree(work, ignore_errors=True)
    if problems:
        print("kill-test: FAILED:\n  " + "\n  ".join(problems[:20]))
        return 1
    print(f"kill-test: all {len(receipts)} receipted uploads kept with their SHA-256, none twice; "
          f"integrity_check ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
