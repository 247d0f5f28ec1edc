#!/usr/bin/env python3
"""Checks the results file of a real silent run against its schema.

Runs QuarvelSysTest.exe -silent -acceptagreement -report r.txt -json r.json
under Wine in a folder of the shipped files, then checks that r.json is UTF-8
without a byte order mark, is valid against docs/results.schema.json, names
the rows of r.txt in their order with their levels, and that the exit code is
the overall level. The example beside the schema must be valid too.

    results_json_check.py <wine-exec> <session-dir> <program-dir> <schema> <example>
"""

import json
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

import jsonschema

UTF8_BOM = b"\xef\xbb\xbf"


def fail(message):
    print(f"results_json_check: {message}", file=sys.stderr)
    sys.exit(1)


def validate(document, schema, what):
    validator = jsonschema.Draft202012Validator(
        schema, format_checker=jsonschema.Draft202012Validator.FORMAT_CHECKER)
    errors = sorted(validator.iter_errors(document), key=lambda error: list(error.path))
    for error in errors:
        print(f"{what}: {list(error.path)}: {error.message}", file=sys.stderr)
    if errors:
        fail(f"{what} does not match the schema")


def run_silently(wine_exec, session, program_dir, folder):
    shipped = (program_dir.parent / "shipped_files.txt").read_text().split()
    for name in shipped:
        shutil.copy2(program_dir / name, folder / name)
    command = [str(wine_exec), str(session), str(folder / "QuarvelSysTest.exe"), "-silent",
               "-acceptagreement", "-report", "r.txt", "-json", "r.json"]
    return subprocess.run(command, cwd=folder, stdout=subprocess.DEVNULL, timeout=120).returncode


def main():
    if len(sys.argv) != 6:
        fail(__doc__.strip().splitlines()[-1].strip())
    wine_exec, session, program_dir, schema_path, example_path = (
        Path(argument).resolve() for argument in sys.argv[1:])
    schema = json.loads(schema_path.read_text(encoding="utf-8"))
    jsonschema.Draft202012Validator.check_schema(schema)
    validate(json.loads(example_path.read_text(encoding="utf-8")), schema, example_path.name)

    with tempfile.TemporaryDirectory(prefix="qst_results_") as temp:
        folder = Path(temp)
        exit_code = run_silently(wine_exec, session, program_dir, folder)
        raw = (folder / "r.json").read_bytes()
        report = (folder / "r.txt").read_bytes()

    if raw.startswith(UTF8_BOM):
        fail("r.json starts with a byte order mark")
    results = json.loads(raw.decode("utf-8"))  # strict: fails on invalid UTF-8
    validate(results, schema, "r.json")

    if exit_code != results["overall"]["level"]:
        fail(f"exit code {exit_code}, overall level {results['overall']['level']}")

    # The report: meta line, one line per check (status word, then text), summary.
    lines = report.decode("utf-8-sig").split("\r\n")
    if lines[-1] != "":
        fail("the report does not end with CR LF")
    rows, summary = lines[1:-2], lines[-2]
    checks = results["checks"]
    if len(rows) != len(checks):
        fail(f"{len(rows)} report rows, {len(checks)} checks")
    for row, check in zip(rows, checks):
        if not (row.startswith(check["status"]) and row.endswith(check["text"])):
            fail(f"check {check['key']} does not read like its report line {row!r}")
    overall = results["overall"]
    if not (summary.startswith(overall["status"]) and summary.endswith(overall["summary"])):
        fail(f"the overall verdict does not read like the summary line {summary!r}")
    if min([check["level"] for check in checks] + [5]) != overall["level"]:
        fail("the overall level is not the lowest level of the checks")
    print(f"r.json: {len(checks)} checks, overall level {overall['level']}")


if __name__ == "__main__":
    main()
