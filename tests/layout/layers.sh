#!/usr/bin/env bash
# The include graph of src/: the helper layer (base/) never includes the window layer (gui/) or
# the program's entry (app/), and no two folders include each other.
set -euo pipefail
src="$1"
edges=$(cd "$src" && grep -rHoE '^#include "[a-z]+/' --include='*.h' --include='*.cpp' . \
    | sed -E 's#^\./([a-z]+)/[^:]*:\#include "([a-z]+)/#\1 \2#' | awk '$1 != $2' | sort -u)
status=0
while read -r from to; do
    [ -n "$from" ] || continue
    case "$from>$to" in
        base\>gui|base\>app|gui\>app) echo "FAIL: $from/ includes $to/"; status=1 ;;
    esac
    if grep -qx "$to $from" <<<"$edges"; then echo "FAIL: $from/ and $to/ include each other"; status=1; fi
done <<<"$edges"
if grep -rlE '#include <Q(Widget|Label|Dialog|TableWidget|Menu|PushButton|Application)>' "$src/base"; then
    echo "FAIL: the helper layer includes widgets"; status=1
fi
echo "include edges:"; sed 's/^/  /' <<<"$edges"
exit $status
