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

# Every file desktops look up is named after the AppStream ID.
id=org.tarvello.Uploader
# Not even a hint: two main categories, for one, put the program in two menus.
out=$(desktop-file-validate "$src/resources/$id.desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"
grep -qx "Icon=$id" "$src/resources/$id.desktop" || fail "the desktop entry names another icon than $id"
appstreamcli validate --no-net "$src/resources/$id.metainfo.xml" || fail "appstreamcli validate"
grep -q "<id>$id</id>" "$src/resources/$id.metainfo.xml" || fail "the AppStream ID is not $id"

cmake --install "$build" --prefix "$work/usr" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install"; }
share="$work/usr/share"
for f in applications/$id.desktop metainfo/$id.metainfo.xml icons/hicolor/scalable/apps/$id.svg \
         mime/packages/$id.xml; do
    [ -f "$share/$f" ] || fail "$f was not installed"
done
for size in 16 22 24 32 48 64 128 256; do
    icon="$share/icons/hicolor/${size}x${size}/apps/$id.png"
    [ -f "$icon" ] || fail "no ${size}x${size} icon"
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "the ${size}x${size} icon has another size"
done
# Custom-uploader files are known to the desktop by their name, and opened with the program.
update-mime-database "$share/mime" >/dev/null 2>&1 || fail "update-mime-database"
grep -q ':application/x-sxcu:\*\.sxcu' "$share/mime/globs2" || fail "*.sxcu is not application/x-sxcu"
grep -q 'application/x-sxcu;' "$share/applications/$id.desktop" || fail "the desktop entry does not open *.sxcu"

# The installed tree validates as a whole: the metadata finds its desktop entry and icon.
appstreamcli validate-tree --no-net "$work/usr" >"$work/tree.log" 2>&1 || { cat "$work/tree.log"; fail "appstreamcli validate-tree"; }

echo "metadata: desktop entry and AppStream file valid, installed with 8 icon sizes and the SVG"
echo "1 passed, 0 failed"
