#!/usr/bin/env bash
# Installs, as root on Debian 12, what building and testing need, when missing:
# the MinGW-w64 cross compilers of both architectures and both thread models,
# g++ with its 32-bit libraries, Wine with its 32-bit half, Xvfb, CMake,
# GoogleTest's sources, clang-format, ImageMagick (screenshots, images),
# rsvg-convert (the logo and icon from their SVG sources), the PCI ID database,
# Mesa's software OpenGL (llvmpipe) of both architectures, which the
# diagnostic's tests run on, Python's jsonschema, which checks the results
# files against their schema, clang with libFuzzer for the fuzz targets, and a
# font with Chinese, Japanese and Korean glyphs, which Wine's dialogs draw
# those languages in (tools/wine-session links it to the dialog font), and
# Chromium, whose headless screenshot checks the fleet roll-up's page.
#
# A package mirror caught mid-sync is common: `apt-get update` is tried again
# after a pause that grows, and then the set-up goes on with the indexes apt
# has. With one index missing, the two halves of a multi-arch library may come
# from different suites (the native half from the security suite, the i386
# half from the main suite) and apt reports "held broken packages"; then the
# native packages are installed first and the i386 set after them, each shared
# library pinned to a version that both halves have, as apt lists them.
#
# This machine's kernel may run no 32-bit x86 code; then qemu-user-static runs
# it, registered here for 32-bit x86 programs (Wine's 32-bit half, the 32-bit
# native tests).
#
# For its tests: QST_APT_RETRY_PAUSES (the pauses between tries of
# `apt-get update`, in seconds) and QST_WINE32_LOADER (the program whose
# `--version` tells that 32-bit programs run).
set -euo pipefail

packages=(g++-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-posix
          g++-mingw-w64-i686-win32 wine wine64 wine32:i386 xvfb xauth cmake g++ g++-multilib
          make googletest clang-format imagemagick librsvg2-bin pci.ids zip unzip python3
          python3-jsonschema git libgl1-mesa-dri libgl1:i386 libglx-mesa0:i386
          libgl1-mesa-dri:i386 qemu-user-static clang libfuzzer-14-dev fonts-wqy-microhei
          osslsigncode openssl chromium)
read -r -a update_pauses <<<"${QST_APT_RETRY_PAUSES-15 30 60}"
wine32_loader=${QST_WINE32_LOADER:-/usr/lib/wine/wine}

say() { echo "setup-debian: $*"; }
die() {
    echo "setup-debian: $*" >&2
    exit 1
}

apt_log=$(mktemp)
trap 'rm -f "$apt_log"' EXIT

# Prints apt's own error lines of the last apt-get call.
show_apt_errors() { grep -E '^(E|W): |broken|Depends:' "$apt_log" >&2 || cat "$apt_log" >&2; }

update_indexes() {
    local pause
    for pause in "${update_pauses[@]}" last; do
        apt-get update -qq >"$apt_log" 2>&1 && return 0
        [[ $pause == last ]] && break
        say "apt-get update failed (the mirror may be mid-sync); trying again in ${pause} s"
        sleep "$pause"
    done
    local failed
    failed=$(sed -n 's/^E: Failed to fetch \([^ ]*\) *\(.*\)/\1 (\2)/p' "$apt_log" | paste -sd ';' -)
    say "apt-get update still fails for ${failed:-$(grep -m1 '^E: ' "$apt_log" || echo 'an index')};" \
        "going on with the indexes apt has"
}

install() { apt-get install -y -qq --no-install-recommends "$@" >"$apt_log" 2>&1; }

