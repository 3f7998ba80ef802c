#!/usr/bin/env bash
# Destinations as a user brings them in, in a real X session with the installed program: the
# host's own custom-uploader file opened as from a file manager (gio open, through the installed
# file type and desktop entry), a second file dropped on the window from another program, an
# image dropped and uploaded to the destination chosen, its row naming it; then a script pipes
# an image into `tarvello --upload -`.
#
# usage: destinations.sh BUILD_DIR DRAGSOURCE_BIN ARTIFACT_DIR
set -euo pipefail

build=$(realpath "$1")
drag_bin=$(realpath "$2")
mkdir -p "$3"
artifacts=$(realpath "$3")

. "$(dirname "$(realpath "$0")")/common.sh"
on_private_bus "$0" "$@"
e2e_begin destinations
on_failure() {
    [ -n "${DISPLAY:-}" ] && import -window root "$artifacts/destinations-failure.png" 2>/dev/null
    tail -n 20 "$work/program.log" >&2 || true
}

# --- the program installed as a package would put it, and the desktop knowing its file types ---
cmake --install "$build" --prefix "$work/usr" >"$work/install.log" 2>&1 || fail "cmake --install"
update-mime-database "$work/usr/share/mime" >/dev/null 2>&1
update-desktop-database "$work/usr/share/applications"
export XDG_DATA_DIRS="$work/usr/share:/usr/share" PATH="$work/usr/bin:$PATH"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data-home" TMPDIR="$work/tmp"
mkdir -p "$work/tmp" "$work/user"
tarvello_bin="$work/usr/bin/tarvello"
host_bin="$work/usr/bin/tarvello-host"

start_x 1280x1024
start_atspi
start_host
cd "$work/user"
curl -sf "http://$host/tarvello.sxcu" -o team.sxcu || fail "the host gave no custom-uploader file"
team="tarvello-host on $host"
# A second file for the same host under another name, whose links are read from the answer by a
# regular expression.
cat >archive.sxcu <<EOF
{"Version": "14.0.0", "Name": "Archive", "DestinationType": "ImageUploader", "RequestMethod": "POST",
 "RequestURL": "http://$host/upload/index/bitlyonly/true/", "Body": "MultipartFormData",
 "FileFormName": "file", "Arguments": {"desc": "archived"}, "URL": "{regex:http://\\\\S+}"}
EOF
convert -size 64x48 xc:'#3377cc' photo.png

chosen() { grep -q "\"chosen\": \"$1\"" "$work/config/tarvello/destinations.json" 2>/dev/null; }

# --- opened as from a file manager: the program starts and asks before importing ---
gio open "$work/user/team.sxcu" >>"$work/program.log" 2>&1 &
pids+=($!)
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tarvello uploader$' | head -n 1)
[ -n "$window" ] || fail "opening the file started no window"
program_pid=$(xdotool getwindowpid "$window")
pids+=("$program_pid")
atspi wait 20 "Import" "push button" || fail "no question before the import"
import -window root "$artifacts/destinations-import-question.png"
click_on "Import" "push button"
wait_for 10 chosen "$team" || fail "the host's destination was not imported and chosen"

# --- dropped on the picture area from another program ---
start dragsource "$drag_bin" "$work/user/archive.sxcu"
source=$(timeout 10 xdotool search --sync --onlyvisible --name '^dragsource$' | head -n 1)
xdotool windowmove --sync "$source" 0 0
drag_to_picture() {
    local x y
    read -r x y < <(atspi center "Drop images here" image) || fail "no picture area"
    xdotool mousemove --window "$source" 100 60 mousedown 1 mousemove_relative 30 0 sleep 0.2 \
        mousemove "$x" "$y" sleep 0.2 mousemove_relative 5 5 sleep 0.2 mouseup 1
}
drag_to_picture
atspi wait 20 "Import" "push button" || fail "no question before importing the dropped file"
click_on "Import" "push button"
wait_for 10 chosen "Archive" || fail "the dropped destination was not imported and chosen"
kill "${pids[-1]}"

# --- an image dropped and uploaded: the host gets the destination's own field, the row says where ---
start dragsource2 "$drag_bin" "$work/user/photo.png"
source=$(timeout 10 xdotool search --sync --onlyvisible --name '^dragsource$' | head -n 1)
xdotool windowmove --sync "$source" 0 0
drag_to_picture
atspi wait 20 "photo.png" "table cell" || fail "the dropped image is not queued"
click_on "Waiting; Enter uploads it" "table cell"
atspi wait 20 "1 uploaded" "status bar" || fail "the upload to Archive did not give a link"
[ "$(tail -n 1 "$work/data/index.tsv" | cut -f4)" = archived ] || fail "the host did not get the destination's description field"
atspi describe "Uploaded: http://$host/i/*" "table cell" | grep -q "^Destination: Archive$" \
    || fail "the row does not say where it went: $(atspi describe "Uploaded: http://$host/i/*" "table cell")"
import -window root "$artifacts/destinations-row.png"
close_program

# --- a script pipes an image in, to the destination chosen in the window ---
link=$(convert -size 30x20 xc:'#cc3377' png:- | "$tarvello_bin" --upload -) || fail "tarvello --upload - failed"
case "$link" in "http://$host/i/"*) ;; *) fail "tarvello --upload - printed $link" ;; esac
[ "$(tail -n 1 "$work/data/index.tsv" | cut -f4)" = archived ] || fail "the piped image did not go to Archive"
[ "$("$tarvello_bin" --list-destinations | tr '\n' '|')" = "built-in|$team|Archive|" ] || fail "the list is wrong"

echo "destinations: opened from the file manager and dropped, both asked first; uploaded to the one chosen; piped from a script"
echo "1 passed, 0 failed"
