#!/usr/bin/env python3
"""Checks the results files of real silent runs against their schema.

Two runs under Wine, started from the shell as a deployment script starts
them: one with its output redirected to a file and its files in a folder of
over 300 characters; one through hidden_station_run, in a window station that
is not interactive (session 0's), with its output going to a pipe. Each JSON
must be valid against the schema, read like its report, and its overall level
must be the lowest check level and the exit code; the output must be the
report's rows in UTF-8. Without an interactive desktop the screen and the
graphics are not measured and the run does not pass. Each file of BROKEN must
be found out.

    results_json_check.py <wine-exec> <session-dir> <program-dir> <hidden-station-run> <schema> <example>
"""

import copy
import json
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

import jsonschema

UTF8_BOM = b"\xef\xbb\xbf"
# Two runs of a few seconds each within the test's limit of 240 seconds.
RUN_SECONDS = 100

# The example, broken in ways a collecting script must never be handed.
BROKEN = {
    "a check dropped": lambda r: r["checks"].pop(3),
    "a check twice": lambda r: r["checks"].append(copy.deepcopy(r["checks"][0])),
    "overall level above the lowest": lambda r: r["overall"].update(level=3),
    "a diagnostic exit code of 99": lambda r: r.update(diagnosticExitCode=99),
    "an empty text": lambda r: r["checks"][1].update(text=""),
}


def fail(message):
    print(f"results_json_check: {message}", file=sys.stderr)
    sys.exit(1)


def problems(results, schema, exit_code=None):
    validator = jsonschema.Draft202012Validator(
        schema, format_checker=jsonschema.Draft202012Validator.FORMAT_CHECKER)
    found = [f"{list(error.path)}: {error.message}" for error in validator.iter_errors(results)]
    if not found:
        overall = results["overall"]["level"]
        if min(check["level"] for check in results["checks"]) != overall:
            found.append(f"overall level {overall} is not the lowest level of the checks")
        if exit_code is not None and exit_code != overall:
            found.append(f"exit code {exit_code}, overall level {overall}")
    return found


def expect_valid(results, schema, what, exit_code=None):
    for problem in problems(results, schema, exit_code):
        fail(f"{what}: {problem}")


def run_silently(command, folder, stdout):
    return subprocess.run(command, cwd=folder, stdout=stdout, timeout=RUN_SECONDS)


def check_run(folder, exit_code, output, schema, what, program_folder):
    raw = (folder / "r.json").read_bytes()
    report = (folder / "r.txt").read_bytes().decode("utf-8-sig")
    if raw.startswith(UTF8_BOM):
        fail(f"{what}: r.json starts with a byte order mark")
    results = json.loads(raw.decode("utf-8"))  # strict: fails on invalid UTF-8
    expect_valid(results, schema, what, exit_code)

    # The report: meta line, one line per check (status word, then text),
    # summary, then the adapters Windows reported: a heading, three lines an
    # adapter and the line of Vexmira's log.
    lines = report.split("\r\n")
    if lines[-1] != "":
        fail(f"{what}: the report does not end with CR LF")
    checks = results["checks"]
    rows, summary, facts = lines[1:1 + len(checks)], lines[1 + len(checks)], lines[2 + len(checks):-1]
    graphics = results.get("graphics", {"adapters": [], "diagnosticLog": ""})
    expected_facts = ((1 + 3 * len(graphics["adapters"]) if graphics["adapters"] else 0)
                      + (1 if graphics["diagnosticLog"] and graphics["adapters"] else 0))
    if len(facts) != expected_facts:
        fail(f"{what}: {len(facts)} lines of adapter facts for {len(graphics['adapters'])} adapters")
    log = graphics["diagnosticLog"]
    if (results["diagnosticExitCode"] >= 0) != bool(log) or \
            (log and not (program_folder / log).is_file()):
        fail(f"{what}: Vexmira's log {log!r} is not the one it wrote")
    for adapter, line in zip(graphics["adapters"], facts[1::3]):
        if adapter["caption"] not in line:
            fail(f"{what}: the report's adapter line {line!r} is not {adapter['caption']!r}")
    for row, check in zip(rows, checks):
        if not (row.startswith(check["status"]) and row.endswith(check["text"])):
            fail(f"{what}: check {check['key']} does not read like its report line {row!r}")
    overall = results["overall"]
    if not (summary.startswith(overall["status"]) and summary.endswith(overall["summary"])):
        fail(f"{what}: the overall verdict does not read like the summary line {summary!r}")
    if output.decode("utf-8") != "\r\n".join(rows + [summary, ""]):
        fail(f"{what}: the output is not the report's rows: {output!r}")
    print(f"{what}: {len(checks)} checks, overall level {overall['level']}")
    return {check["key"]: check for check in checks}


def main():
    if len(sys.argv) != 7:
        fail(__doc__.strip().splitlines()[-1].strip())
    wine_exec, session, program_dir, hidden_station_run, schema_path, example_path = (
        Path(argument).resolve() for argument in sys.argv[1:])
    schema = json.loads(schema_path.read_text(encoding="utf-8"))
    jsonschema.Draft202012Validator.check_schema(schema)
    example = json.loads(example_path.read_text(encoding="utf-8"))
    expect_valid(example, schema, example_path.name)
    for name, spoil in BROKEN.items():
        broken = copy.deepcopy(example)
        spoil(broken)
        if not problems(broken, schema):
            fail(f"a results file with {name} passes")

    with tempfile.TemporaryDirectory(prefix="qst_results_") as temp:
        folder = Path(temp)
        for name in (program_dir.parent / "shipped_files.txt").read_text().split():
            shutil.copy2(program_dir / name, folder / name)
        program = "Z:" + str(folder / "QuarvelSysTest.exe").replace("/", "\\")
        deep = folder / ("d" * 150) / ("e" * 150)
        deep.mkdir(parents=True)
        windows_deep = "Z:" + str(deep).replace("/", "\\")
        with open(folder / "out.txt", "wb") as output:
            run = run_silently([str(wine_exec), str(session), program, "-silent",
                                "-acceptagreement", "-report", windows_deep + "\\r.txt",
                                "-json", "\\\\?\\" + windows_deep + "\\r.json"], folder, output)
        check_run(deep, run.returncode, (folder / "out.txt").read_bytes(), schema,
                  f"a run into a folder of {len(windows_deep)} characters", folder)
        if list(deep.glob("*.tmp")):
            fail("a temporary file was left")

        run = run_silently([str(wine_exec), str(session), str(hidden_station_run), program,
                            f'"{program}" -silent -acceptagreement -report r.txt -json r.json'],
                           folder, subprocess.PIPE)
        checks = check_run(folder, run.returncode, run.stdout, schema,
                           "a run without an interactive desktop", folder)
        # Neither the screen nor the graphics measured, no row of the diagnostic.
        measured = sorted(key for key, check in checks.items() if check["measured"])
        if measured != ["disk", "memory", "os", "processor"] or len(checks) != 6 or \
                run.returncode > 2:
            fail(f"without an interactive desktop: {sorted(checks)}, measured {measured}, "
                 f"exit code {run.returncode}")


if __name__ == "__main__":
    main()
