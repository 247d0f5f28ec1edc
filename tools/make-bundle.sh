#!/usr/bin/env bash
# Builds the release bundle: installs what the build needs, builds the shipped
# files of the 32-bit release (preset windows-x86) and puts them into the folder
# a user unzips (dist/QuarvelSysTest) and its ZIP (dist/QuarvelSysTest.zip),
# whose SHA-256 it prints: a build of the same commit gives the same ZIP.
# Beside it, the support staff's graphics card list tool of the same build
# (dist/cardlist.zip: cardlist.exe with the shipped list, the PCI ID database
# and their notices), which is no part of the user's bundle.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-debian.sh
cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86
cmake --build build/windows-x86 -j2 --target cardlist
tools/pack-bundle build/windows-x86 dist
mapfile -t cardlist_files <build/windows-x86/cardlist/cardlist_files.txt
tools/pack-zip dist cardlist build/windows-x86/cardlist "${cardlist_files[@]}"
echo "Bundle: dist/QuarvelSysTest ($(ls dist/QuarvelSysTest | wc -l) files), dist/QuarvelSysTest.zip"
echo "Graphics card list tool: dist/cardlist.zip"
sha256sum dist/QuarvelSysTest.zip dist/cardlist.zip
