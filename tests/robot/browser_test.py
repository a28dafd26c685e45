#!/usr/bin/python3
"""dkz-robot in a real browser: Debian's chromium, driven through its
chromedriver by Debian's python3-selenium, sends a log through the upload
page, reads its receipt and resubmission key, finds it on the logs-received page, sees a file with
script refused and shown as text, runs the sponsor's check from its page, and
fails on any message in the browser's console.

usage: browser_test.py DKZ_ROBOT [--screenshots FOLDER]"""
import argparse
import hashlib
import os
import shutil
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support import expected_conditions
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tools", "robot-bench"))
import robot_load  # noqa: E402


def browser(work):
    options = Options()
    # Debian's own browser and driver, named so that Selenium fetches nothing.
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--window-size=1100,1400", f"--user-data-dir={work}/profile"):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service(executable_path="/usr/bin/chromedriver"),
                            options=options)


class Visit:
    def __init__(self, driver, base, screenshots):
        self.driver, self.base, self.screenshots = driver, base, screenshots
        self.problems = []

    def console(self, where):
        for entry in self.driver.get_log("browser"):
            self.problems.append(f"{where}: console {entry['level']}: {entry['message']}")

    def open(self, path):
        self.driver.get(self.base + path)
        self.console(path)

    def wait_for(self, path_part):
        WebDriverWait(self.driver, 30).until(expected_conditions.url_contains(path_part))
        self.console(self.driver.current_url)

    def check(self, condition, message):
        if not condition:
            self.problems.append(message)

    def shot(self, name):
        if self.screenshots:
            self.driver.save_screenshot(os.path.join(self.screenshots, name + ".png"))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("robot")
    parser.add_argument("--screenshots")
    args = parser.parse_args()
    work = tempfile.mkdtemp(prefix="dkz-robot-browser-")
    robot = robot_load.Robot(args.robot, os.path.join(work, "data"),
                             conf="period-from = 2023-06-10\nperiod-to = 2023-06-11\n").start()
    call, log = robot_load.make_uploads(1, seed=11)[0]
    log_path = os.path.join(work, f"{call}.cbr")
    with open(log_path, "wb") as f:
        f.write(log)
    hostile = os.path.join(work, "<script>alert(1)<\x2fscript>.cbr".replace("/", "_"))
    with open(hostile, "w") as f:
        f.write("<html><body><script>alert('sent')</script><img src=x onerror=alert(2)></body>\n")
    driver = browser(work)
    visit = Visit(driver, f"http://127.0.0.1:{robot.port}", args.screenshots)
    try:
        # The console is seen: a message of our own must show.
        visit.open("/")
        driver.execute_script("console.error('control message')")
        control = driver.get_log("browser")
        if not any("control message" in entry["message"] for entry in control):
            print("browser-test: the browser's console is not seen; cannot check")
            return 1

        visit.open("/")
        driver.find_element(By.ID, "log").send_keys(log_path)
        driver.find_element(By.ID, "email").send_keys("op@example.org")
        visit.shot("upload")
        driver.find_element(By.ID, "send").click()
        visit.wait_for("/receipts/")
        log_id = driver.find_element(By.ID, "log-id").text
        sha = driver.find_element(By.ID, "sha256").text
        visit.check(sha == hashlib.sha256(log).hexdigest(), f"receipt SHA-256 {sha} is not the file's")
        visit.check("Your log was received and stored" in driver.page_source,
                    "no word to the uploader of the log received")
        keys = [key.text for key in driver.find_elements(By.ID, "resubmission-key")]
        visit.check(len(keys) == 1 and len(keys[0]) == 32, f"the receipt shows keys {keys}")
        visit.shot("receipt")
        print(f"browser-test: {call}'s log got receipt {log_id}, SHA-256 {sha[:16]}...")

        visit.open("/received")
        rows = driver.find_elements(By.CSS_SELECTOR, "#logs tbody tr")
        visit.check(any(row.text.startswith(call) for row in rows),
                    f"{call} is not on the logs-received page")
        visit.shot("received")

        visit.open("/")
        driver.find_element(By.ID, "log").send_keys(hostile)
        driver.find_element(By.ID, "send").click()
        visit.wait_for("/upload")
        visit.check("was not taken" in driver.page_source, "the file with script was not refused")
        visit.check(len(driver.find_elements(By.TAG_NAME, "script")) == 0, "a script element shows")

        visit.open("/sponsor")
        driver.find_element(By.NAME, "token").send_keys(robot.token())
        driver.find_element(By.CSS_SELECTOR, "form[action='/sponsor/check'] button").click()
        visit.wait_for("/results/")
        visit.check(call in driver.find_element(By.TAG_NAME, "body").text,
                    f"the published results do not show {call}")
        visit.shot("results")
        visit.open(f"/calls/{call}")
    finally:
        driver.quit()
        robot.stop()
        shutil.rmtree(work, ignore_errors=True)
    if visit.problems:
        print("browser-test: FAILED:\n  " + "\n  ".join(visit.problems))
        return 1
    print("browser-test: upload, receipt, logs received, refusal and the sponsor's check in "
          "chromium, with no console message")
    return 0


if __name__ == "__main__":
    sys.exit(main())