# The i386 packages that `apt-get install` of "$@" would bring in, Multi-Arch:
# same ones only (those whose two halves must have the same version).
foreign_multiarch_same() {
    local closure
    mapfile -t closure < <(apt-cache depends --recurse --no-recommends --no-suggests \
        --no-conflicts --no-breaks --no-replaces --no-enhances "$@" |
        grep -E '^[^ <].*:i386$' | sort -u)
    [[ ${#closure[@]} -gt 0 ]] || return 0
    apt-cache show --no-all-versions "${closure[@]}" |
        awk '/^Package:/ { name = $2 } /^Multi-Arch: same/ { print name }' | sort -u
}

# For each shared library whose installed native half has a version the i386
# candidate does not match, prints the pins that put both halves on one
# version: the installed one when i386 has it, else the newest i386 version
# that the native architecture has too. "unresolved NAME" when there is none.
version_pins() {
    local native=$1
    shift
    local -a names=() installed=()
    mapfile -t names < <(foreign_multiarch_same "$@")
    [[ ${#names[@]} -gt 0 ]] || return 0
    mapfile -t installed < <(dpkg-query -W -f='${db:Status-Abbrev} ${Package} ${Version}\n' \
        "${names[@]/%/:$native}" 2>/dev/null | awk '$1 == "ii" { print $2, $3 }')
    [[ ${#installed[@]} -gt 0 ]] || return 0
    local -a queried=()
    local line
    for line in "${installed[@]}"; do queried+=("${line%% *}" "${line%% *}:i386"); done
    # madison lists each package's versions newest first, the i386 half under
    # the name with ":i386".
    {
        printf 'installed %s\n' "${installed[@]}"
        apt-cache madison "${queried[@]}" | awk -F' *[|] *' '{ print "version", $1, $2 }'
    } | awk '
        $1 == "installed" { order[++count] = $2; have[$2] = $3; next }
        $2 ~ /:i386$/ { name = substr($2, 1, length($2) - 5)
                        if (!(name in newest)) newest[name] = $3
                        foreign[name] = foreign[name] " " $3 " "; next }
        { native[$2] = native[$2] " " $3 " " }
        END {
            for (i = 1; i <= count; i++) {
                name = order[i]
                if (!(name in newest) || newest[name] == have[name]) continue
                if (index(foreign[name], " " have[name] " ")) {
                    print name ":i386=" have[name]; continue
                }
                split(foreign[name], versions, " "); shared = ""
                for (v = 1; (v in versions) && shared == ""; v++)
                    if (index(native[name], " " versions[v] " ")) shared = versions[v]
                if (shared == "") print "unresolved " name
                else print name "=" shared, name ":i386=" shared
            }
        }'
}

install_in_two_steps() {
    local native
    native=$(dpkg --print-architecture)
    local -a first=() second=() pins=()
    local package
    for package in "$@"; do
        if [[ $package == *:i386 ]]; then second+=("$package"); else first+=("$package"); fi
    done
    if [[ ${#first[@]} -gt 0 ]] && ! install "${first[@]}"; then
        show_apt_errors
        die "installing the $native packages failed (above); try 'apt-get update' and run the set-up again"
    fi
    mapfile -t pins < <(version_pins "$native" "${second[@]}" | tr ' ' '\n')
    if [[ ${#pins[@]} -eq 0 || " ${pins[*]} " == *" unresolved "* ]]; then
        install "${second[@]}" && return 0
        show_apt_errors
        die "the i386 packages cannot be installed (above); when the mirror is mid-sync," \
            "run the set-up again later"
    fi
    # The suite the i386 candidates come from: every other package of the set
    # is taken from it too, so that no half wants a version of another suite.
    local suite
    suite=$(apt-cache madison "${second[0]}" | awk -F' *[|] *' 'NR == 1 { split($3, f, " ")
                                                                      sub("/.*", "", f[2])
                                                                      print f[2] }')
    say "installing the i386 packages from the suite ${suite}, both halves of shared" \
        "libraries on one version: ${pins[*]}"
    if ! install -t "$suite" --allow-downgrades "${second[@]}" "${pins[@]}"; then
        show_apt_errors
        die "the i386 packages with those pins failed too (above); run the set-up again later"
    fi
}

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if [[ ${#missing[@]} -gt 0 ]]; then
    say "installing ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    export DEBIAN_FRONTEND=noninteractive
    update_indexes
    if ! install "${missing[@]}"; then
        if ! grep -Eq 'held broken packages|generated breaks' "$apt_log"; then
            show_apt_errors
            die "apt-get install failed (above); check the sources in /etc/apt and the network," \
                "then run the set-up again"
        fi
        say "apt cannot resolve the set at once (held packages): installing the" \
            "native packages first, then the i386 ones"
        install_in_two_steps "${missing[@]}"
    fi
fi

# 32-bit x86 programs through qemu, unless the kernel runs them itself.
binfmt=/proc/sys/fs/binfmt_misc
if ! "$wine32_loader" --version >/dev/null 2>&1; then
    [[ -f $binfmt/register ]] || mount -t binfmt_misc binfmt_misc "$binfmt"
    if [[ ! -f $binfmt/qemu-i386 ]]; then
        say "registering qemu-i386-static for 32-bit x86 programs"
        # An ELF executable of class 32 and machine 3 (x86); F opens the
        # interpreter now, so it works inside any mount namespace.
        magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
        mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
        echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" >"$binfmt/register"
    fi
    "$wine32_loader" --version >/dev/null || die "32-bit programs still do not run"
fi
