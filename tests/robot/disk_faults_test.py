#!/usr/bin/env python3
"""dkz-robot with its data folder on a small file system of its own that
fills up, then turns read-only: each upload then gets a 503 and no receipt,
nothing half-stored is left counted, and once the folder is usable again
uploads are taken and every earlier receipt is still there.

Needs root (a tmpfs mounted in a mount namespace of its own, through
unshare); exits 77 (skipped) without. usage: disk_faults_test.py DKZ_ROBOT"""
import json
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tools", "robot-bench"))
import robot_load  # noqa: E402

SKIPPED = 77


def fill(folder):
    """Writes a file until the file system is full; returns its path."""
    path = os.path.join(folder, "filler")
    with open(path, "wb") as f:
        try:
            while True:
                f.write(b"\0" * 65536)
                f.flush()
        except OSError:
            pass
    try:
        with open(os.path.join(folder, "filler2"), "wb") as f:
            while True:
                f.write(b"\0" * 512)
                f.flush()
    except OSError:
        pass
    return path


def main(robot_binary):
    work = tempfile.mkdtemp(prefix="dkz-robot-disk-")
    mount = os.path.join(work, "small")
    os.mkdir(mount)
    subprocess.run(["mount", "-t", "tmpfs", "-o", "size=3m", "tmpfs", mount], check=True)
    uploads = robot_load.make_uploads(8, seed=3, resubmit=0)
    robot = robot_load.Robot(robot_binary, os.path.join(mount, "data"), log_folder=work).start()
    receipts, problems = [], []

    def send(index, expected, what):
        status, answer, _ = robot_load.upload(robot.port, uploads[index][1])
        print(f"disk-faults: {what}: HTTP {status}"
              + (f" {answer.get('error', '')[:90]}" if answer and status != 201 else ""))
        if status != expected:
            problems.append(f"{what}: HTTP {status}, expected {expected}")
        if status == 201:
            receipts.append((index, answer, 0))
        elif answer and "id" in answer:
            problems.append(f"{what}: a failed upload carries a receipt id")

    try:
        send(0, 201, "folder usable")
        fill(mount)
        send(1, 503, "file system full")
        send(2, 503, "file system still full")
        for name in ("filler", "filler2"):
            os.remove(os.path.join(mount, name))
        send(3, 201, "space again")
        # The folder of the logs made read-only under the running robot (the
        # database cannot be: the kernel keeps a mount with files open for
        # writing writable).
        logs = os.path.join(robot.data, "logs")
        subprocess.run(["mount", "--bind", logs, logs], check=True)
        subprocess.run(["mount", "-o", "remount,bind,ro", logs], check=True)
        send(4, 503, "logs folder read-only")
        status, body = robot_load.get(robot.port, "/received")
        print(f"disk-faults: logs folder read-only: the logs-received page: HTTP {status}")
        subprocess.run(["umount", logs], check=True)
        send(5, 201, "writable again")
        robot.stop()
        # The whole data folder read-only at the start: a clear error, no server.
        subprocess.run(["mount", "-o", "remount,ro", mount], check=True)
        try:
            robot.start(timeout=10)
            problems.append("the robot started on a read-only data folder")
            robot.stop()
        except RuntimeError as error:
            with open(robot.log_path) as f:
                said = f.read().strip().splitlines()[-1]
            print(f"disk-faults: data folder read-only at the start: {error}; it said: {said}")
        subprocess.run(["mount", "-o", "remount,rw", mount], check=True)
        robot.start()
        send(6, 201, "after a restart")
        status, body = robot_load.get(robot.port, "/api/logs")
        listed = {log["id"] for log in json.loads(body)["logs"]}
        if listed != {answer["id"] for _, answer, _ in receipts}:
            problems.append(f"logs received {sorted(listed)} are not the receipts")
    finally:
        robot.stop()
    problems += robot_load.verify_receipts(robot.data, uploads, receipts)
    subprocess.run(["umount", mount], check=False)
    shutil.rmtree(work, ignore_errors=True)
    if problems:
        print("disk-faults: FAILED:\n  " + "\n  ".join(problems))
        return 1
    print(f"disk-faults: {len(receipts)} receipts, each kept; no receipt while the folder failed")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    if os.geteuid() != 0:
        print("disk-faults: skipped: needs root to mount a small file system")
        sys.exit(SKIPPED)
    if os.environ.get("DKZ_OWN_MOUNTS") != "1":
        # A mount namespace of our own: nothing mounted here is seen outside.
        env = dict(os.environ, DKZ_OWN_MOUNTS="1")
        try:
            sys.exit(subprocess.run(["unshare", "--mount", "--propagation", "private",
                                     sys.executable, os.path.abspath(__file__), sys.argv[1]],
                                    env=env).returncode)
        except OSError as error:
            print(f"disk-faults: skipped: {error}")
            sys.exit(SKIPPED)
    sys.exit(main(sys.argv[1]))
