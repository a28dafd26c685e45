"""Score posts as contest loggers send them to the robot's live board, for its
benchmark and its browser test. Nothing here talks to any address but
127.0.0.1."""
import datetime
import http.client
import time
import urllib.parse


def post_xml(call, power="HIGH", bands="ALL", district="", score=1000):
    """A dynamicresults document with totals only."""
    return (f"<?xml version=\"1.0\"?><dynamicresults><contest>DKZ-CW</contest><call>{call}</call>"
            f"<class power=\"{power}\" assisted=\"NONASSISTED\" transmitter=\"ONE\" "
            f"ops=\"SINGLE-OP\" bands=\"{bands}\" mode=\"CW\"/><qth><stprvoth>{district}</stprvoth>"
            f"</qth><breakdown><qso band=\"total\" mode=\"ALL\">{score // 700}</qso>"
            f"<mult band=\"total\" mode=\"ALL\">{score // 2000}</mult></breakdown>"
            f"<score>{score}</score></dynamicresults>")


def post(port, xml):
    """(status, answer, seconds) of the XML posted in the form field xml."""
    started = time.perf_counter()
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=30)
    try:
        connection.request("POST", "/api/scores", urllib.parse.urlencode({"xml": xml}),
                           {"Content-Type": "application/x-www-form-urlencoded"})
        response = connection.getresponse()
        answer = response.read().decode()
        return response.status, answer, time.perf_counter() - started
    finally:
        connection.close()


def period_around_today():
    """robot.conf lines of a contest period from yesterday to tomorrow (UTC)."""
    today = datetime.datetime.now(datetime.timezone.utc).date()
    one = datetime.timedelta(days=1)
    return f"period-from = {today - one}\nperiod-to = {today + one}\n"
