#!/usr/bin/env bash
# Starts the real program under Xvfb with a window manager at a chosen screen size, imports a
# names file through the real file dialog, opens the draw and saves screenshots:
#   main_window.png        the main window after the import, cropped to its frame
#   draw_flicker.png       the whole screen 1 s into the draw, while the names flicker
#   draw_reveal.png        the whole screen 5.5 s into the draw, after the reveal
#   main_window_after.png  the main window again, after Esc has closed the draw window
# It prints the main window's frame geometry and the draw window's place and size. Usage:
#   tools/screenshots.sh <names-file> [WIDTHxHEIGHT] [out-dir]
set -euo pipefail

usage() {
    echo "usage: $0 <names-file> [WIDTHxHEIGHT] [out-dir]" >&2
    exit 2
}
if [ $# -lt 1 ] || [ $# -gt 3 ]; then usage; fi
[ -f "$1" ] || {
    echo "no such file: $1" >&2
    exit 2
}
names=$(realpath "$1")
size=${2:-1920x1080}
[[ $size =~ ^[1-9][0-9]*x[1-9][0-9]*$ ]] || usage
out=${3:+$(realpath -m "$3")}

cd "$(dirname "$0")/.."
out=${out:-$PWD/build/screenshots/$size}
program=$PWD/build/release/quorava
title='^Quorava1\.1'

bash tools/install_dependencies.sh xvfb openbox xdotool x11-utils imagemagick
# shellcheck source=tools/xvfb_session.sh
source tools/xvfb_session.sh
[ -f build/release/CMakeCache.txt ] || cmake --preset release >/dev/null
cmake --build --preset release --target quorava >/dev/null
mkdir -p "$out"

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

xvfb='' wm='' app='' display_file=''
cleanup() {
    local pid
    for pid in $app $wm $xvfb; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    [ -z "$display_file" ] || rm -f "$display_file"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

start_xvfb_session "$size"

# The program's visible top-level windows.
visible_windows() { xdotool search --onlyvisible --pid "$app" 2>/dev/null || true; }

# Waits for a visible window of the program that is not among the given ids; prints its id.
wait_new_window() {
    local known=" $* " id deadline=$((SECONDS + 20))
    while ((SECONDS < deadline)); do
        for id in $(visible_windows); do
            [[ $known == *" $id "* ]] || {
                echo "$id"
                return 0
            }
        done
        sleep 0.05
    done
    return 1
}

wait_window_gone() {
    local id=$1 deadline=$((SECONDS + 20))
    while ((SECONDS < deadline)); do
        grep -qx "$id" <<<"$(visible_windows)" || return 0
        sleep 0.05
    done
    return 1
}

# Left, top, outer width and height of a window, its frame included.
frame_geometry() {
    local id=$1 x y w h l=0 r=0 t=0 b=0 extents
    read -r x y w h < <(xwininfo -id "$id" | awk '
        /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /^  Width:/ {w = $NF} /^  Height:/ {h = $NF} END {print x, y, w, h}')
    extents=$(xprop -id "$id" _NET_FRAME_EXTENTS | sed -n 's/^.* = //p' | tr -d ' ')
    [ -z "$extents" ] || IFS=, read -r l r t b <<<"$extents"
    echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

# The geometry once the window manager and the program have stopped moving the window.
settled_geometry() {
    local id=$1 previous='' current
    for _ in $(seq 40); do
        current=$(frame_geometry "$id")
        [ "$current" = "$previous" ] && break
        previous=$current
        sleep 0.1
    done
    echo "$current"
}

# Keys go to the focused window through XTEST, as a keyboard's would.
press() {
    timeout 10 xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    shift
    xdotool key "$@"
}

shoot_window() {
    local left top width height
    read -r left top width height <<<"$(settled_geometry "$1")"
    import -window root -crop "${width}x${height}+${left}+${top}" +repage "$2"
}

# Sleeps until $1 seconds after the moment $2 (from date +%s.%N).
sleep_until() { sleep "$(awk -v at="$1" -v start="$2" -v now="$(date +%s.%N)" \
    'BEGIN {d = start + at - now; print (d > 0 ? d : 0)}')"; }

"$program" >/dev/null 2>&1 &
app=$!
windows=$(timeout 20 xdotool search --sync --onlyvisible --name "$title") ||
    fail "the main window did not appear"
main=${windows%%$'\n'*}
read -r left top width height <<<"$(settled_geometry "$main")"
echo "screen $size: main window frame left $left, top $top, outer $width x $height"

# The roll-call button is still disabled, so Enter runs the import.
press "$main" Return
dialog=$(wait_new_window "$main") || fail "the file dialog did not open"
sleep 0.3 # the dialog's folder is being listed
timeout 10 xdotool windowactivate --sync "$dialog" >/dev/null 2>&1 || true
xdotool type --delay 5 "$names"
xdotool key Return
if ! wait_window_gone "$dialog"; then
    # The path completer's pop-up may take the first Return.
    xdotool key Return
    wait_window_gone "$dialog" || fail "the file dialog did not close"
fi
sleep 0.5 # the list and the status bar repaint
shoot_window "$main" "$out/main_window.png"

# Now Enter runs the roll-call click and the draw window opens.
press "$main" Return
draw=$(wait_new_window "$main") || fail "the draw window did not open"
opened=$(date +%s.%N)
read -r dleft dtop dwidth dheight <<<"$(settled_geometry "$draw")"
echo "draw window: left $dleft, top $dtop, $dwidth x $dheight"
sleep_until 1.0 "$opened"
import -window root "$out/draw_flicker.png"
sleep_until 5.5 "$opened"
import -window root "$out/draw_reveal.png"

press "$draw" Escape
wait_window_gone "$draw" || fail "Esc did not close the draw window"
sleep 0.3
shoot_window "$main" "$out/main_window_after.png"

press "$main" Escape
for _ in $(seq 100); do
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$app" 2>/dev/null && fail "Esc did not close the main window"
status=0
wait "$app" || status=$?
app=''
echo "the program ended with status $status"
echo "screenshots in $out: main_window.png draw_flicker.png draw_reveal.png main_window_after.png"
