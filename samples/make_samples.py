#!/usr/bin/env python3
"""Writes the bundled sample logs of the DKZ contest: made-up but realistic.

ja1vzt.adi  a Japanese station, ADIF
dl4mcf.cbr  a German station, Cabrillo
dl4mcf.adi  the same QSOs as dl4mcf.cbr, in ADIF

Deterministic: the same script writes the same bytes. Each log holds
duplicates, a district code that does not exist, a phone QSO, a 30 m QSO and
portable calls, besides the ordinary run of QSOs.
"""
import datetime
import os
import random

DISTRICTS = ("AC AM AT CB EH FI FO FS GF GM HD HG HS HY IB IK IR IS IT KA KC KG KK KM KN KR "
             "KT ME MG MT MZ NI NM NN NR NS OG OH OM ON OS OT OY RM SB SC SG SI SN SO ST SY "
             "TC TG TK TS TT TY WK YG YM YN").split()

JA_PREFIXES = ["JA", "JE", "JF", "JG", "JH", "JI", "JJ", "JK", "JL", "JM", "JN", "JO", "JP",
               "JQ", "JR", "JS", "7K", "7L", "7M", "7N"]
# Prefixes that the country file places on every continent; a digit in the
# prefix is kept, otherwise a call-area digit is drawn.
DX_PREFIXES = ["K", "W", "N", "AA", "KB", "VE", "DL", "G", "F", "I", "OK", "SP", "ON", "PA",
               "EA", "OH", "SM", "LY", "UA", "RA9", "VK", "ZL", "BV", "HL", "BY", "VU", "4X",
               "PY", "LU", "CE", "ZS", "5H", "CN", "EA8"]

# CW segments in kHz, and which band is open when (UTC hour ranges).
SEGMENTS = {"160m": (1810, 1830), "80m": (3510, 3530), "40m": (7010, 7030),
            "20m": (14010, 14060), "15m": (21010, 21060), "10m": (28010, 28060)}
SCHEDULE = [(9, "40m"), (11, "80m"), (13, "160m"), (15, "40m"), (18, "80m"), (21, "40m"),
            (23, "20m"), (2, "15m"), (5, "10m"), (7, "20m")]
START = datetime.datetime(2023, 6, 10, 9, 0)

LETTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"


def band_at(time):
    """The band whose slot began last."""
    return min(SCHEDULE, key=lambda slot: (time.hour - slot[0]) % 24)[1]


def suffix(rng, lengths=(2, 3)):
    return "".join(rng.choice(LETTERS) for _ in range(rng.choice(lengths)))


def make_call(rng, prefix):
    digit = "" if prefix[-1].isdigit() else str(rng.randrange(10))
    letters = suffix(rng, (1, 2, 3)) if prefix in ("K", "W", "N") else suffix(rng)
    return prefix + digit + letters


def stations(rng, count, prefixes, exchange):
    seen, result = set(), []
    while len(result) < count:
        call = make_call(rng, rng.choice(prefixes))
        if call not in seen:
            seen.add(call)
            result.append((call, exchange(rng)))
    return result


class Log:
    def __init__(self, rng, own_call, sent_exchange, minutes_between=(1, 8)):
        self.rng = rng
        self.minutes_between = minutes_between
        self.own_call = own_call
        self.sent_exchange = sent_exchange
        self.time = START
        self.qsos = []
        self.worked = set()

    def add(self, call, rcvd, band=None, mode="CW", freq_khz=None, rst_rcvd=None):
        self.time += datetime.timedelta(minutes=self.rng.randrange(*self.minutes_between))
        band = band or band_at(self.time)
        low, high = SEGMENTS.get(band, (0, 0))
        if freq_khz is None:
            freq_khz = self.rng.randrange(low, high) + self.rng.choice((0, 0.5))
        rst = "599" if mode == "CW" else "59"
        if rst_rcvd is None:
            rst_rcvd = rst if self.rng.random() < 0.85 else self.rng.choice(("579", "589"))
        serial = len(self.qsos) + 1
        self.qsos.append(dict(call=call, time=self.time, band=band, mode=mode, freq=freq_khz,
                              rst_sent=rst, rst_rcvd=rst_rcvd, sent=self.sent_exchange(serial),
                              rcvd=rcvd))
        self.worked.add((call, band))

    def add_new(self, pool):
        """A station from the pool not yet worked on the band that is open now."""
        band = band_at(self.time)
        for _ in range(1000):
            call, rcvd = self.rng.choice(pool)
            if (call, band) not in self.worked:
                self.add(call, rcvd, band=band)
                return
        raise RuntimeError("pool exhausted")

    def repeat(self, back):
        """The station of an earlier QSO again, on the same band: a duplicate."""
        q = self.qsos[-back]
        self.add(q["call"], q["rcvd"], band=q["band"])


def serial(rng):
    return str(rng.randrange(1, 1500))


