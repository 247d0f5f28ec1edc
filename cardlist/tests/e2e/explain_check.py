#!/usr/bin/env python3
"""Compares cardlist's explanation with what the real programs decide.

Runs in a Wine session of its own (tools/wine-session run). For each case it
makes Wine's video adapter agree with its display device as a given card
(the registry recipe of our platform notes), runs QuarvelSysTest.exe -silent
-json in a folder of the shipped files (with the case's graphics card list),
which runs the real Vexmira.exe, and runs cardlist.exe explain --json for
the same adapter, list and OpenGL, typed and from the results file the run
wrote. Vexmira's exit code and QuarvelSysTest's graphics card and driver rows
(key, level, text) must be what explain says, both ways.

    explain_check.py <cardlist.exe> <program-dir>
"""

import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

# Wine's WMI reports this driver date for every adapter (fixed in Wine 8).
WINE_DRIVER_DATE = "20220118"
# Wine's display device, whose hardware id the recipe sets.
DISPLAY_DEVICE = r"HKLM\System\CurrentControlSet\Enum\PCI\VEN_0000&DEV_0000&SUBSYS_00000000&REV_00\00000000"
PROCESS_TIMEOUT = 120

GEFORCE_9500 = {
    "vendor": 0x10DE, "device": 0x0640, "caption": "NVIDIA GeForce 9500 GT",
    "hardware": r"PCI\VEN_10DE&DEV_0640&SUBSYS_00000000&REV_00", "version": "8.17.12.9573",
}
INTEL_HD_4000 = {
    "vendor": 0x8086, "device": 0x0166, "caption": "Intel(R) HD Graphics 4000",
    "hardware": r"PCI\VEN_8086&DEV_0166&SUBSYS_00000000&REV_00", "version": "9.17.10.2867",
}
# Mesa reports OpenGL 4.5; MESA_GL_VERSION_OVERRIDE in the Unix environment of
# QuarvelSysTest.exe reaches the Vexmira.exe it starts (Wine hands a child the
# Unix environment of its parent).
OPENGL_4 = {"explain": ["--opengl", "4.5"], "environment": {}}
OPENGL_2 = {"explain": ["--opengl", "2.1"], "environment": {"MESA_GL_VERSION_OVERRIDE": "2.1"}}
SWITCHABLE = {"explain": ["--opengl3-switchable"], "environment": {}}

CASES = [
    ("the shipped list, OpenGL 4", GEFORCE_9500, OPENGL_4, None),
    ("OpenGL 4, a card the list names NG", GEFORCE_9500, OPENGL_4,
     "GeForce 9500 GT,295.73,20120120,NG"),
    ("OpenGL 4, a card the list does not name", GEFORCE_9500, OPENGL_4,
     "Quadro FX 580,276.42,20110712,GL"),
    ("the shipped list, switchable graphics", INTEL_HD_4000, SWITCHABLE, None),
    ("the shipped list, full check", GEFORCE_9500, OPENGL_2, None),
    ("driver older than listed", GEFORCE_9500, OPENGL_2, "GeForce 9500 GT,295.73,20250101,GD"),
    ("not supported", GEFORCE_9500, OPENGL_2, "GeForce 9500 GT,295.73,20120120,NG"),
    ("listed twice", GEFORCE_9500, OPENGL_2,
     "GeForce 9500 GT,285.62,20111024,GD\r\nGeForce 9500,285.62,20111024,NG"),
    ("a CD line wants a newer driver", GEFORCE_9500, OPENGL_4,
     r"pci\ven_10de&dev_0640,295.73,20250101,CD"),
]


def fail(message):
    print(f"explain_check: {message}", file=sys.stderr)
    sys.exit(1)


def wine(arguments, cwd=None, environment=None):
    command = [os.environ["WINELOADER"]] + arguments
    return subprocess.run(command, cwd=cwd, env=dict(os.environ, **(environment or {})),
                          stdin=subprocess.DEVNULL, capture_output=True,
                          timeout=PROCESS_TIMEOUT)


def reg(arguments):
    result = wine(["reg"] + arguments + ["/f"])
    if result.returncode != 0:
        fail(f"reg {' '.join(arguments)}: {result.returncode}")


