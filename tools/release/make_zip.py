#!/usr/bin/env python3
"""Packs the release zip a Windows user downloads. The same inputs give the
same bytes: fixed file order, one fixed time and mode for every entry."""
import argparse
import datetime
import hashlib
import os
import re
import sys
import zipfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
HERE = Path(__file__).resolve().parent
DOS_EPOCH = 315532800  # 1980-01-01, the earliest time a zip entry can hold


def fail(message):
    sys.exit("make_zip: " + message)


def windows_text(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def read_version():
    version = (ROOT / "VERSION").read_text().strip()
    if not re.fullmatch(r"\d+\.\d+\.\d+", version):
        fail(f"VERSION must hold MAJOR.MINOR.PATCH, not {version!r}")
    return version


def checked_changelog(version):
    text = (ROOT / "CHANGELOG.md").read_text()
    top = re.search(r"^## (\S+)", text, re.MULTILINE)
    if top is None or top.group(1) != version:
        fail(f"CHANGELOG.md's top entry is not {version} (the VERSION file)")
    return text


def debian_paragraphs(text):
    """The paragraphs of a Debian copyright file as field -> value dictionaries."""
    for block in re.split(r"\n[ \t]*\n", text):
        fields, name = {}, None
        for line in block.splitlines():
            if line[:1] in (" ", "\t") and name is not None:
                body = line[1:]
                fields[name] += "\n" + ("" if body.strip() == "." else body)
            elif ":" in line:
                name, value = line.split(":", 1)
                fields[name] = value.strip()
        if fields:
            yield fields


def country_file_licence(copyright_path, package_version):
    paragraphs = list(debian_paragraphs(Path(copyright_path).read_text(encoding="utf-8")))
    files = next((p for p in paragraphs if p.get("Files") == "*"), None)
    if files is None:
        fail(f"{copyright_path}: no 'Files: *' paragraph")
    name = files["License"].split("\n")[0]
    texts = [p["License"] for p in paragraphs if "Files" not in p and "License" in p]
    text = next((t for t in texts if t.split("\n")[0] == name), None)
    if text is None:
        fail(f"{copyright_path}: no text of the licence {name}")
    source = next((p["Source"] for p in paragraphs if "Source" in p), "")
    return (f"cty.dat, the country file from {source},\n"
            f"as shipped in Debian's hamradio-files package, version {package_version}.\n\n"
            f"{files['Copyright']}\nLicense: {name}\n\n{text.split(chr(10), 1)[1]}\n")


def readme(version, country_version):
    text = (HERE / "README.txt").read_text(encoding="utf-8")
    text = text.replace("@VERSION@", version).replace("@CTY_VERSION@", country_version)
    if "@" in text:
        fail("README.txt has a placeholder that nobody fills")
    return text


def entries(args):
    version = read_version()
    files = [
        ("Stats.dll", Path(args.binaries, "Stats.dll").read_bytes()),
        ("dkz-score.exe", Path(args.binaries, "dkz-score.exe").read_bytes()),
        ("cty.dat", Path(args.cty).read_bytes()),
        ("cty.dat.LICENSE.txt",
         windows_text(country_file_licence(args.cty_copyright, args.cty_version))),
        ("README.txt", windows_text(readme(version, args.cty_version))),
        ("LICENSE", windows_text((ROOT / "LICENSE").read_text(encoding="utf-8"))),
        ("CHANGELOG.md", windows_text(checked_changelog(version))),
    ]
    sums = "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\n" for name, data in files)
    return files + [("SHA256SUMS", sums.encode())]


def write_zip(path, files, epoch):
    when = datetime.datetime.fromtimestamp(max(epoch, DOS_EPOCH), datetime.timezone.utc)
    temporary = path.with_name(path.name + ".tmp")
    with zipfile.ZipFile(temporary, "w") as archive:
        for name, data in files:
            entry = zipfile.ZipInfo(name, date_time=when.timetuple()[:6])
            entry.create_system = 3
            entry.external_attr = 0o100644 << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(entry, data, compresslevel=9)
    os.replace(temporary, path)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--binaries", required=True, help="folder with Stats.dll and dkz-score.exe")
    parser.add_argument("--cty", required=True, help="the country file tested with")
    parser.add_argument("--cty-copyright", required=True, help="its Debian copyright file")
    parser.add_argument("--cty-version", required=True, help="its Debian package version")
    parser.add_argument("--epoch", type=int, default=DOS_EPOCH, help="time of every entry")
    parser.add_argument("--out", required=True, help="folder for dkz-plugin-VERSION-win32.zip")
    args = parser.parse_args()
    try:
        files = entries(args)
    except OSError as error:
        fail(str(error))
    path = Path(args.out, f"dkz-plugin-{read_version()}-win32.zip")
    path.parent.mkdir(parents=True, exist_ok=True)
    write_zip(path, files, args.epoch)
    print(path)


if __name__ == "__main__":
    main()
