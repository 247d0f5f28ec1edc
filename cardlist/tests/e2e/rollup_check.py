#!/usr/bin/env python3
"""Rolls up a folder of 1,000 results files with cardlist, as an administrator would.

Makes the files from the results example: computers that pass, warn and fail
with different adapters and drivers, runs in session 0, files of the earlier
version without graphics facts, and a few damaged or foreign files. The run
must name exactly those on the standard error, write one CSV row per computer
(UTF-8 with a byte order mark, CR LF), show no progress when its standard
error is redirected and show it on a terminal, and finish within the time
limit. With --browser, headless Chromium renders the page: the screenshot must
show the fleet's bar in the proportions of its counts, the checks' chart and a
table. With --wine, cardlist is cardlist.exe, run in the shared Wine session
of that state folder (tools/wine-exec); Wine gives it no console to show
progress on.

    rollup_check.py <cardlist> <results.example.json> [--seconds N] [--browser]
                    [--wine STATE]
"""

import argparse
import copy
import csv
import io
import json
import os
import pty
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import zlib
from pathlib import Path

FILES = 1000
PROCESS_TIMEOUT = 120

# The page's colours (cardlist/rollup.cpp).
PASS = (0x2E, 0x7D, 0x32)
WARN = (0xF0, 0xA0, 0x00)
FAIL = (0xC6, 0x28, 0x28)
TABLE_HEADER = (0xE3, 0xE8, 0xEF)
FLEET_BAR_WIDTH = 720

ADAPTERS = [
    ("NVIDIA Quadro FX 580", "PCI\\VEN_10DE&DEV_0659&SUBSYS_063A10DE&REV_A1\\4&16C9E9F9&0&0010",
     "8.17.12.6099", "260.99"),
    ("NVIDIA Quadro 600", "PCI\\VEN_10DE&DEV_0DF8&SUBSYS_083510DE&REV_A1\\4&2B5A3A7C&0&0010",
     "8.17.12.7642", "276.42"),
    ("AMD FirePro V4800", "PCI\\VEN_1002&DEV_68C8&SUBSYS_2FB11028&REV_00\\4&1A2B3C4D&0&0008",
     "8.911.3.0", "8.911.3.0"),
    ("Intel(R) HD Graphics 4000", "PCI\\VEN_8086&DEV_0166&SUBSYS_11AD1043&REV_09\\3&11583659&0&10",
     "9.17.10.2867", "9.17.10.2867"),
]


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def set_check(results, key, level, measured=True):
    for check in results["checks"]:
        if check["key"] == key:
            check["level"], check["measured"] = level, measured


