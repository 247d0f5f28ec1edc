#!/usr/bin/env bash
# Renders the program's icon and logo from their SVG sources into the files the
# resource script includes. The results are committed; run this after changing
# an SVG (needs rsvg-convert from librsvg2-bin and ImageMagick's convert).
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 16 and 32 pixels have a drawing of their own; 48 and 256 scale the full one.
rsvg-convert -w 16 -h 16 app_icon_small.svg -o "$work/16.png"
rsvg-convert -w 32 -h 32 app_icon_small.svg -o "$work/32.png"
rsvg-convert -w 48 -h 48 app_icon.svg -o "$work/48.png"
rsvg-convert -w 256 -h 256 app_icon.svg -o "$work/256.png"
convert "$work/16.png" "$work/32.png" "$work/48.png" "$work/256.png" app.ico

# The logo at 100 % and for screens of 120, 144 and 192 DPI.
for scale in 100 125 150 200; do
    name=logo_$scale
    [[ $scale == 100 ]] && name=logo
    rsvg-convert --zoom "$(awk "BEGIN { print $scale / 100 }")" logo.svg -o "$work/$name.png"
    convert "$work/$name.png" -background white -alpha remove -alpha off "BMP3:$name.bmp"
done
