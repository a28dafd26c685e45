#!/usr/bin/env python3
"""Load benchmark of dkz-robot on 127.0.0.1: twice UPLOADS made-up logs of
real sizes (30 to 3,000 QSOs, about a tenth of them a second log of a call,
each with five lines of texts no other log has) from CLIENTS concurrent
clients, each sending its next log when it has its answer. Prints for each
round uploads per second and the median, 99th percentile and longest time to
a receipt, the server's resident memory at the start and after each round,
then checks that every receipted upload is in the database and on disk with
its SHA-256, none twice. Exit code 1 when any check fails.

usage: robot_bench.py DKZ_ROBOT [--uploads 2000] [--clients 16] [--rate R] [--data DIR]"""
import argparse
import os
import shutil
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import robot_load  # noqa: E402


def print_round(number, load, cpu):
    times = load.times
    if not times:
        return
    print(f"robot-bench: round {number}: {len(load.receipts) / load.elapsed:.1f} uploads/s; time "
          f"to receipt: median {statistics.median(times) * 1000:.0f} ms, "
          f"p99 {robot_load.percentile(times, 99) * 1000:.0f} ms, "
          f"max {max(times) * 1000:.0f} ms; server CPU {cpu / len(times) * 1000:.1f} ms "
          f"per upload")


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
    rounds = [robot_load.make_uploads(args.uploads, seed=seed, own_texts=5) for seed in (1, 2)]
    uploads = rounds[0] + rounds[1]
    sizes = [len(log) for _, log in uploads]
    schedule = f" at {args.rate:g}/s on a fixed schedule" if args.rate else ""
    print(f"robot-bench: 2 x {args.uploads} uploads from {args.clients} clients{schedule}, logs "
          f"of {min(sizes) // 1024}-{max(sizes) // 1024} KB (median "
          f"{statistics.median(sizes) / 1024:.0f} KB, {sum(sizes) / 2**20:.1f} MB in all)")
    # The allocator's arenas bounded as the robot is to bound them itself, so
    # that the memory figures show what the robot keeps.
    os.environ.setdefault("MALLOC_ARENA_MAX", "2")
    robot = robot_load.Robot(args.robot, data).start()
    receipts, failures, resident = [], [], [robot.resident_mb()]
    try:
        for number, sent in enumerate(rounds):
            cpu = robot.cpu_seconds()
            load = robot_load.Load(robot.port, sent, args.clients, args.rate).run().join()
            print_round(number + 1, load, robot.cpu_seconds() - cpu)
            resident.append(robot.resident_mb())
            offset = number * len(rounds[0])
            receipts += [(index + offset, answer, took) for index, answer, took in load.receipts]
            failures += [(index + offset, why) for index, why in load.failures]
    finally:
        robot.stop()
    print(f"robot-bench: resident memory {resident[0]:.1f} MB at the start, {resident[1]:.1f} MB "
          f"after {args.uploads} uploads ({resident[1] - resident[0]:+.1f} MB), {resident[2]:.1f} MB "
          f"after {2 * args.uploads} ({resident[2] - resident[1]:+.1f} MB)")
    problems = robot_load.verify_receipts(data, uploads, receipts)
    if failures:
        problems.append(f"{len(failures)} uploads got no receipt: {failures[:5]}")
    print(f"robot-bench: {len(receipts)} receipts, every one in the database and on disk "
          f"with its SHA-256, none twice" if not problems else
          "robot-bench: FAILED:\n  " + "\n  ".join(problems[:20]))
    if not args.data:
        shutil.rmtree(work, ignore_errors=True)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
