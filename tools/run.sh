#!/usr/bin/env bash
# Builds the release bundle and runs QuarvelSysTest.exe from it under Wine.
# The release is 32-bit: Wine runs it through emulation here, so each of its
# programs takes about a minute to start.
#
#   tools/run.sh [--dpi DPI] [--lang CODE]...
#
# CODE is the code of a language library (en, de, fr, it, es, pt, nl, pl, cs,
# hu, ru, tr, ja, ko, zh-Hans, zh-Hant); the program runs for a user of a
# locale of that language.
#
# With a display (DISPLAY names a reachable X server) the program runs on it,
# in the Wine prefix build/wine-user, for you to use, in the first language
# given.
#
# Without one, a private Xvfb session per language (English, then German,
# unless languages are given) walks through the program: it accepts the
# agreement, lets the checks run, saves a PNG screenshot of each dialog into
# dist/screenshots/<language>/, prints the report and ends the program, its
# helpers and the session. With --dpi the sessions' screens have that DPI (96,
# 120, 144, 192 ...), and the screenshots go to
# dist/screenshots/<language>-<DPI>/.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
    echo "usage: tools/run.sh [--dpi DPI] [--lang CODE]..." >&2
    exit 2
}

# The user locale of a language library's code.
locale_of() {
    case $1 in
        en) echo en_US.UTF-8 ;;
        pt) echo pt_BR.UTF-8 ;;
        cs) echo cs_CZ.UTF-8 ;;
        ja) echo ja_JP.UTF-8 ;;
        ko) echo ko_KR.UTF-8 ;;
        zh-Hans) echo zh_CN.UTF-8 ;;
        zh-Hant) echo zh_TW.UTF-8 ;;
        de | fr | it | es | nl | pl | hu | ru | tr) echo "${1}_${1^^}.UTF-8" ;;
        *) return 1 ;;
    esac
}

dpi=""
languages=()
while [[ $# -gt 0 ]]; do
    case $1 in
        --dpi) dpi=${2:-}; [[ -n $dpi ]] || usage; shift 2 ;;
        --lang)
            locale_of "${2:-}" >/dev/null || { echo "run.sh: no language ${2:-}" >&2; usage; }
            languages+=("$2")
            shift 2
            ;;
        *) usage ;;
    esac
done
[[ ${#languages[@]} -gt 0 ]] || languages=(en de)

tools/make-bundle.sh
bundle=$PWD/dist/QuarvelSysTest

display_reachable() {
    [[ -n ${DISPLAY:-} ]] || return 1
    local number=${DISPLAY#*:}
    number=${number%%.*}
    # A local display has its socket; a remote one is taken as reachable.
    [[ ${DISPLAY%%:*} != "" && ${DISPLAY%%:*} != unix ]] || [[ -S /tmp/.X11-unix/X$number ]]
}

if display_reachable; then
    # The 64-bit loader by its own name (see tools/wine-session).
    export WINEPREFIX=$PWD/build/wine-user WINEDEBUG=-all WINELOADER=/usr/lib/wine/wine64
    if [[ ! -d $WINEPREFIX ]]; then
        WINEDLLOVERRIDES="mscoree,mshtml=" "$WINELOADER" wineboot -i >/dev/null 2>&1
        "$WINELOADER" reg add 'HKCR\.txt' /ve /d txtfile /f >/dev/null 2>&1
    fi
    tools/wine-session link-cjk-font "$WINEPREFIX"
    status=0
    (cd "$bundle" && LC_ALL=$(locale_of "${languages[0]}") "$WINELOADER" QuarvelSysTest.exe) ||
        status=$?
    wineserver -k >/dev/null 2>&1 || true
    echo "QuarvelSysTest.exe ended with exit code $status."
    exit 0
fi

# The walkthrough is a test program of the x86-64 build.
cmake --preset windows >/dev/null
cmake --build --preset windows --target walkthrough
walkthrough=$PWD/build/windows/systest/ui/walkthrough.exe
for language in "${languages[@]}"; do
    locale=$(locale_of "$language")
    shots=$PWD/dist/screenshots/$language${dpi:+-$dpi}
    rm -rf "$shots"
    mkdir -p "$shots"
    echo "== QuarvelSysTest.exe for a user of locale $locale${dpi:+ at $dpi DPI}"
    tools/wine-session run build/windows/wine --locale "$locale" ${dpi:+--dpi "$dpi"} -- \
        sh -c 'cd "$1" && "$WINELOADER" "$2" "$("$WINELOADER" winepath -w "$1")" "$("$WINELOADER" winepath -w "$3")"' \
        walkthrough "$bundle" "$walkthrough" "$shots"
    for capture in "$shots"/*.bmp; do
        convert "$capture" "${capture%.bmp}.png"
        rm "$capture"
    done
    echo "Screenshots: $(ls "$shots"/*.png | tr '\n' ' ')"
done
tools/check-no-leftovers build/windows/wine
