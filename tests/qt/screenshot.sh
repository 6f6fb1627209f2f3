#!/usr/bin/env bash
# Starts the real program on a virtual X display, opens exercises/3x3-systems.txt through
# File > Open with keystrokes, photographs the main window and ends the program with Esc.
# Usage: screenshot.sh VELMOR_EXECUTABLE SOURCE_DIR ARTIFACT_DIR
# Leaves ARTIFACT_DIR/main-window.png; exits non-zero when a step fails or the picture is blank.
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
    [ $# -eq 3 ] || { echo "usage: $0 VELMOR_EXECUTABLE SOURCE_DIR ARTIFACT_DIR" >&2; exit 2; }
    for tool in xvfb-run xdotool import convert; do
        command -v "$tool" >/dev/null || { echo "screenshot: $tool is missing (scripts/install-deps)" >&2; exit 1; }
    done
    exe=$(realpath "$1")
    mkdir -p "$3"
    artifacts=$(realpath "$3")
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cp "$2/velmor.ini" "$work/"
    cp -r "$2/exercises" "$work/"
    # A server of our own (-a) at a fixed size; the script runs again inside it.
    xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside "$exe" "$work" "$artifacts"
    exit $?
fi

exe=$2
work=$3
artifacts=$4
picture="$artifacts/main-window.png"
rm -f "$picture"

# The desktop's platform plugin, not the offscreen one the unit tests use.
unset QT_QPA_PLATFORM
cd "$work"
"$exe" >"$artifacts/velmor.log" 2>&1 &
pid=$!
ended() { ! kill -0 "$pid" 2>/dev/null; }
stop() {
    ended || kill "$pid" 2>/dev/null || true
}
trap stop EXIT
fail() {
    echo "screenshot: $*" >&2
    import -window root "$artifacts/failure.png" 2>/dev/null || true
    exit 1
}

# The first visible window with exactly this title, waiting up to ten seconds for it.
window() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        ended && return 1
        sleep 0.1
    done
    return 1
}
# No window manager runs here: give a window the keyboard focus ourselves.
focus() {
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
    sleep 0.2
}

main=$(window "Dravik Software - Velmor") || fail "the main window never appeared"
focus "$main"

xdotool key ctrl+o
dialog=$(window "Select Matrix Data File") || fail "Ctrl+O opened no file dialog"
focus "$dialog"
# The file name field has the focus when the dialog opens.
xdotool type --delay 20 "$work/exercises/3x3-systems.txt"
xdotool key Return
for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^Select Matrix Data File\$" >/dev/null 2>&1 || break
    sleep 0.1
done
# A name taken already would be asked about; the sample file has none, so any box is a fault.
for title in Velmor "frmVelmor - OpenMatrix"; do
    if xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; then
        fail "a box \"$title\" came up while opening the file"
    fi
done
focus "$main"
sleep 0.5

import -window "$main" "$picture" || fail "import could not photograph the window"
deviation=$(convert "$picture" -format '%[fx:standard_deviation]' info:)
size=$(convert "$picture" -format '%wx%h' info:)
echo "screenshot: $picture ($size, standard deviation $deviation)"
awk -v d="$deviation" 'BEGIN { exit !(d > 0.05) }' || fail "the picture is blank (deviation $deviation)"

# Esc is Exit; a save question (none is expected after an open) is answered No.
xdotool key Escape
for _ in $(seq 50); do
    ended && break
    if xdotool search --onlyvisible --name "^Save latest work\?\$" >/dev/null 2>&1; then
        xdotool key n
    fi
    sleep 0.1
done
ended || fail "the program did not end on Esc"
wait "$pid" || fail "the program ended with status $?"
trap - EXIT
echo "screenshot: done"
