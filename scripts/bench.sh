#!/usr/bin/env bash
# Runs the benchmarks and prints each figure as a ratio to its floor, measured in the same run.
# The method and the numbers of the last recorded run are in docs/benchmarks.md.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
scripts/deps.sh test
BUILD_TYPE=Release BUILD_DIR="${BUILD_DIR:-build-release}" scripts/build.sh >/dev/null
build="$(realpath "${BUILD_DIR:-build-release}")"
bench="$build/bench/bench_tarvello"
runs="${BENCH_RUNS:-5}"

work=$(mktemp -d "${TMPDIR:-/tmp}/tarvello-bench.XXXXXX")
host_pid=""
trap 'status=$?; [ -n "$host_pid" ] && kill "$host_pid" 2>/dev/null; [ $status -ne 0 ] && cat "$work/stderr.log" >&3; rm -rf "$work"' EXIT
exec 3>&2
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 TMPDIR="$work" XDG_RUNTIME_DIR="$work"
exec 2>"$work/stderr.log" # the benchmark programs are chatty; failures still stop the script
cd "$work"

# BENCH_ONLY="add edit upload startup drop autoupload uploadall cliupload history hostload" picks
# sections; all by default.
only() { [ -z "${BENCH_ONLY:-}" ] || [[ " $BENCH_ONLY " == *" $1 "* ]]; }
median() { sort -g | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
field() { awk -v k="$1" '$1 == k {print $2}'; }
now() { date +%s.%N; }
ratio() { # ratio NAME VALUE FLOOR GOAL UNIT
    awk -v n="$1" -v v="$2" -v f="$3" -v g="$4" -v u="$5" 'BEGIN {
        r = v / f; printf "%-34s %10.3f %-3s floor %10.3f %-3s ratio %5.2fx  goal %.2fx  %s\n",
            n, v, u, f, u, r, g, (r <= g ? "met" : "MISSED") }'
}

absolute() { # absolute NAME VALUE GOAL UNIT
    awk -v n="$1" -v v="$2" -v g="$3" -v u="$4" 'BEGIN {
        printf "%-34s %10.3f %-3s %-31s goal %.3f %s  %s\n", n, v, u, "", g, u, (v <= g ? "met" : "MISSED") }'
}
elapsed() { awk -v a="$1" -v b="$(now)" 'BEGIN {print b - a}'; }

"$bench" make-images "$work"
# 1000 phone photos of 12 MP: eight distinct ones, the rest hard links to them; 200 for uploads.
mkdir -p photos p200
"$bench" make-photos "$work/photos" 8
for i in $(seq 8 999); do ln "photos/photo$((i % 8)).jpg" "photos/photo$i.jpg"; done
for i in $(seq 0 199); do ln "photos/photo$i.jpg" p200/; done

only add && for kind in jpg png; do
    decode=(); add=()
    for _ in $(seq "$runs"); do
        out=$("$bench" add "$work/12mp.$kind")
        decode+=("$(field decode <<<"$out")"); add+=("$(field add <<<"$out")")
    done
    ratio "add 12 MP ${kind^^} (vs decode)" "$(printf '%s\n' "${add[@]}" | median)" \
          "$(printf '%s\n' "${decode[@]}" | median)" 1.25 s
done

only edit && for slot in cw90 ccw90 rot180 fliph flipv; do
    encode=(); edit=()
    for _ in $(seq 3); do
        out=$("$bench" edit "$work/24mp.png" "$slot")
        encode+=("$(field encode <<<"$out")"); edit+=("$(field edit <<<"$out")")
    done
    ratio "edit 24 MP $slot (vs PNG encode)" "$(printf '%s\n' "${edit[@]}" | median)" \
          "$(printf '%s\n' "${encode[@]}" | median)" 1.10 s
done

# The local host the upload sections send to, started once.
start_host() {
    [ -n "$host_pid" ] && return
    mkdir -p data
    "$build/host/tarvello-host" --port 0 --data "$work/data" --port-file "$work/port" --max-size 100000000 >/dev/null 2>&1 &
    host_pid=$!
    for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
    host="127.0.0.1:$(cat "$work/port")"
}

if only upload; then
start_host
program=(); curl_times=()
for _ in $(seq "$runs"); do
    program+=("$(TARVELLO_HOST="$host" "$bench" upload "$work/64mib.png" | field upload)")
    start=$(now)
    curl -sf -o /dev/null -H 'Expect:' -F action= -F "file=@$work/64mib.png;type=image/png" -F desc= \
        "http://$host/upload/index/bitlyonly/true/"
    curl_times+=("$(awk -v a="$start" -v b="$(now)" 'BEGIN {print b - a}')")
done
ratio "upload 64 MiB (vs curl -F)" "$(printf '%s\n' "${program[@]}" | median)" \
      "$(printf '%s\n' "${curl_times[@]}" | median)" 1.20 s
fi

if only startup; then
bare=(); full=()
for _ in $(seq $((runs * 3))); do
    start=$(now); "$bench" startup bare >/dev/null; bare+=("$(awk -v a="$start" -v b="$(now)" 'BEGIN {print b - a}')")
    start=$(now); "$bench" startup mw >/dev/null; full+=("$(awk -v a="$start" -v b="$(now)" 'BEGIN {print b - a}')")
done
ratio "start-up to shown window (vs bare)" "$(printf '%s\n' "${full[@]}" | median)" \
      "$(printf '%s\n' "${bare[@]}" | median)" 1.50 s
fi