def japanese_log():
    rng = random.Random(4021)
    log = Log(rng, "JA1VZT", lambda n: "TK")
    ja = stations(rng, 160, JA_PREFIXES, lambda r: r.choice(DISTRICTS))
    dx = stations(rng, 70, DX_PREFIXES, serial)
    specials = {
        40: lambda: log.add("JH3KQW/P", "OS"),
        55: lambda: log.add("JR2ODX/1", "AC"),
        70: lambda: log.repeat(3),
        90: lambda: log.add("JE6UPN", "TQ"),  # no such district
        105: lambda: log.add("JD1BQA", "123"),  # Ogasawara: a country of its own
        120: lambda: log.add("W6/JG1MXR", "88"),
        135: lambda: log.add("JA9FLC", " ac "),  # as typed: the plug-in normalises it
        150: lambda: log.add("K2QX/4", "412"),
        165: lambda: log.add("HL5BKT", "77", band="20m", mode="SSB", freq_khz=14215),
        180: lambda: log.add("JA4DMW", "OY", band="30m", freq_khz=10115),
        195: lambda: log.repeat(6),
        196: lambda: log.repeat(7),  # the same station a third time on that band
        215: lambda: log.add("DL2AXF/MM", "5"),  # maritime mobile: no country
        230: lambda: log.add("JA1VZT/QRP", "TK"),
        250: lambda: log.add("RA9SGK/3", "203"),
        270: lambda: log.repeat(2),
    }
    while len(log.qsos) < 318:
        special = specials.get(len(log.qsos))
        if special:
            special()
        else:
            log.add_new(ja if rng.random() < 0.68 else dx)
    return log


def foreign_log():
    rng = random.Random(1707)
    log = Log(rng, "DL4MCF", lambda n: str(n), minutes_between=(2, 9))
    ja = stations(rng, 150, JA_PREFIXES, lambda r: r.choice(DISTRICTS))
    dx = stations(rng, 30, DX_PREFIXES[:-1], serial)
    specials = {
        30: lambda: log.add("JA2HYD/1", "KN"),
        50: lambda: log.add("JM3CTF/P", "NR"),
        65: lambda: log.repeat(4),
        80: lambda: log.add("JG8NRT", "KY"),  # no such district
        95: lambda: log.add("JD1BQA", "OG"),  # Ogasawara is not Japan here
        110: lambda: log.add("JA7QJB", "MG", band="20m", mode="SSB", freq_khz=14195),
        125: lambda: log.add("JH1BAX", "CB", band="30m", freq_khz=10112),
        140: lambda: log.add("7N4WPE/QRP", "IB"),
        160: lambda: log.repeat(5),
        161: lambda: log.repeat(6),
        175: lambda: log.add("JA1VZT", "TK"),
        190: lambda: log.add("W6/JG1MXR", "88"),
        205: lambda: log.repeat(1),
    }
    while len(log.qsos) < 262:
        special = specials.get(len(log.qsos))
        if special:
            special()
        else:
            log.add_new(ja if rng.random() < 0.93 else dx)
    return log


def adif_field(name, value):
    return "<%s:%d>%s" % (name, len(value), value)


def write_adif(log, path, program):
    lines = ["Contest log exported by %s\r\n" % program,
             adif_field("ADIF_VER", "3.1.4") + " " + adif_field("PROGRAMID", program) +
             " <EOH>\r\n"]
    for i, q in enumerate(log.qsos):
        fields = [adif_field("CALL", q["call"]),
                  adif_field("QSO_DATE", q["time"].strftime("%Y%m%d")),
                  adif_field("TIME_ON", q["time"].strftime("%H%M")),
                  adif_field("BAND", q["band"] if i % 9 else q["band"].upper()),
                  adif_field("FREQ", "%.4f" % (q["freq"] / 1000.0)),
                  adif_field("MODE", q["mode"]),
                  adif_field("RST_SENT", q["rst_sent"]),
                  adif_field("RST_RCVD", q["rst_rcvd"])]
        # Some programs put numbers into SRX/STX rather than the string fields.
        rcvd_field = "SRX" if q["rcvd"].isdigit() and i % 4 == 0 else "SRX_STRING"
        sent_field = "STX" if q["sent"].isdigit() and i % 4 == 1 else "STX_STRING"
        fields += [adif_field(sent_field, q["sent"]), adif_field(rcvd_field, q["rcvd"]),
                   adif_field("STATION_CALLSIGN", log.own_call), "<EOR>"]
        lines.append(" ".join(fields) + "\r\n")
    with open(path, "w", newline="") as out:
        out.write("".join(lines))


def write_cabrillo(log, path):
    lines = ["START-OF-LOG: 3.0", "CALLSIGN: " + log.own_call, "CONTEST: DKZ-CW",
             "CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-BAND: ALL", "CATEGORY-MODE: CW",
             "CATEGORY-POWER: LOW", "CREATED-BY: make_samples.py"]
    for q in log.qsos:
        mode = "CW" if q["mode"] == "CW" else "PH"
        freq = "%5d" % q["freq"] if q["freq"] == int(q["freq"]) else None
        if freq is None:
            raise RuntimeError("Cabrillo holds whole kHz only")
        lines.append("QSO: %s %s %s %-13s %-3s %-6s %-13s %-3s %s" % (
            freq, mode, q["time"].strftime("%Y-%m-%d %H%M"), log.own_call, q["rst_sent"],
            q["sent"], q["call"], q["rst_rcvd"], q["rcvd"]))
    lines.append("END-OF-LOG:")
    with open(path, "w", newline="") as out:
        out.write("\r\n".join(lines) + "\r\n")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_adif(japanese_log(), os.path.join(here, "ja1vzt.adi"), "SampleLogger")
    foreign = foreign_log()
    for q in foreign.qsos:
        q["freq"] = int(q["freq"])  # Cabrillo has whole kHz: keep both files equal
    write_cabrillo(foreign, os.path.join(here, "dl4mcf.cbr"))
    write_adif(foreign, os.path.join(here, "dl4mcf.adi"), "SampleLogger")


if __name__ == "__main__":
    main()
