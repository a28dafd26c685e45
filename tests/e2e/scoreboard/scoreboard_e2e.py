"""Stats.dll posts its running score under Wine, driven by scoreboard_host.exe.

    scoreboard_e2e.py WINDOWS_BUILD [--robot DKZ_ROBOT]

Against the small boards of tools/bench/fake_board.py: the post arrives with the
summary's numbers, a board that answers 500, one that never answers and a
port where nothing listens give their status in the settings file, the
host's calls go on and the unload returns while a post hangs, and without a
board nothing changes. With --robot, the post goes to the real robot instead
and its live board shows the station (skipped, 77, when that robot takes no
score posts).
"""

import argparse
import datetime
import json
import os
import re
import subprocess
import sys
import tempfile
import urllib.error
import urllib.request
import xml.etree.ElementTree as ElementTree

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "bench"))
import fake_board  # noqa: E402
SKIPPED = 77
failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def drive(build, *args, timeout=120):
    """Runs scoreboard_host.exe; its "key: value" lines, the summary's as a list."""
    exe = os.path.join(build, "scoreboard_host.exe")
    run = subprocess.run(["wine", exe, *args], capture_output=True, text=True, timeout=timeout)
    facts = {"summary": [], "exit": run.returncode}
    for line in run.stdout.splitlines():
        key, _, value = line.rstrip("\r").partition(": ")
        if key == "summary":
            facts["summary"].append(value)
        else:
            facts[key] = value
    if run.returncode != 0:
        print(run.stdout + run.stderr)
    return facts


def summary_numbers(summary):
    """The summary's table keyed as the document's counts are: "qso 40", "mult 40 continent"."""
    numbers, continents = {}, any("\tCont" in line for line in summary)
    for line in summary:
        cells = line.split()
        if cells[:1] == ["Score"]:
            numbers["score"] = int(cells[1])
        if len(cells) != (5 if continents else 4) or not cells[1].isdigit():
            continue
        band = "total" if cells[0] == "Total" else cells[0].rstrip("m")
        values = [int(cell) for cell in cells[1:]]
        numbers[f"qso {band}"], numbers[f"point {band}"] = values[0], values[1]
        if band == "total":
            numbers["mult total"] = sum(values[2:])
        else:
            numbers[f"mult {band} district"] = values[2]
            if continents:
                numbers[f"mult {band} continent"] = values[3]
    return numbers


def document_numbers(root):
    numbers = {}
    for element in root.find("breakdown"):
        key = f"{element.tag} {element.get('band')}"
        if element.get("type"):
            key += " " + element.get("type")
        numbers[key] = int(element.text)
    numbers["score"] = int(root.findtext("score"))
    return numbers


def check_document(xml, facts):
    root = ElementTree.fromstring(xml)
    check(root.tag == "dynamicresults", "the post is a dynamicresults document")
    check(document_numbers(root) == summary_numbers(facts["summary"]),
          "the post carries the numbers of the summary")
    check(root.findtext("call") == "JA1ZZZ" and root.findtext("contest") == "DKZ",
          "the post names the station and the contest as the Cabrillo header does")
    check(root.find("class").get("ops") == "SINGLE-OP", "the post gives the category")
    with open(os.path.join(ROOT, "VERSION")) as f:
        version = f.read().strip()
    check(root.findtext("soft") == "DKZ Contest Stats" and root.findtext("version") == version,
          "the post names this program and its version")
    check(re.fullmatch(r"\d{4}-\d\d-\d\d \d\d:\d\d:\d\d", root.findtext("timestamp") or ""),
          "the post says when, in UTC")


def print_figures(name, facts):
    print(f"  {name}: 5 re-scores of 300 QSOs {facts.get('host-rescores-ms')} ms, "
          f"2000 CheckCall0 {facts.get('host-checkcalls-ms')} ms, "
          f"unload {facts.get('unload-ms')} ms", flush=True)


def with_board(kind, work, body):
    board = fake_board.Board(kind, os.path.join(work, kind + ".events"))
    try:
        return body(board)
    finally:
        board.close()


