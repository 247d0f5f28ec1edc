#!/usr/bin/env bash
# Builds the release bundle and runs QuarvelSysTest.exe from it under Wine.
# The release is 32-bit: Wine runs it through emulation here, so each of its
# programs takes about a minute to start.
#
#   tools/run.sh [--dpi DPI]
#
# With a display (DISPLAY names a reachable X server) the program runs on it,
# in the Wine prefix build/wine-user, for you to use.
#
# Without one, a private Xvfb session per language (English, then German)
# walks through the program: it accepts the agreement, lets the checks run,
# saves a PNG screenshot of each dialog into dist/screenshots/<language>/,
# prints the report and ends the program, its helpers and the session. With
# --dpi the sessions' screens have that DPI (96, 120, 144, 192 ...), and the
# screenshots go to dist/screenshots/<language>-<DPI>/.
set -euo pipefail
cd "$(dirname "$0")/.."

dpi=""
if [[ ${1:-} == --dpi ]]; then
    dpi=${2:?--dpi needs a value}
    shift 2
fi
[[ $# -eq 0 ]] || { echo "usage: tools/run.sh [--dpi DPI]" >&2; exit 2; }

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
    status=0
    (cd "$bundle" && "$WINELOADER" QuarvelSysTest.exe) || status=$?
    wineserver -k >/dev/null 2>&1 || true
    echo "QuarvelSysTest.exe ended with exit code $status."
    exit 0
fi

# The walkthrough is a test program of the x86-64 build.
cmake --preset windows >/dev/null
cmake --build --preset windows --target walkthrough
walkthrough=$PWD/build/windows/systest/ui/walkthrough.exe
for language in en de; do
    locale=$([[ $language == de ]] && echo de_DE.UTF-8 || echo en_US.UTF-8)
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
