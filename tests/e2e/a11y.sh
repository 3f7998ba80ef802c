#!/usr/bin/env bash
# What a screen reader finds in the window: every control, and a waiting, an uploading, a failed
# and an unusable row, read through AT-SPI and checked against the table in a11y_check.py. Runs
# on Xvfb with a session bus and an accessibility bus of its own, against a fake host that fails
# the first upload and holds the next one open.
#
# usage: a11y.sh TARVELLO_BIN
set -euo pipefail
[ -n "${E2E_TRACE:-}" ] && set -x

tarvello_bin=$(realpath "$1")
check="$(dirname "$(realpath "$0")")/a11y_check.py"

. "$(dirname "$(realpath "$0")")/common.sh"
on_private_bus "$0" "$@"
e2e_begin a11y

start_x 1280x1024
start_atspi

start fakehost /usr/bin/python3 "$check" host "$work/port"
wait_for 10 test -s "$work/port" || fail "the fake host did not start"
host="127.0.0.1:$(cat "$work/port")"

mkdir -p "$work/tmp" "$work/user"
cd "$work/user"
convert -size 40x30 xc:'#2a7de1' waiting.png
convert -size 40x30 xc:'#e12a7d' failing.png
convert -size 40x30 xc:'#7de12a' holding.png
printf 'not a picture\n' >unusable.png
start_program waiting.png failing.png holding.png unusable.png
# Maximised, the table shows all four rows, so that a click on a row's cell lands on it.
wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz
tall() { [ "$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^HEIGHT=//p')" -gt 900 ]; }
wait_for 10 tall || fail "the window was not maximised"

/usr/bin/python3 "$check" check || fail "the accessibility tree is not as expected"
