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

# Alternate the two programs so that whatever else the machine does weighs on both alike.
yardstick=$build/tools/minimal_window
program=$build/quorava
time_one "$yardstick" >/dev/null # warm the caches
time_one "$program" >/dev/null
yardstick_ms=()
program_ms=()
for _ in $(seq "$runs"); do
    yardstick_ms+=("$(time_one "$yardstick")")
    program_ms+=("$(time_one "$program")")
done
report() {
    local name=$1
    shift
    printf '%s\n' "$@" | sort -n | awk -v name="$name" \
        '{a[NR]=$1} END {printf "%-15s median %4d ms, min %4d ms, max %4d ms over %d runs\n", name, a[int((NR+1)/2)], a[1], a[NR], NR}'
}
report minimal_window "${yardstick_ms[@]}"
report quorava "${program_ms[@]}"
