#!/usr/bin/env python3
"""dkz-robot's data folder as a process sees it: the sponsor's archive reads
back whole with Python's tarfile; a stored log deleted or altered by hand is
named and left out of the check and the archive, which still answer; every
file is its user's alone; a second robot on the folder is refused and names
the first.

usage: stored_data_test.py DKZ_ROBOT"""
import calendar
import csv
import hashlib
import http.client
import io
import json
import os
import shutil
import stat
import subprocess
import sys
import tarfile
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tools", "robot-bench"))
import robot_load  # noqa: E402


def sponsor_post(robot, path):
    """(status, body) of a POST of the sponsor's with the token in a header."""
    connection = http.client.HTTPConnection("127.0.0.1", robot.port, timeout=60)
    try:
        connection.request("POST", path, b"", {"X-Sponsor-Token": robot.token()})
        response = connection.getresponse()
        return response.status, response.read()
    finally:
        connection.close()


def whole_blocks(log):
    """`log` grown by a SOAPBOX: line to fill 512-byte blocks exactly."""
    head, rest = log.split(b"CREATED-BY:", 1)
    line = b"SOAPBOX: "
    filler = (len(log) // 512 + 2) * 512 - len(log) - len(line) - 2
    return head + line + b"x" * filler + b"\r\n" + b"CREATED-BY:" + rest


def read_archive(robot):
    """(status, {name: (bytes, mtime)}, problem) of the sponsor's archive."""
    status, body = sponsor_post(robot, "/sponsor/archive")
    if status != 200:
        return status, {}, None
    try:
        with tarfile.open(fileobj=io.BytesIO(body)) as tar:
            return status, {m.name: (tar.extractfile(m).read(), m.mtime) for m in tar}, None
    except (tarfile.TarError, EOFError) as error:
        return status, {}, f"the archive does not read back: {error}"


def archive_problems(members, sent, left_out):
    """Problems of an archive's members against `sent` ({id: (bytes, receipt)}),
    with the ids of `left_out` to be named in problems.txt instead."""
    problems = []
    for log_id, (log, receipt) in sent.items():
        name = f"logs/{log_id:06d}-{receipt['call']}.log"
        received = calendar.timegm(time.strptime(receipt["received"], "%Y-%m-%dT%H:%M:%SZ"))
        if log_id in left_out:
            if name in members:
                problems.append(f"{name} is in the archive, not left out")
        elif members.get(name) != (log, received):
            problems.append(f"{name} is not the log as received at {receipt['received']}")
    named = members.get("problems.txt", (b"", 0))[0].decode()
    for log_id in left_out:
        if f"log {log_id} (" not in named:
            problems.append(f"problems.txt does not name log {log_id}: {named!r}")
    table = list(csv.DictReader(io.StringIO(members.get("submissions.csv", (b"", 0))[0].decode())))
    if [int(row["id"]) for row in table] != sorted(sent):
        problems.append(f"submissions.csv holds {len(table)} rows, not {len(sent)}")
    for row in table:
        if row["sent_as"] != sent[int(row["id"])][1]["file_name"]:
            problems.append(f"submissions.csv: sent_as {row['sent_as']!r} is not the name sent")
        if (row["file_problem"] != "") != (int(row["id"]) in left_out):
            problems.append(f"submissions.csv: log {row['id']}: file_problem {row['file_problem']!r}")
    return problems


def damaged_logs_left_out(robot, data, sent):
    """Deletes one stored log and alters another, then runs the check and the
    archive: both answer, leave those two out and name them."""
    missing, altered = sorted(sent)[1:3]
    os.remove(os.path.join(data, "logs", sent[missing][1]["sha256"]))
    with open(os.path.join(data, "logs", sent[altered][1]["sha256"]), "r+b") as f:
        f.write(b"QSO: forged")
    problems = []
    status, body = sponsor_post(robot, "/sponsor/check")
    left_out = json.loads(body).get("left_out", []) if status == 200 else []
    print(f"stored-data: check with a log deleted and one altered: HTTP {status}, "
          f"left out: {left_out}")
    if status != 200 or len(left_out) != 2:
        problems.append(f"the check answered {status} and left out {left_out}")
    status, members, unreadable = read_archive(robot)
    print(f"stored-data: archive with them: HTTP {status}, {len(members)} members")
    problems += [unreadable] if unreadable else []
    problems += archive_problems(members, sent, {missing, altered}) if status == 200 else [
        f"the archive answered {status}"]
    page = robot_load.get(robot.port, "/sponsor")[1].decode()
    for log_id in (missing, altered):
        if f"log {log_id} (" not in page:
            problems.append(f"the sponsor's page does not name log {log_id}")
    return problems


def open_to_others(data):
    """The files and folders under `data` (itself included) that another user
    could read or enter."""
    found = []
    for folder, folders, files in os.walk(data):
        for name in [folder] + [os.path.join(folder, f) for f in files]:
            mode = stat.S_IMODE(os.lstat(name).st_mode)
            expected = 0o700 if os.path.isdir(name) else 0o600
            if mode != expected:
                found.append(f"{os.path.relpath(name, data)} is {mode:o}, not {expected:o}")
    return found


def second_robot_refused(binary, data, first):
    """Problems when a second robot on `data` is not refused, or does not name
    the first one's process."""
    try:
        second = subprocess.run([binary, "--data", data, "--port", "0"], capture_output=True,
                                text=True, timeout=10)
    except subprocess.TimeoutExpired:  # it served, and was killed
        return ["a second robot started on the same data folder"]
    said = second.stderr.strip().splitlines()[-1:] or [""]
    print(f"stored-data: a second robot on the folder: exit {second.returncode}: {said[0]}")
    problems = []
    if second.returncode == 0:
        problems.append("a second robot on the same data folder did not fail")
    if f"process {first.process.pid}" not in said[0]:
        problems.append(f"the second robot does not name process {first.process.pid}")
    if robot_load.get(first.port, "/style.css")[0] != 200:
        problems.append("the first robot stopped answering")
    return problems


def main(binary):
    work = tempfile.mkdtemp(prefix="dkz-robot-data-")
    data = os.path.join(work, "data")
    robot = robot_load.Robot(binary, data).start()
    problems, sent = [], {}
    try:
        uploads = robot_load.make_uploads(4, seed=5, resubmit=0)
        # A log that fills its last block of the archive exactly.
        uploads[0] = (uploads[0][0], whole_blocks(uploads[0][1]))
        for number, (call, log) in enumerate(uploads):
            name = "semi;colon.cbr" if number == 0 else f" {call}.cbr"
            status, receipt, _ = robot_load.upload(robot.port, log, name, "op@example.org")
            if status != 201:
                problems.append(f"an upload of {call} got {status}")
            else:
                sent[receipt["id"]] = (log, receipt)
        status, members, unreadable = read_archive(robot)
        problems += [unreadable] if unreadable else []
        problems += archive_problems(members, sent, set())
        print(f"stored-data: archive: HTTP {status}, {len(members)} members read back by tarfile")
        problems += damaged_logs_left_out(robot, data, sent)
        private = open_to_others(data)
        print(f"stored-data: {sum(len(f) + 1 for _, _, f in os.walk(data))} files and folders, "
              f"{len(private)} open to other users")
        problems += private
        problems += second_robot_refused(binary, data, robot)
    finally:
        robot.stop()
    shutil.rmtree(work, ignore_errors=True)
    if problems:
        print("stored-data: FAILED:\n  " + "\n  ".join(problems))
        return 1
    print("stored-data: the archive reads back whole, damaged logs are left out and named, the "
          "data folder is private and held by one robot")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1]))
