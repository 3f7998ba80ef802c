#!/usr/bin/env bash
# Load on the image host: parallel uploads of real PNGs while slow clients hold connections.
# Prints throughput and the host's peak memory. Usage: scripts/bench_host.sh HOST_BINARY
#   HOSTLOAD_UPLOADS (200) uploads of HOSTLOAD_MB (1) MiB each, all at once,
#   HOSTLOAD_SLOW (100) clients sending a header byte every 2 s meanwhile.
set -euo pipefail
host_bin="$(realpath "$1")"
uploads="${HOSTLOAD_UPLOADS:-200}"; mb="${HOSTLOAD_MB:-1}"; slow="${HOSTLOAD_SLOW:-100}"
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvello-hostload.XXXXXX")
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

side=$(awk -v m="$mb" 'BEGIN { printf "%d", sqrt(m * 1048576 / 2.55) }') # noise PNG: about 2.55 bytes a pixel
convert -size "${side}x${side}" xc:gray +noise Random -depth 8 -define png:color-type=2 "$work/image.png"
bytes=$(stat -c %s "$work/image.png")

# Every client here is 127.0.0.1: the per-address limit would measure itself.
"$host_bin" --port 0 --data "$work/data" --port-file "$work/port" --max-size $((bytes * 2 + 65536)) \
    --max-per-address 0 >/dev/null &
host_pid=$!; pids+=("$host_pid")
for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
port=$(cat "$work/port")
idle_kb=$(awk '/VmHWM/ {print $2}' "/proc/$host_pid/status")

for _ in $(seq "$slow"); do
    ( exec 3<>"/dev/tcp/127.0.0.1/$port" || exit 0
      printf 'POST /upload/index/bitlyonly/true/ HTTP/1.1\r\n' >&3
      for _ in $(seq 60); do printf 'X' >&3 2>/dev/null || exit 0; sleep 2; done ) 2>/dev/null &
    pids+=("$!")
done
sleep 1 # let the slow clients connect first

start=$(date +%s.%N)
seq "$uploads" | xargs -P "$uploads" -I{} curl -s --max-time 60 -o "$work/{}.out" -w '%{http_code}\n' \
    -H 'Expect:' -F action= -F "file=@$work/image.png;type=image/png" -F desc= \
    "http://127.0.0.1:$port/upload/index/bitlyonly/true/" > "$work/codes"
end=$(date +%s.%N)

peak_kb=$(awk '/VmHWM/ {print $2}' "/proc/$host_pid/status")
ok=$(grep -c '^200$' "$work/codes" || true)
links=$(cat "$work"/*.out | grep -o "http://127.0.0.1:$port/i/[0-9a-f]*\.png" | sort -u | wc -l)
stored=$(find "$work/data" -name '*.png' | wc -l)
awk -v n="$uploads" -v b="$bytes" -v s="$start" -v e="$end" -v ok="$ok" -v l="$links" -v st="$stored" \
    -v slow="$slow" -v idle="$idle_kb" -v peak="$peak_kb" 'BEGIN {
    t = e - s
    printf "host load: %d uploads of %.2f MiB with %d slow clients: %d answered 200, %d links, %d stored\n", n, b / 1048576, slow, ok, l, st
    printf "host load: %.2f s, %.1f uploads/s, %.1f MiB/s; host peak memory %.1f MiB (idle %.1f MiB)\n", t, n / t, n * b / 1048576 / t, peak / 1024, idle / 1024
}'
[ "$ok" -eq "$uploads" ] && [ "$stored" -eq "$uploads" ]