if only drop; then
walk=$("$bench" walk "$work/photos" | field walk)
floor=$("$bench" decode-previews "$work/photos" | field previews)
out=$("$bench" drop "$work/photos")
empty=$("$bench" memory "$work/12mp.jpg" 0 | field peak_kb)
absolute "drop 1000 photos: walk alone (floor)" "$walk" 1.0 s
absolute "drop 1000 photos: all rows" "$(field rows <<<"$out")" 1.0 s
ratio "drop: all previews (vs pool decode)" "$(field previews <<<"$out")" "$floor" 1.20 s
ratio "drop: peak memory (vs empty+previews)" "$(awk -v p="$(field peak_kb <<<"$out")" 'BEGIN {print p / 1024}')" \
      "$(awk -v e="$empty" -v d="$(field preview_kb <<<"$out")" 'BEGIN {print (e + 1000 * d) / 1024}')" 1.30 MiB
out=$("$bench" drop "$work/photos" "$work/24mp.png")
absolute "drop + 24 MP edit: longest stall" "$(field stall_ms <<<"$out")" 50 ms
fi

if only autoupload; then
times=()
for _ in $(seq "$runs"); do times+=("$("$bench" autoupload "$work/p200" | field first_byte)"); done
absolute "auto upload, 200 dropped: 1st byte" "$(printf '%s\n' "${times[@]}" | median)" 0.100 s
fi

if only uploadall; then
start_host
program=(); kept=(); recorded=(); curl_times=()
for _ in $(seq 3); do
    program+=("$(TARVELLO_HOST="$host" "$bench" uploadall "$work/p200" | field uploadall)")
    # The same with every upload recorded in a history of its own, as the program does.
    out=$(TARVELLO_HOST="$host" "$bench" uploadall "$work/p200" "$work/uploads.sqlite")
    kept+=("$(field uploadall <<<"$out")")
    recorded+=("$(field record_max <<<"$out" | awk '{print $1 * 1000}')")
    rm -f "$work"/uploads.sqlite*
    start=$(now)
    ls "$work"/p200/*.jpg | xargs -P 6 -I{} curl -sf -o /dev/null -H 'Expect:' -F action= \
        -F "file=@{};type=image/jpeg" -F desc= "http://$host/upload/index/bitlyonly/true/"
    curl_times+=("$(elapsed "$start")")
done
ratio "Upload All 200 photos (vs curl x6)" "$(printf '%s\n' "${program[@]}" | median)" \
      "$(printf '%s\n' "${curl_times[@]}" | median)" 1.20 s
ratio "same, history on (vs curl x6)" "$(printf '%s\n' "${kept[@]}" | median)" \
      "$(printf '%s\n' "${curl_times[@]}" | median)" 1.20 s
absolute "same: recording, slowest of 200" "$(printf '%s\n' "${recorded[@]}" | median)" 1.000 ms
fi

# The command line for scripts: tarvello --upload of 200 photos, against curl in a shell loop of
# the same uploads, one after the other, as a script would do them.
if only cliupload; then
start_host
mkdir -p "$work/cliconfig"
program=(); curl_times=()
for _ in $(seq 3); do
    start=$(now)
    XDG_CONFIG_HOME="$work/cliconfig" XDG_DATA_HOME="$work/clidata" TARVELLO_HOST="$host" "$build/src/tarvello" --upload "$work"/p200/*.jpg >"$work/links.txt"
    program+=("$(elapsed "$start")")
    [ "$(wc -l <"$work/links.txt")" = 200 ] || { echo "tarvello --upload gave $(wc -l <"$work/links.txt") links" >&3; exit 1; }
    start=$(now)
    for f in "$work"/p200/*.jpg; do
        curl -sf -H 'Expect:' -F action= -F "file=@$f;type=image/jpeg" -F desc= \
            "http://$host/upload/index/bitlyonly/true/" >/dev/null
    done
    curl_times+=("$(elapsed "$start")")
done
ratio "tarvello --upload 200 (vs curl loop)" "$(printf '%s\n' "${program[@]}" | median)" \
      "$(printf '%s\n' "${curl_times[@]}" | median)" 1.20 s
fi

if only startup; then
none=(); many=()
for _ in $(seq $((runs * 3))); do
    none+=("$("$bench" startup mw | field shown)")
    many+=("$("$bench" startup mw "$work"/photos/*.jpg | field shown)")
done
ratio "start-up, 1000 files named (vs none)" "$(printf '%s\n' "${many[@]}" | median)" \
      "$(printf '%s\n' "${none[@]}" | median)" 2.00 s
fi

# The upload history with 100,000 records: opening its window, searching, and what recording
# costs the GUI thread.
if only history; then
"$bench" history-fill "$work/history.sqlite" 100000 >"$work/fill.log"
opened=(); searched=(); recorded=()
for _ in $(seq "$runs"); do
    out=$("$bench" history-window "$work/history.sqlite")
    opened+=("$(field window_open <<<"$out")"); searched+=("$(field search_slowest <<<"$out")")
    recorded+=("$("$bench" history-record "$work/record.sqlite" | field record_max | awk '{print $1 * 1000}')")
    rm -f "$work"/record.sqlite*
done
absolute "history 100k: window open" "$(printf '%s\n' "${opened[@]}" | median)" 0.200 s
absolute "history 100k: slowest search" "$(printf '%s\n' "${searched[@]}" | median)" 0.100 s
absolute "history: record, slowest of 1000" "$(printf '%s\n' "${recorded[@]}" | median)" 1.000 ms
rm -f "$work"/history.sqlite*
fi

# The image host under load: parallel uploads and slow clients (see scripts/bench_host.sh).
if only hostload; then
"$root/scripts/bench_host.sh" "$build/host/tarvello-host"
HOSTLOAD_MB=8 HOSTLOAD_UPLOADS=50 "$root/scripts/bench_host.sh" "$build/host/tarvello-host"
fi