def make_fleet(example, folder):
    """Writes the fleet's files; returns the verdict counts and the damaged files' names."""
    counts = {"pass": 0, "warn": 0, "fail": 0}
    damaged = {
        "damaged-cut.json": example[: len(example) // 2],
        "damaged-text.json": "Quarvel results\r\n",
        "damaged-version.json": example.replace('"schemaVersion": 1', '"schemaVersion": 2'),
        "damaged-other.json": '{"name": "another tool"}',
        "damaged-empty.json": "",
    }
    for name, text in damaged.items():
        (folder / name).write_text(text, encoding="utf-8")
    base = json.loads(example)
    for i in range(FILES - len(damaged)):
        results = copy.deepcopy(base)
        results["computerName"] = f"CAD-PC-{i:04d}"
        results["tested"] = f"2026-12-{1 + i % 9:02d}T14:05:09+01:00"
        caption, pnp, version, compared = ADAPTERS[i % len(ADAPTERS)]
        adapter = results["graphics"]["adapters"][0]
        adapter.update(caption=caption, pnpDeviceId=pnp, driverVersion=version,
                       registryDriverVersion=version, comparedVersion=compared)
        if i % 10 < 6:
            verdict, level = "pass", 3
            set_check(results, "memory", 3)
            set_check(results, "graphics-card", 4)
        elif i % 10 < 9:
            verdict, level = "warn", 2
        else:
            verdict, level = "fail", 1
            set_check(results, "memory", 1)
        if i % 50 == 7:  # a deployment agent's run in session 0
            set_check(results, "screen", 2, measured=False)
            set_check(results, "graphics-card", 2, measured=False)
            results["diagnosticExitCode"] = -1
            verdict, level = ("warn", 2) if level > 1 else (verdict, level)
        if i % 40 == 3:  # an earlier QuarvelSysTest
            del results["graphics"]
        results["overall"]["level"] = level
        counts[verdict] += 1
        (folder / f"{results['computerName']}.json").write_text(
            json.dumps(results, indent=2, ensure_ascii=False), encoding="utf-8")
    (folder / "notes.txt").write_text("not results\n", encoding="utf-8")
    (folder / "old.json").mkdir()  # a folder is no file
    return counts, sorted(damaged)


def run_rollup(cardlist, folder, work, seconds):
    csv_path, html_path = work / "fleet.csv", work / "fleet.html"
    start = time.monotonic()
    run = subprocess.run(cardlist + ["rollup", str(folder), "--csv", str(csv_path),
                                     "--html", str(html_path)],
                         capture_output=True, timeout=PROCESS_TIMEOUT)
    elapsed = time.monotonic() - start
    if elapsed > seconds:
        fail(f"rollup of {FILES} files took {elapsed:.1f} s, more than {seconds} s")
    print(f"rollup of {FILES} files: {elapsed:.2f} s")
    if run.returncode != 1:
        fail(f"rollup with damaged files exited {run.returncode}: {run.stderr.decode()}")
    return run.stderr.decode("utf-8"), csv_path.read_bytes(), html_path.read_text("utf-8")


def check_errors(errors, damaged):
    if "\r" in errors.replace("\r\n", "\n"):
        fail("progress on a redirected standard error")
    lines = errors.splitlines()
    named = sorted(re.split(r"[\\/]", line.split(": ")[1])[-1] for line in lines[:-1])
    if named != damaged or not all(line.startswith("cardlist: skipped ") for line in lines[:-1]):
        fail(f"the damaged files named are not {damaged}:\n{errors}")
    if lines[-1] != f"cardlist: {len(damaged)} of {FILES} files skipped":
        fail(f"last line: {lines[-1]}")


def check_csv(data, counts):
    if not data.startswith(b"\xef\xbb\xbf"):
        fail("the CSV has no byte order mark")
    if data.count(b"\n") != data.count(b"\r\n"):
        fail("a line of the CSV does not end in CR LF")
    rows = list(csv.DictReader(io.StringIO(data[3:].decode("utf-8"), newline="")))
    if len(rows) != sum(counts.values()):
        fail(f"{len(rows)} rows for {sum(counts.values())} computers")
    levels = {"pass": ("3", "4"), "warn": ("2",), "fail": ("1",)}
    for verdict, count in counts.items():
        found = sum(row["Level"] in levels[verdict] for row in rows)
        if found != count:
            fail(f"{found} rows {verdict}, {count} expected")
    if sum(row["graphics-card"] == "not measured" for row in rows) != 20:
        fail("the runs in session 0 are not all 'not measured'")


def check_progress_on_a_terminal(cardlist, folder):
    """The progress shows when the standard error is a terminal."""
    main, secondary = pty.openpty()
    with open(os.devnull, "wb") as null:
        process = subprocess.Popen(cardlist + ["rollup", str(folder)], stdout=null,
                                   stderr=secondary)
    os.close(secondary)
    shown = b""
    while True:
        try:
            piece = os.read(main, 65536)
        except OSError:  # the terminal closes with the process
            break
        if not piece:
            break
        shown += piece
    process.wait(timeout=PROCESS_TIMEOUT)
    os.close(main)
    if f"cardlist: read 975 of {FILES} files".encode() not in shown:
        fail(f"no progress on a terminal: {shown[:300]!r}")


def png_pixels(path):
    """The rows of an 8-bit RGB or RGBA PNG without interlace, as lists of (r, g, b)."""
    data, position, chunks = path.read_bytes(), 8, {}
    while position < len(data):
        length = int.from_bytes(data[position:position + 4], "big")
        kind = data[position + 4:position + 8]
        chunks[kind] = chunks.get(kind, b"") + data[position + 8:position + 8 + length]
        position += 12 + length
    header = chunks[b"IHDR"]
    width, height = int.from_bytes(header[0:4], "big"), int.from_bytes(header[4:8], "big")
    if header[8] != 8 or header[9] not in (2, 6) or header[12] != 0:
        fail(f"a PNG this check cannot read: {header.hex()}")
    step = 3 if header[9] == 2 else 4
    raw, stride = zlib.decompress(chunks[b"IDAT"]), width * step
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for x in range(stride):
            a, b = line[x - step] if x >= step else 0, previous[x]
            c = previous[x - step] if x >= step else 0
            paeth = min((abs(b - c), 0, a), (abs(a - c), 1, b), (abs(a + b - 2 * c), 2, c))[2]
            line[x] = (line[x] + (0, a, b, (a + b) // 2, paeth)[kind]) & 0xFF
        rows.append([tuple(line[x:x + 3]) for x in range(0, stride, step)])
        previous = line
    return rows


def close(pixel, colour):
    return all(abs(a - b) <= 6 for a, b in zip(pixel, colour))


def runs(row, colour):
    """The lengths of the runs of the colour in a row of pixels."""
    found, length = [], 0
    for pixel in row + [None]:
        if pixel is not None and close(pixel, colour):
            length += 1
        elif length:
            found.append(length)
            length = 0
    return found


def check_page(html_path, work, counts):
    profile = work / "chromium-profile"
    profile.mkdir()
    shot = work / "fleet.png"
    browser = shutil.which("chromium")
    if browser is None:
        fail("chromium is missing: run tools/setup-debian.sh")
    process = subprocess.Popen(
        [browser, "--headless", "--no-sandbox", "--disable-gpu",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--no-first-run", f"--user-data-dir={profile}", "--force-device-scale-factor=1",
         "--hide-scrollbars", "--window-size=1000,1000", f"--screenshot={shot}",
         html_path.as_uri()],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        process.wait(timeout=PROCESS_TIMEOUT)
    finally:
        try:
            os.killpg(process.pid, signal.SIGKILL)  # its helpers, should any stay
        except ProcessLookupError:
            pass
    if not shot.exists():
        fail("chromium wrote no screenshot")
    rows = png_pixels(shot)
    # The fleet's bar: the row with the longest run of the passing colour.
    bar = max(range(len(rows)), key=lambda y: max(runs(rows[y], PASS), default=0))
    whole = sum(counts.values())
    for verdict, colour in (("pass", PASS), ("warn", WARN), ("fail", FAIL)):
        width = max(runs(rows[bar], colour), default=0)
        expected = FLEET_BAR_WIDTH * counts[verdict] / whole
        if abs(width - expected) > 2:
            fail(f"the fleet's bar is {width} px {verdict}, {expected:.0f} expected")
    below = rows[bar + 40:]
    if not any(max(runs(row, FAIL), default=0) > 20 for row in below):
        fail("no bar of the checks that failed below the fleet's bar")
    if not any(max(runs(row, TABLE_HEADER), default=0) > 150 for row in below):
        fail("no table below the fleet's bar")
    print(f"page: the fleet's bar at y {bar} in proportion, the checks' chart and a table")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cardlist")
    parser.add_argument("example")
    parser.add_argument("--seconds", type=float, default=10)
    parser.add_argument("--browser", action="store_true")
    parser.add_argument("--wine")
    arguments = parser.parse_args()
    cardlist = [arguments.cardlist]
    if arguments.wine:
        cardlist[:0] = [str(Path(__file__).resolve().parents[3] / "tools" / "wine-exec"),
                        arguments.wine]
    example = Path(arguments.example).read_text(encoding="utf-8")
    with tempfile.TemporaryDirectory() as temporary:
        work = Path(temporary)
        folder = work / "results"
        folder.mkdir()
        counts, damaged = make_fleet(example, folder)
        errors, csv_data, html = run_rollup(cardlist, folder, work, arguments.seconds)
        check_errors(errors, damaged)
        check_csv(csv_data, counts)
        for verdict, word in (("pass", "pass"), ("warn", "warn"), ("fail", "fail")):
            if f"<b>{counts[verdict]}</b> {word}" not in html:
                fail(f"the page does not count {counts[verdict]} computers that {word}")
        if not arguments.wine:
            check_progress_on_a_terminal(cardlist, folder)
        if arguments.browser:
            check_page(work / "fleet.html", work, counts)
    print("rollup: ok")


if __name__ == "__main__":
    main()
