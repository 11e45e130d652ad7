# End-to-end helpers: run the built game in a scratch copy of its run folder under X, drive it with xdotool.
# Usage: source lib.sh; e2e_init RUN_DIR; then the functions below. Everything started is cleaned up on exit.
set -u

E2E_PIDS=()
E2E_XVFB=""

e2e_fail() { echo "FAIL: $*" >&2; exit 1; }
e2e_log() { echo "--- $*"; }

# Games started by the launcher are not our children: they are found by their folder. The next test waits for
# their windows to go (e2e_init).
e2e_cleanup() {
    kill "${E2E_PIDS[@]}" $E2E_XVFB 2>/dev/null
    [ -n "${WORK:-}" ] && pkill -9 -f "^$WORK/"
    [ -n "${WORK:-}" ] && [ -z "${E2E_KEEP:-}" ] && rm -rf "$WORK"
    return 0
}

# Copies the run folder (game, launcher, media; no config.cfg) to $WORK, unless it is "", and makes sure there is
# a display.
e2e_init() {
    WORK=$(mktemp -d /tmp/quintet-e2e.XXXXXX)
    [ -z "$1" ] || cp -r "$1/quintet" "$1/start" "$1/media" "$WORK/" || e2e_fail "no game in $1"
    trap e2e_cleanup EXIT
    if [ -z "${DISPLAY:-}" ]; then
        source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xvfb.sh"
        start_xvfb || e2e_fail "no X display"
        E2E_XVFB=$XVFB_PID
    fi
    e2e_wait_gone '.*' || e2e_fail "a game window from before is still on the display"
    cd "$WORK" || e2e_fail "cannot enter $WORK"
}

# Starts the game (or the command given) in the current folder; its stdout goes to $WORK/stdout.txt. Sets GAME_PID.
e2e_start() {
    "${@:-./quintet}" >"$WORK/stdout.txt" 2>"$WORK/stderr.txt" &
    GAME_PID=$!
    E2E_PIDS+=("$GAME_PID")
}

# Waits for a game window to be mapped and sets WIN to its id. Optional: timeout in seconds (default 20), and
# the size WxH it must have. A departed game's window is gone by then (e2e_wait_exit sees to it), so any window
# found is the new one.
e2e_wait_window() {
    local end=$((SECONDS + ${1:-20})) said=""
    WIN=""
    # A search ends early on an X error, as when a window it looks at vanishes (Wine's short-lived ones): search
    # again until the time is up.
    while [ -z "$WIN" ] && [ $SECONDS -lt $end ]; do
        WIN=$(timeout $((end - SECONDS)) xdotool search --sync --onlyvisible --name Quintet 2>"$WORK/xdotool.txt" |
            head -1)
        [ -n "$WIN" ] || { [ -s "$WORK/xdotool.txt" ] && said=$(tail -c 300 "$WORK/xdotool.txt"); sleep 0.2; }
    done
    sleep 0.5  # let the first frames draw
    if [ -n "$WIN" ]; then
        [ -z "${2:-}" ] || [ "$(e2e_window_size)" = "$2" ] || e2e_fail "window is $(e2e_window_size), not $2"
        return 0
    fi
    # What the game and xdotool said, so a failure on a machine we cannot watch can still be read.
    tail -c 400 "$WORK/stdout.txt" "$WORK/stderr.txt" >&2 2>/dev/null
    e2e_fail "no game window within ${1:-20}s${said:+ (xdotool: $said)}"
}

# Prints how often the started game's threads together woke from a wait, a second over two seconds: the voluntary
# context switches the kernel counts.
e2e_wakeups() {
    local a
    switches() {
        cat /proc/"$GAME_PID"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ { s += $2 } END { print s + 0 }'
    }
    a=$(switches)
    sleep 2
    echo $((($(switches) - a) / 2))
}
# Fails unless the game, left alone for two seconds, wakes at most $2 (2) times a second; $1 says where it rests.
e2e_expect_rest() {
    local n
    n=$(e2e_wakeups)
    [ "$n" -le "${2:-2}" ] || e2e_fail "$1: $n wake-ups a second at rest"
    e2e_log "$1: $n wake-ups a second"
}

# Prints the window's size as WxH.
e2e_window_size() { xdotool getwindowgeometry "$WIN" | awk '/Geometry:/ {print $2}'; }
# Moves the pointer to window coordinates.
e2e_move() { xdotool mousemove --window "$WIN" "$1" "$2"; sleep 0.1; }

