"""Shared by the robot's load benchmark and its fault and browser tests: a
dkz-robot process on 127.0.0.1, made-up contest logs of real sizes, uploads
that time themselves, and the check that every receipt is kept.

Nothing here talks to any address but 127.0.0.1."""
import hashlib
import http.client
import json
import os
import random
import re
import signal
import sqlite3
import subprocess
import threading
import time

DISTRICTS = ("AC AM AT CB EH FI FO FS GF GM HD HG HS HY IB IK IR IS IT KA KC KG KK KM KN KR "
             "KT ME MG MT MZ NI NM NN NR NS OG OH OM ON OS OT OY RM SB SC SG SI SN SO ST SY "
             "TC TG TK TS TT TY WK YG YM YN").split()
DX_PREFIXES = ["K", "W", "N", "VE", "DL", "G", "F", "I", "OK", "SP", "ON", "PA", "EA", "OH",
               "SM", "LY", "UA", "VK", "ZL", "BV", "HL", "VU", "4X", "PY", "LU", "ZS"]
JA_PREFIXES = ["JA", "JE", "JF", "JG", "JH", "JI", "JJ", "JK", "JL", "JM", "JN", "JR", "7K"]
BANDS = [(1810, 1830), (3510, 3530), (7010, 7030), (14010, 14060), (21010, 21060),
         (28010, 28060)]
LETTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"


def make_call(rng, prefixes):
    prefix = rng.choice(prefixes)
    return prefix + str(rng.randrange(10)) + "".join(rng.choice(LETTERS)
                                                       for _ in range(rng.choice((2, 3))))


def qso_count(rng):
    """Sizes as contests see them: most logs small, some of thousands of QSOs."""
    roll = rng.random()
    if roll < 0.6:
        return rng.randrange(30, 300)
    if roll < 0.9:
        return rng.randrange(300, 1000)
    return rng.randrange(1000, 3000)


def make_log(rng, call, qsos, own_texts=0):
    """A Cabrillo log of the DKZ contest of 2023-06-10/11 by a station outside
    Japan, working Japanese stations (about 80 bytes a QSO line); with
    `own_texts`, that many more QSO lines whose worked call (1 KB) and
    exchange no other log has."""
    lines = ["START-OF-LOG: 3.0", f"CALLSIGN: {call}", "CONTEST: DKZ-CW",
             "CATEGORY-OPERATOR: SINGLE-OP", f"CATEGORY-BAND: ALL",
             f"CATEGORY-POWER: {rng.choice(('HIGH', 'LOW', 'QRP'))}", "CREATED-BY: robot_load.py"]
    minute = 0
    for n in range(qsos):
        minute += rng.randrange(0, 3)
        day, rest = divmod(minute % 2880, 1440)
        low, high = rng.choice(BANDS)
        lines.append(f"QSO: {rng.randrange(low, high):5d} CW 2023-06-{10 + day:02d} "
                     f"{rest // 60:02d}{rest % 60:02d} {call:<13} 599 {n % 9999 + 1:<6} "
                     f"{make_call(rng, JA_PREFIXES):<13} 599 {rng.choice(DISTRICTS)}")
    for n in range(own_texts):
        text = f"{call}X{n}X{rng.getrandbits(64):016X}"
        lines.append(f"QSO:  7012 CW 2023-06-10 1200 {call:<13} 599 1 "
                     f"{(text * 40)[:1024]} 599 {text}")
    lines.append("END-OF-LOG:")
    return ("\r\n".join(lines) + "\r\n").encode()


def make_uploads(count, seed=1, resubmit=0.1, own_texts=0):
    """`count` logs (call, bytes); about `resubmit` of them are a second log of
    an earlier call; each with `own_texts` lines of texts of its own."""
    rng = random.Random(seed)
    calls, uploads = [], []
    while len(uploads) < count:
        if calls and rng.random() < resubmit:
            call = rng.choice(calls)
        else:
            call = make_call(rng, DX_PREFIXES)
            calls.append(call)
        uploads.append((call, make_log(rng, call, qso_count(rng), own_texts)))
    return uploads


class Robot:
    """dkz-robot on a free port of 127.0.0.1 with the data folder `data`."""

    def __init__(self, binary, data, conf=None, log_folder=None):
        self.binary, self.data = binary, data
        self.log_path = os.path.join(log_folder or os.path.dirname(os.path.abspath(data)),
                                     os.path.basename(data) + ".stderr")
        os.makedirs(data, exist_ok=True)
        if conf is not None:
            with open(os.path.join(data, "robot.conf"), "w") as f:
                f.write(conf)
        self.process, self.port = None, None

    def start(self, timeout=20):
        self.log = open(self.log_path, "a")
        self.process = subprocess.Popen([self.binary, "--data", self.data, "--port", "0"],
                                        stdout=subprocess.PIPE, stderr=self.log, text=True)
        line = self.process.stdout.readline()
        found = re.search(r"http://127\.0\.0\.1:(\d+)/", line)
        if not found:
            self.process.wait(timeout)
            raise RuntimeError(f"dkz-robot did not start (exit {self.process.returncode}): {line}")
        self.port = int(found.group(1))
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            try:
                if get(self.port, "/style.css")[0] == 200:
                    return self
            except OSError:
                time.sleep(0.05)
        raise RuntimeError("dkz-robot does not answer")

    def token(self):
        with open(os.path.join(self.data, "sponsor-token")) as f:
            return f.readline().strip()

    def resident_mb(self):
        """The server's resident memory now."""
        with open(f"/proc/{self.process.pid}/status") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1]) / 1024
        return 0.0

    def cpu_seconds(self):
        """User and system time the server has used so far."""
        with open(f"/proc/{self.process.pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    def kill(self):
        self.process.send_signal(signal.SIGKILL)
        self.process.wait()

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.kill()
        if self.process:
            self.process.stdout.close()
            self.log.close()
        return self.process.returncode


def get(port, path):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=30)
    try:
        connection.request("GET", path)
        response = connection.getresponse()
        return response.status, response.read()
    finally:
        connection.close()


