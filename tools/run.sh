#!/usr/bin/env bash
# Builds the programs and runs what exists of them. Until QuarvelSysTest.exe is
# built, that is the tests of the parts that exist (native and under Wine).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-debian.sh
cmake --workflow --preset native
cmake --workflow --preset windows
tools/check-no-leftovers build/windows/wine
