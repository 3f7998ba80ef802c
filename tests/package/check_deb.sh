#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks it without installing it system wide:
# its contents, its declared dependencies (apt-get resolves them in a dry run), and that the
# programs run from a scratch root.
# usage: check_deb.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvello-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/tarvello_*.deb)

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/tarvello ./usr/bin/tarvello-host ./usr/share/applications/org.tarvello.Uploader.desktop \
         ./usr/share/metainfo/org.tarvello.Uploader.metainfo.xml \
         ./usr/share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/org.tarvello.Uploader.png \
         ./usr/share/icons/hicolor/scalable/apps/org.tarvello.Uploader.svg; do
    grep -qx "$f" <<<"$contents" || fail "$f is not in the package"
done

depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6network6 libqt6dbus6 libqt6sql6 libqt6sql6-sqlite libmicrohttpd12 zlib1g qt6-image-formats-plugins libqt6svg6 qt6-wayland; do
    grep -q "$d" <<<"$depends" || fail "Depends lacks $d: $depends"
done
# Every dependency can be had from the archive: apt resolves the package without installing it.
apt-get install -s -qq "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get cannot resolve the package"; }

dpkg-deb -x "$deb" "$work/root"
"$work/root/usr/bin/tarvello-host" --help | grep -q -- --users || fail "the packaged host does not run"
ldd "$work/root/usr/bin/tarvello" | grep -q "not found" && fail "the packaged program lacks libraries"

echo "package: $(basename "$deb"), Depends: $depends"
echo "1 passed, 0 failed"
