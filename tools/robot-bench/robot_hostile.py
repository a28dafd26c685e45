#!/usr/bin/env python3
"""What hostile clients cost dkz-robot on 127.0.0.1, in figures: a request
with thousands of ranges, a flood of big request headers (the robot's resident
memory during and after it), a normal upload's time to receipt while slow and
idle connections are open, a big body sent to a route that takes a small form,
a multipart preamble trickled a byte at a time, and the resident memory after
many large uploads. Prints one line of figures for each; exit code 0.

usage: robot_hostile.py DKZ_ROBOT [--only NAME ...] [--flood-headers N]
                        [--large-uploads N] [--large-clients N]
NAME: ranges, flood, slow, sponsor-body, preamble, large"""
import argparse
import os
import random
import select
import shutil
import socket
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import robot_load  # noqa: E402

SCENARIOS = ("ranges", "flood", "slow", "sponsor-body", "preamble", "large")


def resident_mb(robot):
    with open(f"/proc/{robot.process.pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return 0.0


def connect(port, timeout=30):
    s = socket.create_connection(("127.0.0.1", port), timeout=timeout)
    s.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
    return s


def read_answer(s, limit=1 << 30):
    """Everything the robot sends until it closes (or `limit` bytes)."""
    answer = b""
    try:
        while len(answer) < limit:
            got = s.recv(65536)
            if not got:
                break
            answer += got
    except OSError:
        pass
    return answer


def status_of(answer):
    parts = answer.split(b" ", 2)
    return int(parts[1]) if len(parts) > 1 and parts[1].isdigit() else None


def answered(s):
    return bool(select.select([s], [], [], 0)[0])


def ranges(robot):
    page = robot_load.get(robot.port, "/")[1]
    s = connect(robot.port)
    spec = ",".join(["0-"] * 2700)
    s.sendall(f"GET / HTTP/1.1\r\nHost: x\r\nRange: bytes={spec}\r\n\r\n".encode())
    answer = read_answer(s)
    s.close()
    head, _, body = answer.partition(b"\r\n\r\n")
    print(f"ranges: 2,700 ranges of a {len(page):,}-byte page: status {status_of(answer)}, "
          f"{len(body):,} bytes answered")


def flood(robot, headers):
    """4 connections, each sending `headers` headers of 8 KB as fast as the
    robot takes them."""
    before = resident_mb(robot)
    peak = [before]
    done = threading.Event()

    def sample():
        while not done.is_set():
            peak[0] = max(peak[0], resident_mb(robot))
            time.sleep(0.05)

    def send_flood(results, index):
        sent = 0
        try:
            s = connect(robot.port)
            s.sendall(b"GET / HTTP/1.1\r\nHost: x\r\n")
            line = b"X-Pad-%d: " + b"a" * 8000 + b"\r\n"
            for n in range(headers):
                s.sendall(line % n)
                sent += 1
            s.sendall(b"\r\n")
            results[index] = (sent, status_of(read_answer(s, 4096)))
            s.close()
        except OSError as error:
            results[index] = (sent, type(error).__name__)

    sampler = threading.Thread(target=sample)
    sampler.start()
    results = [None] * 4
    started = time.perf_counter()
    clients = [threading.Thread(target=send_flood, args=(results, i)) for i in range(4)]
    for c in clients:
        c.start()
    for c in clients:
        c.join()
    elapsed = time.perf_counter() - started
    time.sleep(3)
    done.set()
    sampler.join()
    taken = ", ".join(f"{sent:,} headers taken then {outcome}" for sent, outcome in results)
    print(f"flood: 4 connections x {headers:,} headers of 8 KB ({elapsed:.1f} s): {taken}; "
          f"resident {before:.0f} MB before, {peak[0]:.0f} MB at most, "
          f"{resident_mb(robot):.0f} MB 3 s after")


def slow(robot, slow_count=32, idle_count=64):
    """`slow_count` connections sending a header byte every 5 s and
    `idle_count` sending nothing, while a normal client uploads and reads."""
    stop = threading.Event()
    sockets = []

    def trickle(s):
        request = b"GET / HTTP/1.1\r\nHost: x\r\nX-Slow: " + b"s" * 1000
        for byte in request:
            if stop.wait(5):
                return
            try:
                s.send(bytes([byte]))
            except OSError:
                return

    threads = []
    for n in range(slow_count + idle_count):
        try:
            s = connect(robot.port)
        except OSError:
            continue
        sockets.append(s)
        if n < slow_count:
            threads.append(threading.Thread(target=trickle, args=(s,)))
            threads[-1].start()
    time.sleep(1)
    log = robot_load.make_log(random.Random(7), "DL1SLW", 200)
    try:
        status, _, elapsed = robot_load.upload(robot.port, log, "slow.cbr")
        upload = f"status {status} in {elapsed * 1000:.0f} ms"
    except OSError as error:
        upload = f"no answer ({type(error).__name__})"
    gets = []
    for _ in range(5):
        started = time.perf_counter()
        try:
            robot_load.get(robot.port, "/")
            gets.append(f"{(time.perf_counter() - started) * 1000:.0f}")
        except OSError as error:
            gets.append(type(error).__name__)
    stop.set()
    for t in threads:
        t.join()
    for s in sockets:
        s.close()
    print(f"slow: {slow_count} slow and {idle_count} idle connections open: a normal upload got "
          f"{upload}; five GETs of / took {', '.join(gets)} ms")


def sponsor_body(robot, size=20 * 2**20):
    s = connect(robot.port)
    s.sendall(f"POST /sponsor/check HTTP/1.1\r\nHost: x\r\nContent-Type: "
              f"application/x-www-form-urlencoded\r\nContent-Length: {size}\r\n\r\n".encode())
    piece = b"x" * 65536
    sent = 0
    started = time.perf_counter()
    try:
        while sent < size and not answered(s):
            s.sendall(piece)
            sent += len(piece)
    except OSError:
        pass
    answer = read_answer(s, 65536)
    elapsed = time.perf_counter() - started
    s.close()
    print(f"sponsor-body: {size // 2**20} MB to /sponsor/check: status {status_of(answer)} after "
          f"{sent / 2**20:.1f} MB sent, {elapsed:.2f} s")


def preamble(robot, pause=5.0, give_up=120):
    boundary = "hostilePreamble"
    preamble = (f"--{boundary}\r\nContent-Disposition: form-data; name=\"log\"; "
                f"filename=\"slow.cbr\"\r\nContent-Type: text/plain\r\n\r\n").encode()
    s = connect(robot.port, timeout=give_up)
    s.sendall(f"POST /api/logs HTTP/1.1\r\nHost: x\r\nContent-Type: multipart/form-data; "
              f"boundary={boundary}\r\nContent-Length: {len(preamble) + 100}\r\n\r\n".encode())
    started = time.perf_counter()
    answer = b""
    for byte in preamble:
        if time.perf_counter() - started > give_up:
            break
        ready = select.select([s], [], [], pause)[0]
        if ready:
            answer = read_answer(s, 65536)
            break
        try:
            s.send(bytes([byte]))
        except OSError:
            answer = read_answer(s, 65536)
            break
    elapsed = time.perf_counter() - started
    s.close()
    outcome = f"status {status_of(answer)}" if answer else "no answer"
    print(f"preamble: a multipart preamble sent a byte every {pause:g} s: {outcome} after "
          f"{elapsed:.0f} s")


def large(robot, count, clients, qsos=58000):
    """The stations worked come from a pool of 5,000, as in a real contest:
    the memory measured is what judging takes, not the calls kept."""
    rng = random.Random(11)
    worked = [robot_load.make_call(rng, robot_load.JA_PREFIXES) for _ in range(5000)]
    uploads = []
    for n in range(count):
        call = robot_load.make_call(rng, robot_load.DX_PREFIXES)
        uploads.append((call, compact_log(rng, call, qsos, worked)))
    before = resident_mb(robot)
    figures = []
    lock = threading.Lock()
    next_upload = [0]
    statuses = []

    def client():
        while True:
            with lock:
                index = next_upload[0]
                next_upload[0] += 1
            if index >= len(uploads):
                return
            call, log = uploads[index]
            status, _, _ = robot_load.upload(robot.port, log, f"{call}.cbr")
            with lock:
                statuses.append(status)
                if len(statuses) % 10 == 0:
                    figures.append(f"{resident_mb(robot):.0f}")

    threads = [threading.Thread(target=client) for _ in range(clients)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    size = sum(len(log) for _, log in uploads) / len(uploads) / 2**20
    taken = sum(1 for status in statuses if status == 201)
    print(f"large: {count} logs of {qsos:,} QSOs ({size:.1f} MB each) from {clients} clients, "
          f"{taken} taken: resident {before:.0f} MB before, every 10 uploads "
          f"{', '.join(figures)} MB, {resident_mb(robot):.0f} MB after")


def compact_log(rng, call, qsos, worked):
    """A log with short QSO lines (about 57 bytes each), as loggers write them."""
    lines = ["START-OF-LOG: 3.0", f"CALLSIGN: {call}", "CONTEST: DKZ-CW",
             "CATEGORY-OPERATOR: SINGLE-OP"]
    for n in range(qsos):
        minute = n * 2880 // qsos
        day, rest = divmod(minute, 1440)
        lines.append(f"QSO: 7012 CW 2023-06-{10 + day:02d} {rest // 60:02d}{rest % 60:02d} "
                     f"{call} 599 {n % 999 + 1} "
                     f"{rng.choice(worked)} 599 "
                     f"{rng.choice(robot_load.DISTRICTS)}")
    lines.append("END-OF-LOG:")
    return ("\n".join(lines) + "\n").encode()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("robot")
    parser.add_argument("--only", nargs="+", choices=SCENARIOS, default=list(SCENARIOS))
    parser.add_argument("--flood-headers", type=int, default=10000)
    parser.add_argument("--large-uploads", type=int, default=47)
    parser.add_argument("--large-clients", type=int, default=1)
    args = parser.parse_args()
    if not 1 <= args.flood_headers <= 40000 or not 1 <= args.large_uploads <= 200 or \
            not 1 <= args.large_clients <= 32:
        parser.error("1 to 40,000 flood headers, 1 to 200 large uploads from 1 to 32 clients")
    work = tempfile.mkdtemp(prefix="dkz-robot-hostile-")
    try:
        for name in args.only:
            # Each on a robot of its own, so that one's memory or stuck
            # connections do not colour the next one's figures.
            conf = "max-log-kb = 8192\n" if name == "large" else None
            robot = robot_load.Robot(args.robot, os.path.join(work, name), conf).start()
            try:
                if name == "ranges":
                    ranges(robot)
                elif name == "flood":
                    flood(robot, args.flood_headers)
                elif name == "slow":
                    slow(robot)
                elif name == "sponsor-body":
                    sponsor_body(robot)
                elif name == "preamble":
                    preamble(robot)
                else:
                    large(robot, args.large_uploads, args.large_clients)
            finally:
                robot.stop()
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
