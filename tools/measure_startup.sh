#!/usr/bin/env bash
# Start-up time, launch to first window mapped, of Quorava beside the least Qt Widgets
# program, on the same Xvfb display with a window manager. Usage:
#   tools/measure_startup.sh [build-dir] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${2:-20}
bash tools/install_dependencies.sh xvfb xauth openbox x11-utils

display=:93
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb $wm 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 0.5
openbox >/dev/null 2>&1 &
wm=$!
sleep 0.5

# Milliseconds from launch until the window system maps the program's first window.
time_one() {
    local program=$1 fifo start line end
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    xev -root -event substructure >"$fifo" &
    local xev=$!
    exec 3<"$fifo"
    sleep 0.2
    start=$(date +%s%N)
    "$program" >/dev/null 2>&1 &
    local app=$!
    while read -r line <&3; do
        case $line in MapNotify*) break ;; esac
    done
    end=$(date +%s%N)
    kill "$app" "$xev" 2>/dev/null || true
    wait "$app" "$xev" 2>/dev/null || true
    exec 3<&-
    rm -f "$fifo"
    echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

for program in minimal_window quorava; do
    path=$build/$program
    [ "$program" = minimal_window ] && path=$build/tools/minimal_window
    time_one "$path" >/dev/null # warm the caches
    samples=$(for _ in $(seq "$runs"); do time_one "$path"; done)
    echo "$program: median $(echo "$samples" | median) ms, min $(echo "$samples" | sort -n | head -1) ms over $runs runs"
done
