#!/usr/bin/env bash
# Builds the release bundle: installs what the build needs, builds the Windows
# programs and puts the shipped files into the folder a user unzips
# (dist/QuarvelSysTest) and its ZIP (dist/QuarvelSysTest.zip).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-debian.sh
cmake --preset windows >/dev/null
cmake --build --preset windows
build=build/windows
bin=$build/bin

# The build's list of the shipped files (QST_SHIPPED_FILES in cmake/Testing.cmake).
list=$build/shipped_files.txt
[[ -f $list ]] || { echo "make-bundle: $list is missing; configure and build first" >&2; exit 1; }
mapfile -t files < "$list"

bundle=dist/QuarvelSysTest
rm -rf "$bundle" dist/QuarvelSysTest.zip
mkdir -p "$bundle"
for file in "${files[@]}"; do
    [[ -f $bin/$file ]] || { echo "make-bundle: $bin/$file is missing; build first" >&2; exit 1; }
    cp "$bin/$file" "$bundle/"
done
(cd dist && zip -q -X -r QuarvelSysTest.zip QuarvelSysTest)
echo "Bundle: $bundle ($(ls "$bundle" | wc -l) files), dist/QuarvelSysTest.zip"
