#!/usr/bin/env bash
# One program for every key, with the real program on a session bus of its own (offscreen, as
# no picture needs a desktop here): a first `tarvello --add` starts the program; later
# `--add` (files and a folder, from another folder, and as the desktop entry opens files) and
# `--screenshot` act in it and exit at once; what it cannot do comes back as status 1 with the
# reason (a usage error with 2, before anything is asked); a plain `tarvello FILE` still opens a window of its own; with none running,
# `--screenshot` starts the program, which takes it. Auto Upload is on, so the image host shows
# what each window queued. Everything started here is stopped by its process id.
#
# usage: single_program.sh TARVELLO_BIN TARVELLO_HOST_BIN DESKTOP_FILE
set -euo pipefail

tarvello_bin=$(realpath "$1")
host_bin=$(realpath "$2")
desktop_file=$(realpath "$3")

. "$(dirname "$(realpath "$0")")/common.sh"
on_private_bus "$0" "$@"
e2e_begin single
on_failure() { for log in "$work"/*.log; do echo "--- $log"; tail -n 20 "$log"; done >&2; }

mkdir -p "$work/tmp" "$work/config/tarvello" "$work/user/sub" "$work/elsewhere"
printf '[upload]\nauto=true\n' >"$work/config/tarvello/tarvello.conf"
export XDG_CONFIG_HOME="$work/config" TMPDIR="$work/tmp" QT_QPA_PLATFORM=offscreen
start_host
export TARVELLO_HOST="$host"
cd "$work/user"
convert -size 30x20 xc:'#112233' a.png
convert -size 31x21 xc:'#445566' b.png
convert -size 32x22 xc:'#778899' sub/c.png
convert -size 33x23 xc:'#aabbcc' d.png

running() {
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner org.tarvello.Uploader 2>/dev/null | grep -q true
}
stored() { grep -c . "$work/data/index.tsv" 2>/dev/null || true; }
stored_is() { [ "$(stored)" -eq "$1" ]; }
holds() { # holds FILE: the host stored those bytes
    local s
    for s in "$work"/data/*.png; do cmp -s "$s" "$1" && return 0; done
    return 1
}
# A command that acts in the running program answers at once, whatever the program does next.
acts() { # acts STATUS COMMAND...: runs it with a deadline and checks its status
    local want=$1 got=0
    shift
    timeout 10 "$@" >"$work/out.txt" 2>"$work/err.txt" || got=$?
    [ "$got" = "$want" ] || fail "$* exited with $got, not $want: $(cat "$work/err.txt")"
}

# --- none running: --add starts the program ---
"$tarvello_bin" --add a.png >"$work/first.log" 2>&1 &
first=$!
pids+=("$first")
wait_for 10 running || fail "the first program did not take its name on the bus"
wait_for 20 stored_is 1 || fail "the first program did not queue a.png"
holds a.png || fail "the host holds something else than a.png"

# --- later commands act in it: files and a folder, from another folder ---
cd "$work/elsewhere"
acts 0 "$tarvello_bin" --add ../user/b.png ../user/sub
wait_for 20 stored_is 3 || fail "b.png and the folder's c.png did not reach the first program ($(stored) stored)"
holds ../user/b.png && holds ../user/sub/c.png || fail "the host holds other files than b.png and c.png"
kill -0 "$first" || fail "the first program is gone"

# --- as the desktop entry opens a file, and from the menu without one ---
exec_line=$(sed -n 's/^Exec=//p' "$desktop_file" | head -n 1)
[ "$exec_line" = "tarvello --add %F" ] || fail "the desktop entry runs $exec_line"
acts 0 "$tarvello_bin" --add "$work/user/d.png"
wait_for 20 stored_is 4 || fail "d.png did not reach the first program"
acts 0 "$tarvello_bin" --add

# --- a screenshot, and what the program cannot do ---
acts 0 "$tarvello_bin" --screenshot
wait_for 20 stored_is 5 || fail "the screenshot did not reach the first program"
shot=$(ls -t "$work"/data/*.png | head -n 1)
[ "$(identify -format '%wx%h' "$shot")" = 800x800 ] || fail "the screenshot is $(identify -format '%wx%h' "$shot")"
acts 1 "$tarvello_bin" --screenshot --window
grep -q 'cannot do that on this desktop' "$work/err.txt" || fail "--window was refused with: $(cat "$work/err.txt")"
acts 2 "$tarvello_bin" --add gone.png
grep -q 'gone.png does not exist' "$work/err.txt" || fail "a missing file was refused with: $(cat "$work/err.txt")"
acts 2 "$tarvello_bin" --screenshot --delay 61
stored_is 5 || fail "a refused command queued something"

# --- a plain start still opens a window of its own ---
cd "$work/user"
"$tarvello_bin" d.png >"$work/plain.log" 2>&1 &
plain=$!
pids+=("$plain")
wait_for 20 stored_is 6 || fail "a plain start did not queue d.png in a window of its own"
kill -0 "$plain" || fail "the plain start did not stay up with its own window"
kill "$plain" "$first"
wait "$plain" "$first" 2>/dev/null || true
wait_for 10 bash -c '! gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.NameHasOwner org.tarvello.Uploader | grep -q true' || fail "the name outlived the program"

# --- none running: --screenshot starts the program, which takes it ---
"$tarvello_bin" --screenshot >"$work/second.log" 2>&1 &
pids+=($!)
wait_for 10 running || fail "--screenshot did not start a program"
wait_for 20 stored_is 7 || fail "the program started by --screenshot did not take it"

echo "single program: --add starts it, --add and --screenshot act in it, refusals exit 1, a plain start has its own window, --screenshot starts it"
echo "1 passed, 0 failed"
