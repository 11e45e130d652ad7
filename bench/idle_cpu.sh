#!/usr/bin/env bash
# What the game costs a machine in four states: how often its threads wake from a wait, a second (the voluntary
# context switches the kernel counts), and its share of one core. The title at rest and play at rest (the pointer
# still, off the board), a selected ball blinking under the pointer, and a running game (the pointer moving over the
# board, so that every tick draws). Beside them the bare engine tick: the empty loop (a clear and a swap every
# 17 ms, 1 ms sleeps) in a window of the same size. Each on an Xvfb of its own.
# Usage: bench/idle_cpu.sh [BUILD_FOLDER [OTHER_RUN_FOLDER]]   (default build; needs the targets quintet and
# empty_loop). OTHER_RUN_FOLDER, another build's run folder (the game and media/), is measured the same way in
# the same run, as "before". IDLE_SECONDS (5), IDLE_RUNS (3) and IDLE_MODES ("1 4") change what is measured; the
# figures are the medians of the runs; IDLE_STATES picks states. IDLE_WINE_ZIPS, a list of Windows zips, adds the title at rest, play at
# rest and the running game of each under wine64 at size S.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
other=${2:+$(cd "$2" && pwd)}
seconds=${IDLE_SECONDS:-5}
runs=${IDLE_RUNS:-3}
modes=${IDLE_MODES:-1 4}
for program in "$build/run/quintet" "$build/bench/empty_loop" ${other:+"$other/quintet"}; do
    [ -x "$program" ] || { echo "missing $program: cmake --build $build --target quintet empty_loop"; exit 1; }
done

source "$root/scripts/xvfb.sh"
folder=$(mktemp -d)
XVFB_PID=""
trap 'kill $XVFB_PID 2>/dev/null; /usr/lib/wine/wineserver -k 2>/dev/null; rm -rf "$folder"' EXIT
hz=$(getconf CLK_TCK)

# Per size mode: the window's side, the start button's centre, the board's origin and cell pitch.
sides=(450 650 850 960 1140)
buttons=("235 247" "330 377" "450 467" "510 517" "610 617")
boards=("28 36 44" "30 40 66" "32 40 88" "32 50 100" "33 52 119")

# Voluntary context switches of all the process's threads, and its user and system time in clock ticks.
switches() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ { s += $2 } END { print s + 0 }'; }
cpuTicks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# Prints "wake-ups a second, % of a core" of process $1 over $seconds.
sample() {
    local a c b d
    a=$(switches "$1") c=$(cpuTicks "$1")
    sleep "$seconds"
    b=$(switches "$1") d=$(cpuTicks "$1")
    awk -v w=$((b - a)) -v p=$((d - c)) -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.1f %.2f\n", w / s, 100 * p / hz / s }'
}

# The centre of a cell that holds a ball at mode $1, read from a screenshot of window $2; empty cells are flat
# 0x817878.
findBall() {
    local ox oy pitch spots=() i c
    read -r ox oy pitch <<<"${boards[$1]}"
    for i in $(seq 0 80); do spots+=($((ox + i % 9 * pitch + pitch / 2)) $((oy + i / 9 * pitch + pitch / 2))); done
    import -window "$2" "$folder/shot.png"
    i=0
    for c in $(convert "$folder/shot.png" -format "$(printf '%%[hex:u.p{%s,%s}] ' "${spots[@]}")" info:); do
        [ "${c:0:6}" = 817878 ] || { echo "${spots[2 * i]} ${spots[2 * i + 1]}"; return; }
        i=$((i + 1))
    done
}

