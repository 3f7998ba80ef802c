#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks it without installing it system wide:
# its contents, lintian, its description, its declared dependencies (apt-get resolves them in a
# dry run), its changelog and copyright file, its manual pages, and that the programs run from a
# scratch root.
# usage: check_deb.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
src=$(realpath "$(dirname "$0")/../..")
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvello-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/tarvello_*.deb)

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
id=org.tarvello.Uploader
for f in ./usr/bin/tarvello ./usr/bin/tarvello-host ./usr/share/applications/$id.desktop \
         ./usr/share/metainfo/$id.metainfo.xml ./usr/share/mime/packages/$id.xml \
         ./usr/share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/$id.png \
         ./usr/share/icons/hicolor/scalable/apps/$id.svg \
         ./usr/share/man/man1/tarvello.1.gz ./usr/share/man/man1/tarvello-host.1.gz \
         ./usr/lib/systemd/system/tarvello-host.service \
         ./usr/share/doc/tarvello/copyright ./usr/share/doc/tarvello/changelog.gz; do
    grep -qx "$f" <<<"$contents" || fail "$f is not in the package"
done

# Debian's own checker: no error and no warning (a missing manual page, changelog or copyright
# file, a unit or a page where Debian does not look, a malformed description ...).
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian"; }
# A summary line and a long description of more than one paragraph.
description=$(dpkg-deb -f "$deb" Description)
[ "$(wc -l <<<"$description")" -ge 5 ] && grep -qx ' \.' <<<"$description" \
    || fail "the package has no long description: $description"

depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6network6 libqt6dbus6 libqt6sql6 libqt6sql6-sqlite libmicrohttpd12 zlib1g qt6-image-formats-plugins libqt6svg6 qt6-wayland; do
    grep -q "$d" <<<"$depends" || fail "Depends lacks $d: $depends"
done
# Every dependency can be had from the archive: apt resolves the package without installing it.
apt-get install -s -qq "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get cannot resolve the package"; }

dpkg-deb -x "$deb" "$work/root"
doc="$work/root/usr/share/doc/tarvello"
version=$(dpkg-deb -f "$deb" Version)
zcat "$doc/changelog.gz" >"$work/changelog"
[ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" = "$version" ] \
    || fail "the changelog's newest entry is not for $version: add one to resources/debian/changelog"
cmp -s "$doc/copyright" "$src/resources/debian/copyright" || fail "the packaged copyright file is another"
for page in "$work"/root/usr/share/man/man1/*.1.gz; do
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man -l $(basename "$page"): $warnings"
done
"$work/root/usr/bin/tarvello-host" --help | grep -q -- --users || fail "the packaged host does not run"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$work/root/usr/bin/tarvello" --version | head -n 1)" = "tarvello $version" ] \
    || fail "the packaged program is not version $version"
ldd "$work/root/usr/bin/tarvello" | grep -q "not found" && fail "the packaged program lacks libraries"

echo "package: $(basename "$deb"), Depends: $depends"
echo "1 passed, 0 failed"
