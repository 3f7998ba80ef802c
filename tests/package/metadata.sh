#!/usr/bin/env bash
# The desktop entry and the AppStream metadata pass their validators, and `cmake --install`
# puts them, the icons in every hicolor size and the scalable icon where desktops look.
# usage: metadata.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$(realpath "$1")
build=$(realpath "$2")
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvello-metadata.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$src/resources/tarvello.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$src/resources/tarvello.metainfo.xml" || fail "appstreamcli validate"

cmake --install "$build" --prefix "$work/usr" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install"; }
share="$work/usr/share"
for f in applications/tarvello.desktop metainfo/invalid.tarvello.Uploader.metainfo.xml \
         icons/hicolor/scalable/apps/tarvello.svg; do
    [ -f "$share/$f" ] || fail "$f was not installed"
done
for size in 16 22 24 32 48 64 128 256; do
    icon="$share/icons/hicolor/${size}x${size}/apps/tarvello.png"
    [ -f "$icon" ] || fail "no ${size}x${size} icon"
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "the ${size}x${size} icon has another size"
done
# Custom-uploader files are known to the desktop by their name, and opened with the program.
update-mime-database "$share/mime" >/dev/null 2>&1 || fail "update-mime-database"
grep -q ':application/x-sxcu:\*\.sxcu' "$share/mime/globs2" || fail "*.sxcu is not application/x-sxcu"
grep -q 'application/x-sxcu;' "$share/applications/tarvello.desktop" || fail "the desktop entry does not open *.sxcu"

# The installed tree validates as a whole: the metadata finds its desktop entry and icon.
appstreamcli validate-tree --no-net "$work/usr" >"$work/tree.log" 2>&1 || { cat "$work/tree.log"; fail "appstreamcli validate-tree"; }

echo "metadata: desktop entry and AppStream file valid, installed with 8 icon sizes and the SVG"
echo "1 passed, 0 failed"
