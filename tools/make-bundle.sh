#!/usr/bin/env bash
# Builds the release bundle: installs what the build needs, builds the shipped
# files of the 32-bit release (preset windows-x86) and puts them into the folder
# a user unzips (dist/QuarvelSysTest) and its ZIP (dist/QuarvelSysTest.zip),
# whose SHA-256 it prints: a build of the same commit gives the same ZIP.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-debian.sh
cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86
tools/pack-bundle build/windows-x86 dist
echo "Bundle: dist/QuarvelSysTest ($(ls dist/QuarvelSysTest | wc -l) files), dist/QuarvelSysTest.zip"
sha256sum dist/QuarvelSysTest.zip