# Presses xdotool command $1 and releases with $2, held $3 seconds: by default long enough for several 17 ms
# ticks, 0 sends the press and the release in one burst, so both can arrive between two ticks.
e2e_press() {
    local hold=(sleep "${3:-0.12}")
    [ "${3:-}" = 0 ] && hold=()
    xdotool $1 "${hold[@]}" $2
    sleep 0.15
}
# Clicks the left button at window coordinates. Optional: the hold, as for e2e_press.
e2e_click() { e2e_move "$1" "$2"; e2e_press "mousedown 1" "mouseup 1" "${3:-}"; }
# Presses a key by its X name (space, Escape, Left, Right, ...), pointer over the window for focus. Optional: the hold.
e2e_key() { e2e_press "keydown --delay 0 $1" "keyup --delay 0 $1" "${2:-}"; }
# Prints the sizes of the window's icons (_NET_WM_ICON: width, height and 0xAARRGGBB pixels of each in turn) as
# "WxH ...", and writes the one $1 pixels wide to file $2 in ImageMagick's text format.
e2e_window_icons() {
    xprop -id "$WIN" -f _NET_WM_ICON 32c _NET_WM_ICON | sed 's/^[^=]*= //' | tr -d ' ' | tr , '\n' |
        awk -v side="$1" -v out="$2" 'n == 0 { w = $1; getline h; n = w * h; p = 0; printf "%sx%s ", w, h
                if (w == side) print "# ImageMagick pixel enumeration: " w "," h ",255,srgba" >out; next }
            w == side { c = $1 + 0; printf "%d,%d: (%d,%d,%d,%d)\n", p % w, int(p / w), int(c / 65536) % 256,
                int(c / 256) % 256, c % 256, int(c / 16777216) >out }
            { n--; p++ } END { if (n) printf "and %d pixels short", n }'
}
# Saves a screenshot of the window to a PNG file.
e2e_shot() { import -window "$WIN" "$1" 2>/dev/null || e2e_fail "screenshot failed"; }
# Prints the RRGGBB colours of PNG $1 at the x y pairs that follow, one a line.
e2e_pixels() {
    local picture=$1 fmt=""
    shift
    while [ $# -gt 1 ]; do fmt+="%[hex:u.p{$1,$2}] "; shift 2; done
    convert "$picture" -format "$fmt" info: 2>/dev/null | tr ' ' '\n' | grep . | cut -c1-6
}

# Size S (650 x 650): the backgrounds of the title and play screens at (5, 30); the board's origin is (30, 40),
# its cells 66 pixels apart, and an empty cell's colour.
E2E_TITLE=d1e8ca E2E_PLAY=ac918c E2E_EMPTY_CELL=817878
e2e_cell_x() { echo $((63 + $1 % 9 * 66)); }  # the centre of cell row * 9 + col
e2e_cell_y() { echo $((73 + $1 / 9 * 66)); }
# config.cfg $1 holds the record of size mode $2: its digit and 35 zero bytes.
e2e_expect_record() {
    [ "$(od -An -v -tx1 "$1" | tr -d ' \n')" = "3$2$(printf '%070d' 0)" ] || e2e_fail "$1 is not the record of mode $2"
}
# True when colours $1 and $2 (RRGGBB) differ by at most $3 in every channel.
e2e_near() { local i d; for i in 0 2 4; do d=$((16#${1:i:2} - 16#${2:i:2})); [ ${d#-} -le "$3" ] || return 1; done; }

# Reads the 81 cell centres of a size-S screenshot into CELLS (RRGGBB each) and counts the balls into BALLS.
e2e_read_cells() {
    local spots=() i c
    for i in $(seq 0 80); do spots+=("$(e2e_cell_x $i)" "$(e2e_cell_y $i)"); done
    mapfile -t CELLS < <(e2e_pixels "$1" "${spots[@]}")
    BALLS=0
    for c in "${CELLS[@]}"; do e2e_near "$c" $E2E_EMPTY_CELL 12 || BALLS=$((BALLS + 1)); done
}

# Waits for the started game to end and sets GAME_STATUS to its exit status ("running" if it did not end).
# Call it directly, not in $( ): only this shell can collect its child's status.
e2e_wait_exit() {
    timeout "${1:-10}" tail -s 0.1 --pid="$GAME_PID" -f /dev/null
    kill -0 "$GAME_PID" 2>/dev/null && GAME_STATUS=running && return 0
    wait "$GAME_PID"
    GAME_STATUS=$?
    # The server drops a window a moment after its client exits: wait for that, so that the next
    # search cannot find a window that is about to go.
    e2e_wait_gone "${WIN:-none}"
}

# Presses key $1 until the game ends, and expects exit status $2: keys count once the cooldown has run out,
# which a loaded machine can stretch.
e2e_key_to_exit() {
    for _ in 1 2 3; do e2e_key "$1"; e2e_wait_exit 5; [ "$GAME_STATUS" = running ] || break; done
    [ "$GAME_STATUS" = "$2" ] || e2e_fail "$1 ended the game with $GAME_STATUS, expected $2"
}

# Waits up to 10 seconds until no game window whose id matches $1 (a grep pattern) is on the display.
e2e_wait_gone() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name Quintet 2>/dev/null | grep -qx "$1" || return 0
        sleep 0.1
    done
    return 1
}

# After $1 seconds shoots $2 with background $3 at (5, 30); with $4, reads cell centres into CELLS and counts $4 balls.
# A loaded machine draws late: what does not show yet is shot again, for up to 10 seconds more.
e2e_expect_screen() {
    local end=$((SECONDS + 10)) why
    sleep "$1"
    while :; do
        e2e_shot "$WORK/$2.png"
        why="pixel (5, 30) is not $3"
        if e2e_near "$(e2e_pixels "$WORK/$2.png" 5 30)" "$3" 3; then
            [ $# -lt 4 ] && return
            e2e_read_cells "$WORK/$2.png"
            [ "$BALLS" -eq "$4" ] && return
            why="$BALLS balls, expected $4"
        fi
        [ $SECONDS -lt $end ] || e2e_fail "$2: $why"
        sleep 0.3
    done
}

# Moves the first ball of the board last read into CELLS to the first empty cell, with a select-and-move click pair
# held $2 (as for e2e_click), then expects $1 balls after $3 (1.6) seconds and the ball in its new cell.
e2e_move_a_ball() {
    local i from to colour
    for i in $(seq 80 -1 0); do e2e_near "${CELLS[i]}" $E2E_EMPTY_CELL 12 && to=$i || { from=$i; colour=${CELLS[i]}; }; done
    for i in $from $to; do e2e_click "$(e2e_cell_x "$i")" "$(e2e_cell_y "$i")" "${2:-0.12}"; done
    e2e_expect_screen "${3:-1.6}" "moved-$to" $E2E_PLAY "$1"
    e2e_near "${CELLS[to]}" "$colour" 12 || e2e_fail "cell $to shows ${CELLS[to]}, expected the moved ball $colour"
}