# Runs command $3.. in $folder at mode $1 and prints the figures of state $2 (title, play, blink, running).
measure() {
    local mode=$1 state=$2 pid window side bx by mover="" x y
    shift 2
    side=${sides[$mode]}
    # The size the game opens comes from byte 0 of its 36-byte config.cfg.
    { printf '%d' "$mode"; head -c 35 /dev/zero; } >"$folder/config.cfg"
    (cd "$folder" && exec stdbuf -oL "$@" >"$folder/log" 2>&1) &
    pid=$!
    # The empty loop's window has no name, and nothing to point at.
    [ "$state" = bare ] || window=$(timeout 60 xdotool search --sync --onlyvisible --name Quintet 2>/dev/null | head -1)
    sleep 2
    read -r bx by <<<"${buttons[$mode]}"
    case $state in
    title) xdotool mousemove --window "$window" 20 $((side / 3)) ;;
    play | blink | running)
        xdotool mousemove --window "$window" "$bx" "$by" click 1
        sleep 2
        xdotool mousemove --window "$window" $((side - 3)) $((side - 3))
        if [ "$state" = blink ]; then
            read -r x y <<<"$(findBall "$mode" "$window")"
            xdotool mousemove --window "$window" "$x" "$y" click 1
        elif [ "$state" = running ]; then
            (while :; do
                for x in 100 140 180 220 180 140; do xdotool mousemove --window "$window" "$x" $((side / 2)); sleep 0.01; done
            done) &
            mover=$!
        fi
        ;;
    esac
    sleep 1
    sample "$pid"
    [ -z "$mover" ] || kill "$mover"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    # Until the server has dropped the window, a search for the next game's could find it.
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name Quintet >/dev/null 2>&1 || break
        sleep 0.1
    done
}

median() { sort -g | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Prints a table row: the label $1, then for each program (a command in $2, $3, ...) the medians of its runs.
row() {
    local label=$1 mode=$2 state=$3 cells="" command wakes shares
    shift 3
    for command in "$@"; do
        wakes=() shares=()
        for _ in $(seq "$runs"); do
            read -r w s <<<"$(measure "$mode" "$state" $command)"
            wakes+=("$w") shares+=("$s")
        done
        cells+=" | $(printf '%s\n' "${wakes[@]}" | median) | $(printf '%s\n' "${shares[@]}" | median) %"
    done
    echo "| $label$cells |"
}

start_xvfb || { echo "Xvfb did not start"; exit 1; }
ln -s "$build/run/media" "$folder/media"
echo "Wake-ups a second and share of one core, medians of $runs runs of $seconds s each; $(nproc) cores"
header="| size, state | after: wake-ups/s | after: core"
[ -z "$other" ] || header="| size, state | before: wake-ups/s | before: core | after: wake-ups/s | after: core"
echo "$header |"
echo "$header |" | sed 's/[^|]\+/---/g'
for mode in $modes; do
    for state in ${IDLE_STATES:-title play blink running}; do
        row "${sides[$mode]}, $state" "$mode" "$state" ${other:+"$other/quintet"} "$build/run/quintet"
    done
    row "${sides[$mode]}, bare engine tick" "$mode" bare "$build/bench/empty_loop ${sides[$mode]}"
done
# The engine names the renderer on the line after "Using renderer".
echo "renderer: $(awk '/Using renderer/ { getline; print; exit }' "$folder/log")"

if [ -n "${IDLE_WINE_ZIPS:-}" ]; then
    export WINEPREFIX="$folder/prefix" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
    /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 && /usr/lib/wine/wineserver -w
    programs=()
    for zip in $IDLE_WINE_ZIPS; do
        unzip -q "$zip" -d "$folder/$(basename "$zip" .zip)-$((${#programs[@]}))"
        exe=$(find "$folder/$(basename "$zip" .zip)-$((${#programs[@]}))" -name quintet.exe)
        rm -f "$folder/media" && ln -s "$(dirname "$exe")/media" "$folder/media"
        programs+=("/usr/lib/wine/wine64 $exe")
    done
    echo
    echo "quintet.exe under wine64 at 650, one column pair per zip: $IDLE_WINE_ZIPS"
    for state in title play running; do row "650, $state" 1 "$state" "${programs[@]}"; done
fi
