#!/usr/bin/env python3
"""Load benchmark of dkz-robot on 127.0.0.1: UPLOADS made-up logs of real
sizes (30 to 3,000 QSOs, about a tenth of them a second log of a call) from
CLIENTS concurrent clients, each sending its next log when it has its answer.
Prints uploads per second and the median, 99th percentile and longest time to
a receipt, then checks that every receipted upload is in the database and on
disk with its SHA-256, none twice. Exit code 1 when any check fails.

usage: robot_bench.py DKZ_ROBOT [--uploads 2000] [--clients 16] [--rate R] [--data DIR]"""
import argparse
import os
import shutil
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import robot_load  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("robot")
    parser.add_argument("--uploads", type=int, default=2000)
    parser.add_argument("--clients", type=int, default=16)
    parser.add_argument("--rate", type=float,
                        help="send on a fixed schedule of this many uploads a second, timing "
                             "each from when it was due (default: each client sends when answered)")
    parser.add_argument("--data", help="data folder to use (default: a new temporary one)")
    args = parser.parse_args()
    if not 1 <= args.uploads <= 20000 or not 1 <= args.clients <= 64:
        parser.error("1 to 20,000 uploads from 1 to 64 clients")

    work = tempfile.mkdtemp(prefix="dkz-robot-bench-")
    data = args.data or os.path.join(work, "data")
    uploads = robot_load.make_uploads(args.uploads)
    sizes = [len(log) for _, log in uploads]
    robot = robot_load.Robot(args.robot, data).start()
    try:
        load = robot_load.Load(robot.port, uploads, args.clients, args.rate).run().join()
        cpu = robot.cpu_seconds()
    finally:
        robot.stop()
    times = load.times
    schedule = f" at {args.rate:g}/s on a fixed schedule" if args.rate else ""
    print(f"robot-bench: {args.uploads} uploads from {args.clients} clients{schedule}, logs of "
          f"{min(sizes) // 1024}-{max(sizes) // 1024} KB (median "
          f"{statistics.median(sizes) / 1024:.0f} KB, {sum(sizes) / 2**20:.1f} MB in all)")
    if times:
        print(f"robot-bench: {len(load.receipts) / load.elapsed:.1f} uploads/s; time to receipt: "
              f"median {statistics.median(times) * 1000:.0f} ms, "
              f"p99 {robot_load.percentile(times, 99) * 1000:.0f} ms, "
              f"max {max(times) * 1000:.0f} ms; server CPU {cpu / len(times) * 1000:.1f} ms "
              f"per upload")
    problems = robot_load.verify_receipts(data, uploads, load.receipts)
    if load.failures:
        problems.append(f"{len(load.failures)} uploads got no receipt: {load.failures[:5]}")
    print(f"robot-bench: {len(load.receipts)} receipts, every one in the database and on disk "
          f"with its SHA-256, none twice" if not problems else
          "robot-bench: FAILED:\n  " + "\n  ".join(problems[:20]))
    if not args.data:
        shutil.rmtree(work, ignore_errors=True)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
