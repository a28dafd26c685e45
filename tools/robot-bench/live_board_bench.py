#!/usr/bin/python3
"""The live board's benchmark: one score post for each of N stations (Japanese
and others, in every district) from C concurrent clients on 127.0.0.1, then
the board read as a page and as JSON. Prints posts per second, the median and
99th percentile time to an answer, the board's sizes and the time to make it
(first after the posts, then as kept) and the server's CPU time.

usage: live_board_bench.py DKZ_ROBOT [--stations 2000] [--clients 8]"""
import argparse
import os
import random
import shutil
import statistics
import sys
import tempfile
import threading
import time

import live_posts
import robot_load


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("robot")
    parser.add_argument("--stations", type=int, default=2000)
    parser.add_argument("--clients", type=int, default=8)
    args = parser.parse_args()
    rng = random.Random(5)
    calls = set()
    while len(calls) < args.stations:
        calls.add(robot_load.make_call(rng, robot_load.JA_PREFIXES + robot_load.DX_PREFIXES))
    posts = [live_posts.post_xml(call, rng.choice(("HIGH", "LOW", "QRP")), "ALL",
                                 rng.choice(robot_load.DISTRICTS), rng.randrange(1, 2000000))
             for call in sorted(calls)]
    work = tempfile.mkdtemp(prefix="dkz-live-bench-")
    robot = robot_load.Robot(args.robot, os.path.join(work, "data"),
                             conf=live_posts.period_around_today()).start()
    times, failures, lock = [], [], threading.Lock()
    pending = list(reversed(posts))

    def client():
        while True:
            with lock:
                if not pending:
                    return
                xml = pending.pop()
            status, answer, seconds = live_posts.post(robot.port, xml)
            with lock:
                times.append(seconds)
                if status != 200:
                    failures.append(f"{status} {answer}")

    try:
        cpu = robot.cpu_seconds()
        started = time.perf_counter()
        threads = [threading.Thread(target=client) for _ in range(args.clients)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        wall = time.perf_counter() - started
        cpu = robot.cpu_seconds() - cpu
        cuts = statistics.quantiles(times, n=100)
        print(f"live-board-bench: {len(posts)} posts from {args.clients} clients in {wall:.2f} s: "
              f"{len(posts) / wall:.0f} a second, median {cuts[49] * 1000:.1f} ms, 99th percentile "
              f"{cuts[98] * 1000:.1f} ms, server CPU {cpu / len(posts) * 1000:.2f} ms a post")
        for path in ("/live", "/live", "/api/live", "/api/live"):
            started = time.perf_counter()
            status, body = robot_load.get(robot.port, path)
            print(f"live-board-bench: GET {path}: {status}, {len(body) / 1024:.0f} KB in "
                  f"{(time.perf_counter() - started) * 1000:.0f} ms")
    finally:
        robot.stop()
        shutil.rmtree(work, ignore_errors=True)
    if failures:
        print(f"live-board-bench: {len(failures)} posts refused, first: {failures[0]}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
