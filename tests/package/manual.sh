#!/usr/bin/env bash
# The program's manual page renders cleanly, carries the program's version, and names every
# option `tarvello --help` lists and every environment variable the program reads. An option
# added to the program without a word in the page (src/app/tarvello.1.in) fails here.
# usage: manual.sh SOURCE_DIR BUILD_DIR TARVELLO_BIN
set -euo pipefail
src=$(realpath "$1")
build=$(realpath "$2")
program=$(realpath "$3")
fail() { echo "FAIL: $*" >&2; exit 1; }
page="$build/src/tarvello.1"

warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man -l: $warnings"
text=$(MANWIDTH=250 man -l "$page" 2>/dev/null)

help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --help)
options=$(sed -n '/^Options:/,/^Arguments:/p' <<<"$help" | grep -oE -- '^ +(-[a-z], )?--?[a-z][a-z-]*' \
         | grep -oE -- '--?[a-z][a-z-]*' | sort -u)
[ "$(wc -l <<<"$options")" -ge 10 ] || fail "--help lists too few options to be read: $options"
# Each one heads an entry of its own under OPTIONS ("-h, --help", "--delay seconds").
described=$(sed -n '/^OPTIONS$/,/^[A-Z]/p' <<<"$text")
for option in $options; do
    grep -qE -- "^ {7}([^ ]+, )*$option(,| |$)" <<<"$described" || fail "the manual page's OPTIONS does not describe $option"
done

# The few Qt options the program honours are named in one paragraph.
for option in $(grep '^Qt options' <<<"$help" | grep -oE -- '(^| )-[a-z]+' | sort -u); do
    grep -qE -- "(^|[ ,])$option( |,|\.|$)" <<<"$text" || fail "the manual page does not name Qt's option $option"
done

environment=$(sed -n '/^ENVIRONMENT$/,/^[A-Z]/p' <<<"$text")
variables=$( (grep -oE 'TARVELLO_[A-Z_]+' <<<"$help"
              grep -rhoE 'qEnvironmentVariable[A-Za-z]*\("TARVELLO_[A-Z_]+"' "$src/src" | grep -oE 'TARVELLO_[A-Z_]+') | sort -u)
for variable in $variables; do
    grep -qE "^ +$variable$" <<<"$environment" || fail "the manual page's ENVIRONMENT does not describe $variable"
done

version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --version | head -n 1)
grep -qF "\"$version\"" "$page" || fail "the manual page names another version than $version"

echo "manual page: renders, names $(wc -l <<<"$options") options and $(wc -l <<<"$variables") environment variables"
echo "1 passed, 0 failed"
