#!/usr/bin/env bash
# CPU share of the game left alone on its title screen, against the empty loop (clear and swap every 17 ms,
# 1 ms sleeps) in a window of the same size, each size in turn, on an Xvfb of its own.
# Usage: bench/idle_cpu.sh [BUILD_FOLDER]   (default build; needs the targets quintet and empty_loop)
# IDLE_SECONDS (10), IDLE_RUNS (3) and IDLE_MODES ("0 1 2 3 4") change what is measured; the figures are the
# medians of the runs. The X server's own share while each program runs is shown beside it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
seconds=${IDLE_SECONDS:-10}
runs=${IDLE_RUNS:-3}
modes=${IDLE_MODES:-0 1 2 3 4}
sides=(450 650 850 960 1140)
for program in "$build/run/quintet" "$build/bench/empty_loop"; do
    [ -x "$program" ] || { echo "missing $program: cmake --build $build --target quintet empty_loop"; exit 1; }
done

source "$root/scripts/xvfb.sh"
start_xvfb || { echo "Xvfb did not start"; exit 1; }
folder=$(mktemp -d)
trap 'kill "$XVFB_PID" 2>/dev/null; rm -rf "$folder"' EXIT
ln -s "$build/run/media" "$folder/media"
hz=$(getconf CLK_TCK)

# User and system time of a process so far, in clock ticks.
cpuTicks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# Starts a program in $folder, lets it settle for 2 s, then prints its CPU share and the X server's over
# $seconds, in percent of one core, and ends it.
measure() {
    (cd "$folder" && exec stdbuf -oL "$@" >"$folder/log" 2>&1) &
    local pid=$! a x b y
    sleep 2
    a=$(cpuTicks "$pid") x=$(cpuTicks "$XVFB_PID")
    sleep "$seconds"
    b=$(cpuTicks "$pid") y=$(cpuTicks "$XVFB_PID")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v p=$((b - a)) -v q=$((y - x)) -v hz="$hz" -v s="$seconds" \
        'BEGIN { printf "%.1f %.1f\n", 100 * p / hz / s, 100 * q / hz / s }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "CPU share in % of one core, median of $runs runs of ${seconds} s"
printf "%-6s %12s %12s %8s %14s %14s\n" size "idle title" "empty loop" ratio "X for title" "X for empty"
for mode in $modes; do
    side=${sides[$mode]}
    # The size the game opens comes from byte 0 of its 36-byte config.cfg.
    { printf '%d' "$mode"; head -c 35 /dev/zero; } >"$folder/config.cfg"
    game=() xgame=() empty=() xempty=()
    for _ in $(seq "$runs"); do
        read -r g xg < <(measure "$build/run/quintet")
        read -r e xe < <(measure "$build/bench/empty_loop" "$side")
        game+=("$g") xgame+=("$xg") empty+=("$e") xempty+=("$xe")
    done
    g=$(printf '%s\n' "${game[@]}" | median) e=$(printf '%s\n' "${empty[@]}" | median)
    printf "%-6s %12s %12s %8s %14s %14s\n" "$side" "$g" "$e" \
        "$(awk -v g="$g" -v e="$e" 'BEGIN { printf "%.2f", (e > 0 ? g / e : 0) }')" \
        "$(printf '%s\n' "${xgame[@]}" | median)" "$(printf '%s\n' "${xempty[@]}" | median)"
done
# The engine names the renderer on the line after "Using renderer".
echo "renderer: $(awk '/Using renderer/ { getline; print; exit }' "$folder/log")"
