#!/usr/bin/env bash
# Runs a test program with a small disk of its own (a 512 KiB tmpfs) at $TARVELLO_SMALL_DISK, for
# what happens when the disk fills up. The disk lives in a private mount namespace: as root
# directly, otherwise through a user namespace. Where neither exists the program runs without
# it, and the cases that need it say they were skipped.
# usage: smalldisk.sh PROGRAM [ARGS...]
set -euo pipefail
if [ "${1:-}" != --inside ]; then
    for way in "unshare --mount" "unshare --user --map-root-user --mount"; do
        if $way true 2>/dev/null; then exec $way bash "$0" --inside "$@"; fi
    done
    echo "no mount namespace here: running without a small disk"
    exec "$@"
fi
shift
disk=$(mktemp -d "${TMPDIR:-/tmp}/tarvello-smalldisk.XXXXXX")
mount --make-rprivate / 2>/dev/null || true
mount -t tmpfs -o size=512k,mode=0700 tarvello-smalldisk "$disk"
trap 'umount "$disk"; rmdir "$disk"' EXIT
TARVELLO_SMALL_DISK="$disk" "$@"
