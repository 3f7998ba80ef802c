#!/usr/bin/env bash
# The real program in a real X session, driven as a user drives it: the keyboard and the X
# clipboard, a window manager that closes the window. It starts its own Xvfb, openbox, image
# host and programs, and stops every one of them by its process id.
#
# usage: real_window.sh TARVELLO_BIN TARVELLO_HOST_BIN ARTIFACT_DIR
set -euo pipefail
[ -n "${E2E_TRACE:-}" ] && set -x

tarvello_bin=$(realpath "$1")
host_bin=$(realpath "$2")
mkdir -p "$3"
artifacts=$(realpath "$3")

. "$(dirname "$(realpath "$0")")/common.sh"
on_private_bus "$0" "$@"
e2e_begin e2e
on_failure() { [ -n "${DISPLAY:-}" ] && import -window root "$artifacts/failure.png" 2>/dev/null; }

# --- an X server, a window manager and the accessibility bus ---
start_x 1280x1024
start_atspi

# --- the image host, with an account ---
mkdir -p "$work/tmp" "$work/user"
printf 'e2e:pa/ss word\n' >"$work/users.txt"
# With E2E_TLS=1 the host serves HTTPS with a certificate made here, which the program trusts
# through TARVELLO_CA_FILE.
tls_args=(); scheme=http; curl_tls=()
if [ "${E2E_TLS:-0}" = 1 ]; then
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 \
        -keyout "$work/key.pem" -out "$work/cert.pem" >/dev/null 2>&1 || fail "openssl could not make a certificate"
    tls_args=(--tls-cert "$work/cert.pem" --tls-key "$work/key.pem"); scheme=https; curl_tls=(--cacert "$work/cert.pem")
    export TARVELLO_CA_FILE="$work/cert.pem"
fi
start_host --users "$work/users.txt" "${tls_args[@]}"
[ "$scheme" = https ] && program_host="https://$host" || program_host="$host"

# A stand-in for the desktop's browser: it records what it is asked to open.
mkdir -p "$work/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s/opened.txt"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"

# --- the user's files ---
cd "$work/user"
convert -size 320x200 gradient:'#ffcc66-#cc3366' a.png
convert -size 300x200 plasma:fractal -quality 90 b.jpg
convert -size 64x48 gradient:red-blue -depth 8 -define png:color-type=2 "$work/clip.png"
convert -size 40x30 xc:'#2a7de1' c.png
sha256sum a.png b.jpg c.png >"$work/user.sha256"

stored_count() { cat "$work/data/index.tsv" 2>/dev/null | grep -c . || true; }
stored_at_least() { [ "$(stored_count)" -ge "$1" ]; }
# Temporary PNGs written whole: each is named at the press and written once its picture is there.
temp_pngs() { [ "$(find "$work/tmp" -maxdepth 1 -name '*.png' -size +0 | grep -c .)" -eq "$1" ]; }


# --- first run: clipboard, rotate, screenshot, login, remember, Upload All ---
xclip -quiet -selection clipboard -t image/png -i "$work/clip.png" >/dev/null 2>&1 &
pids+=($!)
wait_for 10 bash -c "xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -q image/png" \
    || fail "the clipboard holds no image"
start_program a.png b.jpg

# Focus starts on Browse; the chain follows the window's reading order: the drop area, the five
# edit buttons, Browse, Screenshot, Clipboard, Username, Password, Remember me, the table, Auto
# Upload, Upload All, the destination, the menu. Each of the first three steps writes a
# temporary PNG.
key Tab Tab space                      # Clipboard
wait_for 10 temp_pngs 1 || fail "the pasted image was not saved"
key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space   # Rotate 90 deg CW, on the pasted image (the current row)
wait_for 10 temp_pngs 2 || fail "the rotated image was not saved"
key Tab Tab Tab Tab Tab Tab space      # Screenshot: the window steps aside and comes back
wait_for 20 temp_pngs 3 || fail "the screenshot was not saved"
wait_for 10 active_is "$window" || fail "the window did not come back after the screenshot"
key Tab Tab                            # Username
xdotool type --delay 40 'e2e'
key Tab
xdotool type --delay 40 'pa/ss word'
key Tab space                          # Remember me
key Tab Tab Tab space                  # Upload All, past the table and Auto Upload

