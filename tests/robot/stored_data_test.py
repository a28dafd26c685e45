#!/usr/bin/env python3
"""dkz-robot's data folder as a process sees it: every file in it is its
user's alone, a second robot on the folder is refused and names the first.

usage: stored_data_test.py DKZ_ROBOT"""
import http.client
import os
import shutil
import stat
import subprocess
import sys
import tempfile

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
    problems = []
    try:
        for call, log in robot_load.make_uploads(3, seed=5, resubmit=0):
            status, _, _ = robot_load.upload(robot.port, log, f"{call}.cbr", "op@example.org")
            if status != 201:
                problems.append(f"an upload of {call} got {status}")
        status, _ = sponsor_post(robot, "/sponsor/check")
        if status != 200:
            problems.append(f"the check answered {status}")
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
    print("stored-data: the data folder is private and held by one robot")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1]))