def fake_boards(build, work):
    facts = drive(build, "--linger", "1")
    print_figures("no board", facts)
    check(facts.get("threads-added") == "0" and facts.get("winhttp-loaded") == "0",
          "without a board: no thread and no WinHTTP")
    check(facts.get("LastStatus") == "<missing>" and facts.get("ini-scoreboard-section") == "0",
          "without a board: nothing written to the settings file")

    unboarded_settings = facts.get("settings-section")

    def record(board):
        facts = drive(build, "--url", board.url, "--await-status")
        print_figures("recording board", facts)
        check(facts.get("settings-section") == unboarded_settings and unboarded_settings,
              "a board changes no key of section Settings")
        check(facts.get("threads-added") == "1", "a board: one thread of its own")
        check(facts.get("LastStatus") == "200" and facts.get("LastAnswer") == "OK",
              "the board's answer is the last post's status")
        check(len(board.posts) == 1, f"one post within the interval ({len(board.posts)})")
        if board.posts:
            path, content_type, xml = board.posts[0]
            check(path == "/api/scores" and content_type == "application/x-www-form-urlencoded",
                  "posted as a form to the board's path")
            check_document(xml, facts)
    with_board("record", work, record)

    for kind, status, answer in [("fail", "500", "board broken"), ("closed", "unreachable", None),
                                 ("hang", "timed out", None)]:
        def failing(board):
            facts = drive(build, "--url", board.url, "--await-status")
            print_figures(f"{kind} board", facts)
            check(facts.get("LastStatus") == status and
                  (answer is None or facts.get("LastAnswer") == answer),
                  f"{kind}: status '{facts.get('LastStatus')}' '{facts.get('LastAnswer')}'")
        with_board(kind, work, failing)

    for url in ["http://bad host/api/scores", "http://127.0.0.1:99999/api/scores"]:
        facts = drive(build, "--url", url, "--await-status")
        check(facts.get("LastStatus") == "bad address", f"{url}: {facts.get('LastStatus')}")

    def unload_in_flight(board):
        facts = drive(build, "--url", board.url, "--wait-for", windows_path(board.event_file),
                      "--reload", "--linger", "12")
        print_figures("hanging board, unloaded with the post in flight", facts)
        check(facts.get("board-connected") == "1", "the post was in flight")
        check(float(facts.get("unload-ms", "inf")) < 5000, "the unload returned")
        score = str(summary_numbers(facts["summary"]).get("score"))
        check(facts.get("reloaded-score") == score, "loaded again meanwhile, it scores the same")
        check(facts.get("library-loaded") == "0" and facts.get("done") == "1" and
              facts["exit"] == 0, "the library went with its unload, and nothing crashed after")
    with_board("hang", work, unload_in_flight)


def get(port, path):
    with urllib.request.urlopen(f"http://127.0.0.1:{port}{path}", timeout=30) as answer:
        return answer.read().decode("utf-8", "replace")


def real_robot(build, work, robot_binary):
    sys.path.insert(0, os.path.join(ROOT, "tools", "robot-bench"))
    import robot_load
    today = datetime.datetime.now(datetime.timezone.utc).date()
    conf = (f"period-from = {today - datetime.timedelta(days=1)}\n"
            f"period-to = {today + datetime.timedelta(days=1)}\n")
    robot = robot_load.Robot(robot_binary, os.path.join(work, "robot"), conf).start()
    try:
        url = f"http://127.0.0.1:{robot.port}/api/scores"
        try:
            urllib.request.urlopen(url, data=b"xml=", timeout=30)
        except urllib.error.HTTPError as error:
            if error.code in (404, 405):
                print(f"this dkz-robot takes no score posts ({error.code}): skipped")
                return SKIPPED
        facts = drive(build, "--url", url, "--await-status")
        print_figures("the robot", facts)
        check(facts.get("LastStatus") == "200", f"the robot took the post: {facts.get('LastStatus')} "
              f"{facts.get('LastAnswer')}")
        score = str(summary_numbers(facts["summary"]).get("score"))
        page = get(robot.port, "/live")
        check("JA1ZZZ" in page and (score in page or f"{int(score):,}" in page),
              f"/live shows JA1ZZZ with the score {score}")
        live = json.dumps(json.loads(get(robot.port, "/api/live")))
        check("JA1ZZZ" in live and score in live, "/api/live gives the same")
    finally:
        robot.stop()
    return 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--robot")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory(prefix="dkz-board-") as work:
        if args.robot:
            if real_robot(args.build, work, args.robot) == SKIPPED:
                return SKIPPED
        else:
            fake_boards(args.build, work)
    print(f"{len(failures)} failed" if failures else "all passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