wait_for 30 stored_at_least 4 || fail "the host stored $(stored_count) of 4 images"
atspi wait 20 "4 uploaded" "status bar" || fail "the window does not say the four were uploaded"
import -window "$window" "$artifacts/window-with-links.png"
close_program

# Every image arrived byte for byte: the user's files as they are...
for f in a.png b.jpg; do
    want=$(sha256sum <"$f" | cut -d' ' -f1)
    found=""
    for s in "$work"/data/*.*; do
        [ "$(sha256sum <"$s" | cut -d' ' -f1)" = "$want" ] && found=$s
    done
    [ -n "$found" ] || fail "$f was not stored byte for byte"
done
# ...the pasted image as the rotated PNG, and the screenshot at the screen's size.
convert "$work/clip.png" -rotate 90 "$work/clip-cw.png"
rotated=""
shot=""
for s in "$work"/data/*.png; do
    size=$(identify -format '%wx%h' "$s")
    if [ "$size" = 48x64 ] && [ "$(compare -metric AE "$s" "$work/clip-cw.png" null: 2>&1)" = 0 ]; then
        rotated=$s
    elif [ "$size" = 1280x1024 ]; then
        shot=$s
    fi
done
[ -n "$rotated" ] || fail "the rotated clipboard image was not stored"
[ -n "$shot" ] || fail "the screenshot was not stored"
[ "$(cut -f3 "$work/data/index.tsv" | sort -u)" = e2e ] || fail "not every upload was logged in"

# Every temporary file of the run is gone, the pasted image's first version (which the
# rotation replaced in its entry) included.
left=$(cd "$work/tmp" && ls | grep '\.png$' || true)
[ -z "$left" ] || fail "temporary files left: $left"
sha256sum -c --quiet "$work/user.sha256" || fail "the user's files changed"

# The login was remembered, readable by its owner only.
[ -f tarvello.ini ] || fail "no tarvello.ini"
[ "$(stat -c %a tarvello.ini)" = 600 ] || fail "tarvello.ini has mode $(stat -c %a tarvello.ini)"
grep -qx 'user=e2e' tarvello.ini || fail "tarvello.ini lacks the user: $(cat tarvello.ini)"
grep -q '^pw=' tarvello.ini || fail "tarvello.ini lacks the password"

# --- second run: the remembered login is used without typing it; a description by mouse ---
start_program c.png
click_on "No description; Enter adds one" "table cell"   # the "Description" cell of the row
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Description$' | head -n 1)
[ -n "$dialog" ] || fail "no description dialog"
wait_for 10 active_is "$dialog" || fail "the description dialog did not take the keyboard"
xdotool type --delay 40 'blue square'
key Return
atspi wait 10 "blue square; Enter changes it" "table cell" || fail "the description is not in its cell"
click_on "Upload All" "push button"
wait_for 30 stored_at_least 5 || fail "the second run stored nothing"
[ "$(tail -n 1 "$work/data/index.tsv" | cut -f3)" = e2e ] || fail "the second run was not logged in"
[ "$(tail -n 1 "$work/data/index.tsv" | cut -f4)" = 'blue square' ] || fail "the description did not arrive"
# A double-click on the link opens it in the browser, and the link gives the image back.
click_on "Uploaded: $scheme://$host/i/*" "table cell" 2
wait_for 10 test -s "$work/opened.txt" || fail "double-clicking the link opened nothing"
link=$(head -n 1 "$work/opened.txt")
case "$link" in "$scheme://$host/i/"*) ;; *) fail "opened $link" ;; esac
curl -sf "${curl_tls[@]}" "$link" | cmp -s - c.png || fail "the link does not give c.png back"
close_program
sha256sum -c --quiet "$work/user.sha256" || fail "the user's files changed"

echo "real window ($scheme): 5 uploads checked, description sent, link opened, temporary files removed, login remembered"
echo "1 passed, 0 failed"
