#!/usr/bin/env bash
# The real program on a real Wayland desktop: a headless sway, PipeWire, the screenshot portal
# (xdg-desktop-portal with its wlr and gtk back ends) on a private session bus. A window of a
# known colour is shown, Screenshot is pressed from the keyboard, and the queued PNG must hold
# that colour over the whole screen (the uploader steps aside first) at the screen's size and
# reach the image host byte for byte (Auto Upload is on from the remembered settings). Everything started here is stopped by its process id.
#
# usage: wayland.sh TARVELLO_BIN TARVELLO_HOST_BIN COLOURWINDOW_BIN ARTIFACT_DIR
set -euo pipefail

if [ -z "${TARVELLO_IN_SESSION:-}" ]; then
    # One private bus for the whole desktop; it goes away with this script. It activates nothing
    # (no document portal mounting itself in the runtime folder): every service is started here.
    exec dbus-run-session --config-file="$(dirname "$(realpath "$0")")/session-bus.conf" -- \
        env TARVELLO_IN_SESSION=1 bash "$0" "$@"
fi

tarvello_bin=$(realpath "$1")
host_bin=$(realpath "$2")
colour_bin=$(realpath "$3")
mkdir -p "$4"
artifacts=$(realpath "$4")

. "$(dirname "$(realpath "$0")")/common.sh"
e2e_begin wayland
chmod 755 "$work" # sway runs as nobody and reads its configuration here
on_failure() {
    for log in "$work"/*.log; do echo "--- $log"; tail -n 20 "$log"; done >&2
    [ -n "${WAYLAND_DISPLAY:-}" ] && grim "$artifacts/wayland-failure.png" 2>/dev/null
}

on_bus() {
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner "$1" 2>/dev/null | grep -q true
}


unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman WLR_HEADLESS_OUTPUTS=1
export XDG_CURRENT_DESKTOP=sway XDG_SESSION_TYPE=wayland

# --- the compositor, as nobody (sway refuses to run as root) ---
sway_run="$work/sway-run"
mkdir -m 700 "$sway_run"
chown nobody:nogroup "$sway_run"
cat >"$work/sway.conf" <<CONF
xwayland disable
output HEADLESS-1 resolution 1280x720 position 0,0 bg #202020 solid_color
default_border none
CONF
start sway setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env XDG_RUNTIME_DIR="$sway_run" HOME="$sway_run" sway -c "$work/sway.conf"
wait_for 15 test -S "$sway_run/wayland-1" || fail "sway did not start"
export WAYLAND_DISPLAY="$sway_run/wayland-1"
export SWAYSOCK
wait_for 10 bash -c "ls '$sway_run'/sway-ipc.*.sock >/dev/null 2>&1" || fail "no sway IPC socket"
SWAYSOCK=$(ls "$sway_run"/sway-ipc.*.sock | head -n 1)

# --- PipeWire and the portals, in order, each on the bus before the next ---
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
dbus-update-activation-environment WAYLAND_DISPLAY XDG_RUNTIME_DIR XDG_CURRENT_DESKTOP XDG_SESSION_TYPE
start pipewire pipewire
wait_for 10 test -S "$XDG_RUNTIME_DIR/pipewire-0" || fail "pipewire did not start"
start portal-wlr /usr/libexec/xdg-desktop-portal-wlr
wait_for 10 on_bus org.freedesktop.impl.portal.desktop.wlr || fail "xdg-desktop-portal-wlr is not on the bus"
start portal-gtk env GDK_BACKEND=wayland NO_AT_BRIDGE=1 /usr/libexec/xdg-desktop-portal-gtk
wait_for 10 on_bus org.freedesktop.impl.portal.desktop.gtk || fail "xdg-desktop-portal-gtk is not on the bus"
start portal /usr/libexec/xdg-desktop-portal
wait_for 10 on_bus org.freedesktop.portal.Desktop || fail "xdg-desktop-portal is not on the bus"

# --- the image host ---
mkdir -p "$work/tmp" "$work/user" "$work/config/tarvello"
start_host

# --- a window of a known colour, then the program, both on the Wayland platform ---
colour='#1f9d55'
start colour "$colour_bin" "$colour" 600x400
wait_for 10 bash -c "swaymsg -t get_tree | grep -q '\"name\": \"colour\"'" || fail "no colour window"
# Auto Upload comes from the remembered settings, as a user who ticked it last time has it.
printf '[upload]\nauto=true\n' >"$work/config/tarvello/tarvello.conf"
cd "$work/user"
TMPDIR="$work/tmp" XDG_CONFIG_HOME="$work/config" TARVELLO_HOST="$host" \
    "$tarvello_bin" >"$work/program.log" 2>&1 &
program_pid=$!
pids+=("$program_pid")
wait_for 15 bash -c "swaymsg -t get_tree | grep -q '\"name\": \"Tarvello uploader\"'" || fail "no window"
grep -q libqwayland "/proc/$program_pid/maps" || fail "the program did not run on the Wayland platform"

# Focus starts on Browse: Tab to Screenshot, Space to press it. The seat has no keyboard until
# wtype brings its virtual one, so it waits for the program to take that keyboard first.
wtype -s 1500 -k Tab -s 300 -k space 2>"$work/wtype.log" || fail "wtype"

# The row is added once its PNG is written, and Auto Upload sends it at once.
wait_for 20 test -s "$work/data/index.tsv" || fail "no screenshot was queued and uploaded"
shot=$(ls "$work"/tmp/*.png | head -n 1)
[ "$(ls "$work"/tmp/*.png | wc -l)" = 1 ] || fail "more than one temporary PNG"
[ "$(identify -format '%wx%h' "$shot")" = 1280x720 ] || fail "the screenshot is $(identify -format '%wx%h' "$shot"), not the screen's 1280x720"
share=$(convert "$shot" -alpha off -fill white -opaque "$colour" -fill black +opaque white -format '%[fx:mean]' info:)
# sway tiles the two windows side by side; with the uploader stepped aside before the portal is
# asked, the colour window has the whole screen to itself.
awk -v s="$share" 'BEGIN { exit !(s >= 0.97) }' || fail "the screenshot holds $share of the colour window's colour: the uploader is in its own picture"
wait_for 10 bash -c "swaymsg -t get_tree | grep -q '\"name\": \"Tarvello uploader\"'" || fail "the window did not come back"

stored=$(ls "$work"/data/*.png | head -n 1)
cmp -s "$stored" "$shot" || fail "the host stored something else than the queued screenshot"

# A window capture is not offered on sway, whose portal lets the user drag a region only.
"$tarvello_bin" --screenshot --window 2>"$work/window.txt" && fail "--screenshot --window was taken on under sway"
grep -q 'cannot do that on this desktop' "$work/window.txt" || fail "--window was refused with: $(cat "$work/window.txt")"
# A region from a second process: the frozen desktop covers the screen without the window, and
# Esc calls it off, leaving nothing behind.
shown() { swaymsg -t get_tree | grep -q "\"name\": \"$1\""; }
"$tarvello_bin" --screenshot --region || fail "--screenshot --region exited with $?"
wait_for 10 shown 'Choose what to capture' || fail "no overlay for the region"
shown 'Tarvello uploader' && fail "the window stayed on the screen during the capture"
wtype -s 1500 -k Escape 2>>"$work/wtype.log" || fail "wtype"
wait_for 10 bash -c "! swaymsg -t get_tree | grep -q '\"name\": \"Choose what to capture\"'" || fail "Esc did not close the overlay"
wait_for 10 shown 'Tarvello uploader' || fail "the window did not come back after Esc"
[ "$(ls "$work"/tmp/*.png | wc -l)" = 1 ] || fail "a cancelled region left a file"

grim "$artifacts/wayland-session.png"
echo "wayland: portal screenshot $(basename "$shot") is 1280x720 with ${share} of the colour, uploaded byte for byte; no window captures on sway; a region called off"
echo "1 passed, 0 failed"
