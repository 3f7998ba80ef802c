#!/usr/bin/env bash
# Every text the program shows can be found by lupdate, and all of them in the context "mw".
set -euo pipefail
lupdate="$1"; src="$2"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
"$lupdate" -silent -recursive "$src" -ts "$work/tarvello.ts" >/dev/null
ts="$work/tarvello.ts"
status=0
contexts=$(grep -oE '<name>[^<]*</name>' "$ts" | sed -E 's#</?name>##g' | sort -u)
if [ "$contexts" != "mw" ]; then echo "FAIL: contexts other than mw: $contexts"; status=1; fi
# A sample from every layer: the form, the window's slots, the drop dialog and the helper layer.
for text in 'Tarvello uploader' 'Upload All' 'Uploading...' 'failed' 'Click to add' 'Give description' \
            'Copy all links' 'Adding images' 'The host refused the connection.' 'HTTP status: %1 %2' \
            'Import destination' 'The file is not valid JSON (at byte %1).'; do
    grep -qF "<source>$text</source>" "$ts" || { echo "FAIL: not extractable: $text"; status=1; }
done
exit $status
