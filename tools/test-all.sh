#!/usr/bin/env bash
# Builds everything and runs every test: the platform-free code natively under
# AddressSanitizer and UBSan, then the Windows build under Wine and Xvfb.
# Installs what it needs on a fresh Debian 12 machine (run as root).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-debian.sh
cmake --workflow --preset native-sanitize
cmake --workflow --preset windows
tools/check-no-leftovers build/windows/wine
