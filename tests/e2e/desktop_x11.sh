#!/usr/bin/env bash
# The real program on X11 as a desktop program: --help and --version without a display; on a
# 1280 x 600 screen with openbox the window fits, keeps itself out of its own screenshot, and
# comes back at its place with Auto Upload after a restart ("--" queues a file named --help);
# on a 2560 x 1600 screen at scale 2 the screenshot holds the physical pixels; a region asked for
# by `tarvello --screenshot --region` is called off, then dragged and uploaded pixel for pixel,
# and the window comes back where it was. Starts its own Xvfb servers, openbox, image host and
# programs, and stops each by its process id.
#
# usage: desktop_x11.sh TARVELLO_BIN TARVELLO_HOST_BIN COLOURWINDOW_BIN ARTIFACT_DIR
set -euo pipefail

tarvello_bin=$(realpath "$1")
host_bin=$(realpath "$2")
colour_bin=$(realpath "$3")
mkdir -p "$4"
artifacts=$(realpath "$4")

. "$(dirname "$(realpath "$0")")/common.sh"
on_private_bus "$0" "$@"
e2e_begin x11
on_failure() {
    [ -n "${DISPLAY:-}" ] && import -window root "$artifacts/x11-failure.png" 2>/dev/null
    tail -n 20 "$work/program.log" >&2 2>/dev/null
}

