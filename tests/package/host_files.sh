#!/usr/bin/env bash
# The host's manual page renders cleanly and names every option the host takes; its systemd
# unit passes systemd's own check, and the host started with the unit's options under the
# unit's open-file limit runs; `cmake --install` puts both where man and systemd look.
# usage: host_files.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$(realpath "$1")
build=$(realpath "$2")
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvello-hostfiles.XXXXXX")
host_pid=
trap '[ -n "$host_pid" ] && kill "$host_pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
host="$build/host/tarvello-host"
page="$build/host/tarvello-host.1"
unit="$src/host/tarvello-host.service"

warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man -l: $warnings"
text=$(MANWIDTH=250 man -l "$page" 2>/dev/null)
for option in $("$host" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    grep -qF -- "$option" <<<"$text" || fail "the manual page does not name $option"
done
grep -qF "tarvello $("$host" --version | cut -d' ' -f2)" "$page" || fail "the manual page names another version"

sed "s|^ExecStart=tarvello-host|ExecStart=$host|" "$unit" > "$work/tarvello-host.service"
verify=$(systemd-analyze verify --man=no "$work/tarvello-host.service" 2>&1) || fail "systemd-analyze: $verify"
[ -z "$verify" ] || fail "systemd-analyze: $verify"
files=$(sed -n 's/^LimitNOFILE=//p' "$unit")
read -r -a options <<<"$(sed -n 's/^ExecStart=tarvello-host //p' "$unit")"
prlimit --nofile="$files:$files" "$host" "${options[@]}" --port 0 --data "$work/data" --port-file "$work/port" \
    2>"$work/stderr" &
host_pid=$!
for _ in $(seq 50); do [ -s "$work/port" ] || ! kill -0 "$host_pid" 2>/dev/null && break; sleep 0.1; done
[ -s "$work/port" ] || fail "the host does not start with the unit's LimitNOFILE=$files: $(cat "$work/stderr")"

cmake --install "$build" --prefix "$work/usr" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install"; }
[ -f "$work/usr/share/man/man1/tarvello-host.1.gz" ] || fail "the manual page was not installed"
[ -f "$work/usr/lib/systemd/system/tarvello-host.service" ] || fail "the systemd unit was not installed"

echo "host files: manual page and systemd unit checked and installed"
echo "1 passed, 0 failed"