def make_adapter_agree(card):
    direct3d = r"HKCU\Software\Wine\Direct3D"
    reg(["add", direct3d, "/v", "VideoPciVendorID", "/t", "REG_DWORD", "/d", str(card["vendor"])])
    reg(["add", direct3d, "/v", "VideoPciDeviceID", "/t", "REG_DWORD", "/d", str(card["device"])])
    reg(["add", direct3d, "/v", "VideoMemorySize", "/t", "REG_SZ", "/d", "512"])
    reg(["add", DISPLAY_DEVICE, "/v", "HardwareID", "/t", "REG_MULTI_SZ", "/d", card["hardware"]])
    query = wine(["reg", "query", DISPLAY_DEVICE + r"\Device Parameters", "/v", "VideoID"])
    video_id = re.search(r"\{[0-9A-Fa-f-]+\}", query.stdout.decode("utf-8", "replace"))
    if not video_id:
        fail("the display device names no VideoID")
    reg(["add", rf"HKLM\System\CurrentControlSet\Control\Video\{video_id.group(0)}\0000",
         "/v", "DriverVersion", "/t", "REG_SZ", "/d", card["version"]])


def program_folder(program_dir, folder, entries):
    for name in (program_dir.parent / "shipped_files.txt").read_text().split():
        shutil.copy2(program_dir / name, folder / name)
    if entries is not None:
        (folder / "GraphicsCardGBList.txt").write_bytes(
            f"# graphics cards of the test\r\n{entries}\r\n".encode("ascii"))


def real_programs(folder, gl):
    wine([str(folder / "QuarvelSysTest.exe"), "-silent", "-acceptagreement",
          "-report", "r.txt", "-json", "r.json"], cwd=folder, environment=gl["environment"])
    results = json.loads((folder / "r.json").read_bytes().decode("utf-8"))
    rows = [(check["key"], check["level"], check["text"]) for check in results["checks"]
            if check["key"] in ("graphics-card", "graphics-driver")]
    memory = [check["text"] for check in results["checks"] if check["key"] == "graphics-memory"]
    return results["diagnosticExitCode"], rows, memory


def explained(cardlist, folder, card, gl):
    pnp = card["hardware"] + r"\0&DEADBEEF&0&DEAD"
    result = wine([str(cardlist), "explain", "--list", "GraphicsCardGBList.txt",
                   "--caption", card["caption"], "--pnp", pnp,
                   "--driver-version", card["version"], "--driver-date", WINE_DRIVER_DATE,
                   "--json"] + gl["explain"], cwd=folder)
    if result.returncode != 0:
        fail(f"cardlist explain: {result.returncode} {result.stderr.decode('utf-8', 'replace')}")
    explanation = json.loads(result.stdout.decode("utf-8"))
    rows = [(row["key"], row["level"], row["reportText"])
            for row in explanation["quarvelSysTest"]["rows"]]
    return explanation["vexmira"]["exitCode"], rows


def explained_from_results(cardlist, folder, gl):
    """What explain says from the results file the real program wrote."""
    result = wine([str(cardlist), "explain", "--results", "r.json", "--list",
                   "GraphicsCardGBList.txt", "--json"] + gl["explain"], cwd=folder)
    if result.returncode != 0:
        fail(f"cardlist explain --results: {result.returncode} "
             f"{result.stderr.decode('utf-8', 'replace')}")
    explanation = json.loads(result.stdout.decode("utf-8"))
    rows = [(row["key"], row["level"], row["reportText"])
            for row in explanation["quarvelSysTest"]["rows"]
            if row["key"] in ("graphics-card", "graphics-driver")]
    return explanation["vexmira"]["exitCode"], rows


def main():
    if len(sys.argv) != 3:
        fail(__doc__.strip().splitlines()[-1].strip())
    cardlist, program_dir = (Path(argument).resolve() for argument in sys.argv[1:])
    exit_codes = set()
    for description, card, gl, entries in CASES:
        make_adapter_agree(card)
        with tempfile.TemporaryDirectory(prefix="cardlist_e2e_") as temp:
            folder = Path(temp)
            program_folder(program_dir, folder, entries)
            exit_code, rows, memory = real_programs(folder, gl)
            if not memory or card["caption"] not in memory[0]:
                fail(f"{description}: Wine's adapter is not {card['caption']}: {memory}")
            expected_exit_code, expected_rows = explained(cardlist, folder, card, gl)
            from_results = explained_from_results(cardlist, folder, gl)
        print(f"{description}: Vexmira {exit_code}, rows {rows}")
        if exit_code != expected_exit_code:
            fail(f"{description}: Vexmira.exe gave {exit_code}, explain says {expected_exit_code}")
        if rows != expected_rows:
            fail(f"{description}: QuarvelSysTest shows {rows}, explain says {expected_rows}")
        if from_results != (exit_code, rows):
            fail(f"{description}: explain --results says {from_results}")
        exit_codes.add(exit_code)
    # The cases reach each verdict the list can give.
    if exit_codes != {0, 2, 3, 4}:
        fail(f"the cases gave the exit codes {sorted(exit_codes)} only")


if __name__ == "__main__":
    main()