# --- no display at all: --help and --version answer and exit ---
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$tarvello_bin" --help) || fail "--help exited with $?"
grep -q '^Usage: tarvello \[options\] \[images...\]' <<<"$out" || fail "--help printed: $out"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$tarvello_bin" --version) || fail "--version exited with $?"
# The program's version, then the version line its window shows, so that a report names both.
[ "$out" = "tarvello 3.0.0
Tarvello uploader - images in, links out - V3.0c" ] || fail "--version printed: $out"
QT_QPA_PLATFORM=offscreen "$tarvello_bin" --no-such-option >/dev/null 2>"$work/bad.txt" && fail "an unknown option was taken"
grep -q 'no-such-option' "$work/bad.txt" || fail "an unknown option was not named"


mkdir -p "$work/tmp" "$work/user" "$work/config"
start_host
export XDG_CONFIG_HOME="$work/config"
unset WAYLAND_DISPLAY XDG_SESSION_TYPE TARVELLO_SCREENSHOT

client() { # x y w h of the window's own area (xdotool counts the title bar twice under openbox)
    xwininfo -id "${1:-$window}" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^  Width/ {w=$NF} /^  Height/ {h=$NF} END {print x, y, w, h}'
}
geometry() { # x y w h of the window's frame (or another's), decorations included
    local x y w h l r t b
    read -r x y w h < <(client "${1:-$window}")
    read -r l r t b < <(xprop -id "${1:-$window}" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}
screenshot_taken() { # the newest temporary PNG, once it is whole
    local f
    f=$(ls -t "$work"/tmp/*.png 2>/dev/null | head -n 1)
    [ -n "$f" ] && identify "$f" >/dev/null 2>&1
}

# --- a 1280 x 600 screen: the window fits, and is not in its own screenshot ---
start_x 1280x600
colour='#1f9d55'
"$colour_bin" "$colour" 1280x600 >"$work/colour.log" 2>&1 &
pids+=($!)
timeout 10 xdotool search --sync --onlyvisible --name '^colour$' >/dev/null || fail "no colour window"
cd "$work/user"
start_program
read -r fx fy fw fh < <(geometry)
[ "$fx" -ge 0 ] && [ "$fy" -ge 0 ] && [ $((fx + fw)) -le 1280 ] && [ $((fy + fh)) -le 600 ] \
    || fail "the window ($fw x $fh at $fx,$fy with its frame) does not fit 1280 x 600"
import -window root "$artifacts/x11-small-screen.png"

key Tab space                        # Screenshot
wait_for 10 screenshot_taken || fail "no screenshot"
timeout 10 xdotool search --sync --onlyvisible --name '^Tarvello uploader$' >/dev/null || fail "the window did not come back"
shot=$(ls -t "$work"/tmp/*.png | head -n 1)
[ "$(identify -format '%wx%h' "$shot")" = 1280x600 ] || fail "the screenshot is $(identify -format '%wx%h' "$shot")"
read -r x y w h < <(client)
inside=$(convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage -alpha off \
    -fill white -opaque "$colour" -fill black +opaque white -format '%[fx:mean]' info:)
awk -v s="$inside" 'BEGIN { exit !(s >= 0.99) }' || fail "the window is in its own screenshot ($inside of its place is the desktop)"

# --- its place and Auto Upload come back after a restart ---
key Tab Tab Tab Tab Tab Tab space     # Auto Upload: Clipboard, the login's three, the table, then Auto Upload
# The move reaches the program before the close does: X delivers both in the order they happened.
xdotool windowmove --sync "$window" 300 24
read -r before < <(geometry | cut -d' ' -f1-3)
close_program
grep -q '^auto=true' "$work/config/tarvello/tarvello.conf" || fail "Auto Upload was not kept: $(cat "$work/config/tarvello/tarvello.conf")"

# A file named like an option is still an image after "--".
convert -size 50x40 xc:'#aa3311' png:help.tmp && mv -- help.tmp --help
start_program -- --help
read -r after < <(geometry | cut -d' ' -f1-3)
[ "$after" = "$before" ] || fail "the window came back at $after, not at $before"
wait_for 20 test -s "$work/data/index.tsv" || fail "Auto Upload did not send the --help image"
stored=$(ls "$work"/data/*.png | head -n 1)
cmp -s "$stored" -- "--help" || fail "the host stored something else than the --help file"
import -window root "$artifacts/x11-restarted.png"
close_program

# --- a 2560 x 1600 screen at scale 2: the screenshot holds the physical pixels ---
start_x 2560x1600
rm -f "$work"/tmp/*.png
QT_SCALE_FACTOR=2 start_program
key Tab space
wait_for 10 screenshot_taken || fail "no screenshot at scale 2"
shot=$(ls -t "$work"/tmp/*.png | head -n 1)
[ "$(identify -format '%wx%h' "$shot")" = 2560x1600 ] || fail "at scale 2 the screenshot is $(identify -format '%wx%h' "$shot")"
timeout 10 xdotool search --sync --onlyvisible --name '^Tarvello uploader$' >/dev/null || fail "the window did not come back"
wait_for 10 active_is "$window" || fail "the window did not come back to the front"
import -window "$window" "$artifacts/x11-scale2-window.png"
close_program

# --- a region, asked for by a second process as a desktop key asks: the exact pixels ---
start_x 1280x720
# A desktop whose every pixel differs from its neighbours, as the root window's background.
convert -depth 8 -seed 7 -size 1280x720 plasma:fractal "$work/desktop.png"
display -window root "$work/desktop.png" || true # sets the background, yet exits with 1
import -window root "$work/root.png"
[ "$(compare -metric AE "$work/root.png" "$work/desktop.png" null: 2>&1)" = 0 ] || fail "the desktop background was not set"
rm -f "$work"/tmp/*.png
stored_before=$(grep -c . "$work/data/index.tsv")
stored_more() { [ "$(grep -c . "$work/data/index.tsv")" -gt "$stored_before" ]; }
start_program
xdotool windowmove --sync "$window" 700 300
read -r before < <(geometry | cut -d' ' -f1-2)
overlay_up() { xdotool search --onlyvisible --name '^Choose what to capture$' >/dev/null 2>&1; }
overlay_gone() { ! overlay_up; }
program_shown() { xdotool search --onlyvisible --name '^Tarvello uploader$' >/dev/null 2>&1; }

# Called off with Esc: nothing is added, and the window is back where it was.
"$tarvello_bin" --screenshot --region || fail "--screenshot --region exited with $?"
wait_for 10 overlay_up || fail "no overlay for the region"
program_shown && fail "the window stayed on the screen during the capture"
key Escape
wait_for 10 overlay_gone || fail "Esc did not close the overlay"
wait_for 10 program_shown || fail "the window did not come back after Esc"
[ -z "$(ls "$work"/tmp/*.png 2>/dev/null)" ] || fail "a cancelled capture left a file"

# Dragged, nudged one pixel right with the keyboard, taken with Enter.
"$tarvello_bin" --screenshot --region || fail "--screenshot --region exited with $?"
wait_for 10 overlay_up || fail "no overlay for the region"
# A second capture while one runs is refused, with the reason.
"$tarvello_bin" --screenshot 2>"$work/busy.txt" && fail "a second capture was taken on"
grep -q 'busy' "$work/busy.txt" || fail "the second capture was refused with: $(cat "$work/busy.txt")"
xdotool mousemove 100 120 mousedown 1 mousemove 200 170 mousemove 300 220 mouseup 1
key Right Return
wait_for 20 stored_more || fail "the region was not queued and uploaded"
wait_for 10 program_shown || fail "the window did not come back after the region"
read -r after < <(geometry | cut -d' ' -f1-2)
[ "$after" = "$before" ] || fail "the window came back at $after, not at $before"
stored=$(ls -t "$work"/data/*.png | head -n 1)
convert "$work/desktop.png" -crop 200x100+101+120 +repage "$work/region.png"
[ "$(identify -format '%wx%h' "$stored")" = 200x100 ] || fail "the region is $(identify -format '%wx%h' "$stored")"
differ=$(compare -metric AE "$stored" "$work/region.png" null: 2>&1) || true
[ "$differ" = 0 ] || fail "$differ pixels of the uploaded region differ from the desktop's"
import -window root "$artifacts/x11-region-after.png"

# A window, clicked on the frozen desktop: its frame, title bar included.
"$colour_bin" "$colour" 300x200 >"$work/colour2.log" 2>&1 &
pids+=($!)
picked=$(timeout 10 xdotool search --sync --onlyvisible --name '^colour$' | head -n 1)
[ -n "$picked" ] || fail "no colour window"
xdotool windowmove --sync "$picked" 150 250
read -r px py pw ph < <(geometry "$picked")
stored_before=$(grep -c . "$work/data/index.tsv")
"$tarvello_bin" --screenshot --window || fail "--screenshot --window exited with $?"
wait_for 10 overlay_up || fail "no overlay for the window"
xdotool mousemove $((px + pw / 2)) $((py + ph / 2)) click 1
wait_for 20 stored_more || fail "the window was not queued and uploaded"
stored=$(ls -t "$work"/data/*.png | head -n 1)
[ "$(identify -format '%wx%h' "$stored")" = "${pw}x${ph}" ] || fail "the window's picture is $(identify -format '%wx%h' "$stored"), its frame ${pw}x${ph}"
[ "$(convert "$stored" -depth 8 -format "%[hex:p{$((pw / 2)),$((ph / 2))}]" info:)" = "$(tr a-f A-F <<<"${colour#\#}")" ] \
    || fail "the window's picture does not show the window"
close_program

echo "desktop x11: help and version without display; fits 1280x600; not in its own screenshot; place and Auto Upload kept; -- --help queued; 2560x1600 at scale 2; a region from a second process, pixel for pixel, the window back in its place; a window by its frame"
echo "1 passed, 0 failed"
