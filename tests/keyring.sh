#!/usr/bin/env bash
# Runs a test program with a real Secret Service (gnome-keyring) on a private session bus that
# activates nothing, in a home of its own: the user's keyring is never touched.
# Usage: keyring.sh BUS_CONFIG PROGRAM [ARGS...]
set -euo pipefail
config="$1"; shift
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
unset XDG_CURRENT_DESKTOP
exec dbus-run-session --config-file="$config" -- bash -c '
    # The login keyring is made, and unlocked, with the password on standard input; an empty one
    # makes none.
    printf "test" | gnome-keyring-daemon --foreground --unlock --components=secrets >/dev/null &
    keyring=$!
    for _ in $(seq 200); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.freedesktop.secrets 2>/dev/null | grep -q "boolean true" && break
        sleep 0.05
    done
    TARVELLO_TEST_KEYRING=1 "$@"
    status=$?
    kill "$keyring"
    wait "$keyring" 2>/dev/null
    exit $status' keyring "$@"
