#!/usr/bin/env bash
# Installs what is missing, builds, starts the local image host and the program; the host is
# stopped when the program exits. Arguments are passed to the program (image files to queue).
#   TARVELLO_HOST_PORT   port of the local host (default 8765)
#   TARVELLO_HOST_DATA   where it stores images (default host-data in the project folder)
set -euo pipefail
# The program runs in the caller's folder, so relative image names (and tarvello.ini) mean
# what they mean there.
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
"$root/scripts/build.sh" >/dev/null
build_dir="${BUILD_DIR:-build}"
case "$build_dir" in /*) ;; *) build_dir="$root/$build_dir" ;; esac

data="${TARVELLO_HOST_DATA:-$root/host-data}"
mkdir -p "$data"
users="$data/users.txt"
# A demo account so the login box can be tried; anonymous uploads work as well.
[ -f "$users" ] || printf '# name:password, one a line\ndemo:demo\n' > "$users"

port_file="$(mktemp)"
"$build_dir/host/tarvello-host" --port "${TARVELLO_HOST_PORT:-8765}" --data "$data" \
    --users "$users" --port-file "$port_file" &
host_pid=$!
trap 'kill "$host_pid" 2>/dev/null; wait "$host_pid" 2>/dev/null; rm -f "$port_file"' EXIT
for _ in $(seq 50); do
    [ -s "$port_file" ] && break
    kill -0 "$host_pid" 2>/dev/null || { echo "the image host did not start" >&2; exit 1; }
    sleep 0.1
done
port="$(cat "$port_file")"
echo "Image host: http://127.0.0.1:$port/ (account demo / demo)"

TARVELLO_HOST="127.0.0.1:$port" "$build_dir/src/tarvello" "$@"
