#!/usr/bin/python3
"""The live board of dkz-robot in Debian's chromium (through chromedriver and
python3-selenium): loggers' posts of Japanese and other stations, then /live
as a phone of 390 px and a screen of 1,280 px show it. Fails when the page is
wider than the window (sideways scrolling), when a posted call or score is
missing, when the page holds script, or on any message in the browser's
console. Screenshots go to --screenshots.

usage: live_board_browser_test.py DKZ_ROBOT [--screenshots FOLDER]"""
import argparse
import os
import shutil
import sys
import tempfile

from selenium.webdriver.common.by import By

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tools", "robot-bench"))
import live_posts  # noqa: E402
import robot_load  # noqa: E402
from browser_test import Visit, browser  # noqa: E402

# Calls of many shapes, the longest a portable one; Japanese stations in
# several districts and categories.
STATIONS = [("JA1ABC", "HIGH", "ALL", "AT"), ("JH1QRP", "QRP", "ALL", "CB"),
            ("JA2XYZ", "LOW", "40", "ST"), ("7K4ABC", "HIGH", "ALL", "IS"),
            ("JR6AAA", "HIGH", "ALL", "OK"), ("VP2E/JA1ABC/QRP", "QRP", "ALL", ""),
            ("DL4MCF", "HIGH", "ALL", ""), ("OK1XX", "LOW", "20", ""), ("K1ABC", "HIGH", "ALL", ""),
            ("VK2ABC", "LOW", "ALL", ""), ("PY2ABC", "HIGH", "ALL", ""),
            ("ZS6ABC", "QRP", "ALL", ""), ("W1AW/7", "HIGH", "ALL", "")]


def show_at(visit, driver, width, height, mobile):
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": 1,
                            "mobile": mobile})
    visit.open("/live")
    wide = driver.execute_script("return document.documentElement.scrollWidth")
    window = driver.execute_script("return window.innerWidth")
    visit.check(window == width, f"{width} px: the window is {window} px wide")
    visit.check(wide <= window, f"{width} px: the page is {wide} px wide, wider than the window")
    visit.shot(f"live-{width}")
    return wide


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("robot")
    parser.add_argument("--screenshots")
    args = parser.parse_args()
    if args.screenshots:
        os.makedirs(args.screenshots, exist_ok=True)
    work = tempfile.mkdtemp(prefix="dkz-robot-live-")
    robot = robot_load.Robot(args.robot, os.path.join(work, "data"),
                             conf=live_posts.period_around_today()).start()
    driver = None
    try:
        for n, (call, power, bands, district) in enumerate(STATIONS):
            status, answer, _ = live_posts.post(
                robot.port, live_posts.post_xml(call, power, bands, district, 1234567 - n * 81234))
            if status != 200:
                print(f"live-board-browser-test: the post of {call} got {status} {answer}")
                return 1
        driver = browser(work)
        visit = Visit(driver, f"http://127.0.0.1:{robot.port}", args.screenshots)
        visit.open("/live")
        driver.execute_script("console.error('control message')")
        if not any("control message" in entry["message"] for entry in driver.get_log("browser")):
            print("live-board-browser-test: the browser's console is not seen; cannot check")
            return 1
        widths = [show_at(visit, driver, 390, 844, True), show_at(visit, driver, 1280, 900, False)]
        text = driver.find_element(By.TAG_NAME, "body").text
        for call, *_ in STATIONS:
            visit.check(call in text, f"{call} is not on the board")
        visit.check("1234567" in text, "the leader's score is not on the board")
        visit.check("not the results" in text, "the board does not say it is not the results")
        visit.check(len(driver.find_elements(By.TAG_NAME, "script")) == 0, "a script element shows")
        visit.check(len(driver.find_elements(By.CSS_SELECTOR, "svg.line polyline")) > 0,
                    "no leader's line is drawn")
    finally:
        if driver:
            driver.quit()
        robot.stop()
        shutil.rmtree(work, ignore_errors=True)
    if visit.problems:
        print("live-board-browser-test: FAILED:\n  " + "\n  ".join(visit.problems))
        return 1
    print(f"live-board-browser-test: {len(STATIONS)} stations on /live at 390 and 1280 px "
          f"(pages {widths[0]} and {widths[1]} px wide), no console message")
    return 0


if __name__ == "__main__":
    sys.exit(main())
