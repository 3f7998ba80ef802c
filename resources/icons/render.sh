#!/usr/bin/env bash
# Renders the PNGs the program and the package use from the two drawings in this folder.
# Needs rsvg-convert (Debian: librsvg2-bin) and the DejaVu fonts; the PNGs are committed, so
# building does not run this.
set -euo pipefail
cd "$(dirname "$0")"
# The application icon is named after the AppStream ID, as desktops look it up.
icon=org.tarvello.Uploader
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "hicolor/${size}x${size}"
    rsvg-convert -w "$size" -h "$size" "$icon.svg" -o "hicolor/${size}x${size}/$icon.png"
done
rsvg-convert -w 62 -h 62 "$icon.svg" -o ../icon@2x.png
rsvg-convert -w 336 -h 64 banner.svg -o ../zor@2x.png
