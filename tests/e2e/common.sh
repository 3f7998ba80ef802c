# Shared by the end-to-end scripts; sourced, not run. A work folder whose processes are all
# stopped, and which is removed, when the script exits (KEEP_E2E=1 keeps it); waiting with a
# deadline; an X server with openbox; the accessibility bus; the image host; the real program's
# window. Steps wait for what they cause (a file, a window, a control in the accessibility
# tree), never for a fixed time.
# A script may define on_failure() to leave more evidence behind before it exits.

e2e_dir=$(dirname "${BASH_SOURCE[0]}")

on_private_bus() { # on_private_bus "$0" "$@": runs the script again on a session bus of its own
    if [ -z "${E2E_PRIVATE_BUS:-}" ]; then
        E2E_PRIVATE_BUS=1 exec dbus-run-session --config-file="$e2e_dir/session-bus.conf" -- bash "$@"
    fi
}

e2e_begin() { # e2e_begin NAME
    work=$(mktemp -d "${TMPDIR:-/tmp}/tarvello-$1.XXXXXX")
    pids=()
    trap e2e_cleanup EXIT
}

e2e_cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    [ -n "${KEEP_E2E:-}" ] || rm -rf "$work"
}

fail() {
    echo "FAIL: $*" >&2
    if declare -F on_failure >/dev/null; then on_failure || true; fi
    exit 1
}

wait_for() { # wait_for SECONDS COMMAND...
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

start() { # start LOG COMMAND...: runs in the background and remembers the process
    local log=$1
    shift
    "$@" >"$work/$log.log" 2>&1 &
    pids+=($!)
}

start_x() { # start_x WxH: an X server on a display it picks itself, and openbox
    local n
    # Xvfb takes the first display whose lock it can create, so two sessions starting at once
    # never share one; it writes the number once it takes connections.
    : >"$work/display"
    start "xvfb-${#pids[@]}" Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$work/display"
    wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
    n=$(head -n 1 "$work/display")
    export DISPLAY=":$n"
    unset WAYLAND_DISPLAY
    start "openbox-$n" openbox
    wait_for 10 wmctrl -m >/dev/null 2>&1 || fail "openbox did not start"
}

start_atspi() { # the accessibility bus, which the program then reports its controls to
    start atspi /usr/libexec/at-spi-bus-launcher --launch-immediately
    wait_for 10 bash -c "dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus | grep -q 'boolean true'" || fail "no accessibility bus"
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

atspi() { /usr/bin/python3 "$e2e_dir/atspi.py" "$@"; }

click_on() { # click_on NAME ROLE [REPEAT]: a click in the middle of the control so named
    local x y
    read -r x y < <(atspi center "$1" "$2") || fail "no $2 named $1"
    xdotool mousemove "$x" "$y" click --repeat "${3:-1}" --delay 100 1
}

active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

start_host() { # start_host ARGS...: the image host on a free port, storing in $work/data; sets host
    mkdir -p "$work/data"
    start host "$host_bin" --port 0 --data "$work/data" --port-file "$work/port" "$@"
    wait_for 10 test -s "$work/port" || fail "the image host did not start"
    host="127.0.0.1:$(cat "$work/port")"
}

start_program() { # start_program ARGS...: the program on X, uploading to $program_host (else $host); sets window and program_pid
    TMPDIR="$work/tmp" TARVELLO_HOST="${program_host:-$host}" QT_QPA_PLATFORM=xcb "$tarvello_bin" "$@" \
        >>"$work/program.log" 2>&1 &
    program_pid=$!
    pids+=("$program_pid")
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tarvello uploader$' | head -n 1)
    [ -n "$window" ] || fail "no window"
    xdotool windowactivate --sync "$window"
    wait_for 10 active_is "$window" || fail "the window did not take the keyboard"
}

# Keys go to the window in order; a script waits only where a key starts something that takes
# the keyboard away (a dialog, the window stepping aside).
key() { xdotool key --clearmodifiers --delay 80 "$@"; }

close_program() {
    wmctrl -c 'Tarvello uploader'
    wait_for 10 bash -c "! kill -0 $program_pid 2>/dev/null" || fail "the window did not close"
}
