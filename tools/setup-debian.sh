#!/usr/bin/env bash
# Installs, as root on Debian 12, what building and testing need, when missing:
# the MinGW-w64 cross compilers, Wine, Xvfb, CMake, GoogleTest's sources,
# clang-format, ImageMagick (screenshots, images), rsvg-convert (the logo and
# icon from their SVG sources), the PCI ID database, Mesa's software OpenGL
# (llvmpipe), which the diagnostic's tests run on, Python's jsonschema, which
# checks the results files against their schema, and clang with libFuzzer for
# the fuzz targets.
set -euo pipefail

packages=(g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth cmake g++ make googletest
          clang-format imagemagick librsvg2-bin pci.ids zip python3 python3-jsonschema
          libgl1-mesa-dri clang libfuzzer-14-dev)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
