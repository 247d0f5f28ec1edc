#!/usr/bin/env bash
# Installs, as root on Debian 12, what building and testing need, when missing:
# the MinGW-w64 cross compilers of both architectures and both thread models,
# g++ with its 32-bit libraries, Wine with its 32-bit half, Xvfb, CMake,
# GoogleTest's sources, clang-format, ImageMagick (screenshots, images),
# rsvg-convert (the logo and icon from their SVG sources), the PCI ID database,
# Mesa's software OpenGL (llvmpipe) of both architectures, which the
# diagnostic's tests run on, Python's jsonschema, which checks the results
# files against their schema, and clang with libFuzzer for the fuzz targets.
#
# This machine's kernel may run no 32-bit x86 code; then qemu-user-static runs
# it, registered here for 32-bit x86 programs (Wine's 32-bit half, the 32-bit
# native tests).
set -euo pipefail

packages=(g++-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-posix
          g++-mingw-w64-i686-win32 wine wine64 wine32:i386 xvfb xauth cmake g++ g++-multilib
          make googletest clang-format imagemagick librsvg2-bin pci.ids zip python3
          python3-jsonschema git libgl1-mesa-dri libgl1:i386 libglx-mesa0:i386
          libgl1-mesa-dri:i386 qemu-user-static clang libfuzzer-14-dev)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Installing: ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# 32-bit x86 programs through qemu, unless the kernel runs them itself.
binfmt=/proc/sys/fs/binfmt_misc
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    [[ -f $binfmt/register ]] || mount -t binfmt_misc binfmt_misc "$binfmt"
    if [[ ! -f $binfmt/qemu-i386 ]]; then
        echo "Registering qemu-i386-static for 32-bit x86 programs"
        # An ELF executable of class 32 and machine 3 (x86); F opens the
        # interpreter now, so it works inside any mount namespace.
        magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
        mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
        echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" >"$binfmt/register"
    fi
    /usr/lib/wine/wine --version >/dev/null ||
        { echo "setup-debian: 32-bit programs still do not run" >&2; exit 1; }
fi
