#!/usr/bin/env bash
# Builds everything and runs every test: the platform-free code natively under
# AddressSanitizer and UBSan, each fuzz target for 10 seconds, then the Windows
# build under Wine and Xvfb.
# Installs what it needs on a fresh Debian 12 machine (run as root).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-debian.sh
cmake --workflow --preset native-sanitize
tools/fuzz.sh 10
cmake --workflow --preset windows
tools/check-no-leftovers build/windows/wine