def form_body(log, file_name, email=""):
    boundary = "dkzload" + hashlib.sha256(log).hexdigest()[:16]
    body = (f"--{boundary}\r\nContent-Disposition: form-data; name=\"log\"; "
            f"filename=\"{file_name}\"\r\nContent-Type: text/plain\r\n\r\n").encode() + log
    if email:
        body += (f"\r\n--{boundary}\r\nContent-Disposition: form-data; name=\"email\"\r\n\r\n"
                 f"{email}").encode()
    body += f"\r\n--{boundary}--\r\n".encode()
    return body, f"multipart/form-data; boundary={boundary}"


def upload(port, log, file_name="log.cbr", email=""):
    """(status, answer as JSON or None, seconds to the answer)."""
    body, content_type = form_body(log, file_name, email)
    started = time.perf_counter()
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=60)
    try:
        connection.request("POST", "/api/logs", body, {"Content-Type": content_type})
        response = connection.getresponse()
        data = response.read()
        elapsed = time.perf_counter() - started
        try:
            answer = json.loads(data)
        except ValueError:
            answer = None
        return response.status, answer, elapsed
    finally:
        connection.close()


class Load:
    """Uploads `uploads` from `clients` threads, each sending its next log as
    soon as it has its answer, or with `rate` on a fixed schedule of that many
    uploads a second, timed from when each was due (so that a stall counts for
    every upload it held up). A receipt counts only with a 201 and its JSON."""

    def __init__(self, port, uploads, clients, rate=None):
        self.port, self.uploads, self.clients, self.rate = port, uploads, clients, rate
        self.receipts, self.failures, self.times = [], [], []
        self.next, self.lock = 0, threading.Lock()
        self.stopped = threading.Event()

    def _client(self):
        while not self.stopped.is_set():
            with self.lock:
                if self.next >= len(self.uploads):
                    return
                index = self.next
                self.next += 1
            call, log = self.uploads[index]
            late = 0.0
            if self.rate:
                due = self.started + index / self.rate
                late = max(0.0, time.perf_counter() - due)
                time.sleep(max(0.0, due - time.perf_counter()))
            try:
                status, answer, elapsed = upload(self.port, log, f"{call}.cbr")
                elapsed += late
            except OSError as error:
                with self.lock:
                    self.failures.append((index, type(error).__name__))
                continue
            with self.lock:
                if status == 201 and answer and "id" in answer:
                    self.receipts.append((index, answer, elapsed))
                    self.times.append(elapsed)
                else:
                    self.failures.append((index, status))

    def run(self):
        self.started = time.perf_counter()
        threads = [threading.Thread(target=self._client) for _ in range(self.clients)]
        for t in threads:
            t.start()
        self.threads = threads
        return self

    def join(self):
        for t in self.threads:
            t.join()
        self.elapsed = time.perf_counter() - self.started
        return self


def verify_receipts(data, uploads, receipts):
    """Problems with the receipted uploads: each is a row of robot.db with its
    log's SHA-256, the file stored under that hash holds exactly those bytes,
    and no upload is in the database twice. Returns a list of problems."""
    problems = []
    db = sqlite3.connect(f"file:{os.path.join(data, 'robot.db')}?mode=ro", uri=True)
    try:
        rows = {row[0]: row[1:] for row in
                db.execute("SELECT id, call, sha256, size FROM submissions")}
        check = db.execute("PRAGMA integrity_check").fetchone()[0]
    finally:
        db.close()
    if check != "ok":
        problems.append(f"integrity_check: {check}")
    seen = set()
    for index, answer, _ in receipts:
        call, log = uploads[index]
        sha = hashlib.sha256(log).hexdigest()
        if answer["id"] in seen:
            problems.append(f"receipt id {answer['id']} given twice")
        seen.add(answer["id"])
        row = rows.get(answer["id"])
        if row is None:
            problems.append(f"receipt {answer['id']} ({call}) is not in the database")
            continue
        if row != (call, sha, len(log)) or answer["sha256"] != sha:
            problems.append(f"receipt {answer['id']}: row {row} is not the upload's")
        path = os.path.join(data, "logs", sha)
        try:
            with open(path, "rb") as f:
                if hashlib.sha256(f.read()).hexdigest() != sha:
                    problems.append(f"receipt {answer['id']}: {path} holds other bytes")
        except OSError as error:
            problems.append(f"receipt {answer['id']}: {error}")
    shas = [row[1] for row in rows.values()]
    uploaded = {}
    for index, (call, log) in enumerate(uploads):
        uploaded.setdefault(hashlib.sha256(log).hexdigest(), []).append(index)
    for sha in set(shas):
        if shas.count(sha) > len(uploaded.get(sha, [])):
            problems.append(f"{sha} is in the database more often than it was sent")
    return problems


def percentile(values, p):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(p / 100 * (len(ordered) - 1))))]
