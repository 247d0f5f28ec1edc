#!/usr/bin/env bash
# Builds everything and runs every test: the platform-free code natively under
# AddressSanitizer and UBSan and as 32-bit code, each fuzz target for 10
# seconds, then the Windows builds under Wine and Xvfb (the x86-64 test build
# with its tests and, in its 32-bit lane, the x86 release), then the release
# bundle, which must come out byte for byte as the lane's x86 build did in its
# own folder, and a copy of it signed with a throw-away certificate.
# Installs what it needs on a fresh Debian 12 machine (run as root).
set -euo pipefail
cd "$(dirname "$0")/.."

# The set-up's own decisions first, against a fake apt: no network needed.
tools/tests/setup-debian-test
tools/setup-debian.sh

# The Wine prefix template takes about two minutes, its 32-bit half running
# under emulation: it is made while the builds run. The tests' session waits
# for it; this script waits for it before it ends, whatever happens.
state=build/windows/wine
mkdir -p "$state"
tools/wine-session template "$state" >build/wine-template.log 2>&1 &
template=$!
trap 'wait $template 2>/dev/null || true' EXIT

# Each step says how long it took, so a slow one shows where the time goes.
step() {
    local began=$SECONDS
    "$@"
    printf 'test-all: %s took %dm%02ds\n' "$*" $(((SECONDS - began) / 60)) $(((SECONDS - began) % 60))
}

step cmake --workflow --preset native-sanitize
step cmake --workflow --preset native-x86
step tools/fuzz.sh 10
step cmake --preset windows
step cmake --build --preset windows
wait $template || { cat build/wine-template.log >&2; exit 1; }
step ctest --preset windows
step tools/make-bundle.sh
step tools/tests/signing-test build/windows-x86
step tools/check-reproducible build/windows/x86 build/windows-x86
tools/check-no-leftovers "$state"
printf 'test-all: everything took %dm%02ds\n' $((SECONDS / 60)) $((SECONDS % 60))
