# End to end: title to play with Space, a move that spawns three balls, Escape, the start button,
# the overlay and back buttons, and Escape on the title to quit. Usage: play_e2e.sh RUN_DIR
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

# Board of the default size S (650 x 650): origin (30, 40), cells 66 pixels apart.
ORIGIN_X=30 ORIGIN_Y=40 PITCH=66 W=650
PLAY_BACKGROUND=ac918c TITLE_BACKGROUND=d1e8ca CELL=817878

# True when two RRGGBB colours differ by at most $3 in every channel.
near() {
    local a=$1 b=$2 tol=$3 i d
    for i in 0 2 4; do
        d=$(( 16#${a:i:2} - 16#${b:i:2} ))
        [ ${d#-} -le "$tol" ] || return 1
    done
}
# src (AARRGGBB) blended over the opaque dst (RRGGBB), as RRGGBB.
blend() {
    local a=$(( 16#${1:0:2} )) i out=""
    for i in 0 2 4; do
        out+=$(printf %02x $(( (16#${1:i+2:2} * a + 16#${2:i:2} * (255 - a) + 127) / 255 )))
    done
    echo "$out"
}
centre() { echo $(( $1 + $2 * PITCH + PITCH / 2 )); }
# Prints the centre pixels of the 81 cells, rows from the top, columns from the left.
cell_pixels() {
    local fmt="" row col
    for row in $(seq 0 8); do
        for col in $(seq 0 8); do
            fmt+="%[hex:u.p{$(centre $ORIGIN_X $col),$(centre $ORIGIN_Y $row)}] "
        done
    done
    convert "$1" -format "$fmt" info: | tr ' ' '\n' | grep . | cut -c1-6
}
# Reads a screenshot's board into CELLS (index row * 9 + col) and BALLS (the count of cells holding a ball).
read_board() {
    mapfile -t CELLS < <(cell_pixels "$1")
    [ ${#CELLS[@]} -eq 81 ] || e2e_fail "read ${#CELLS[@]} cells from $1"
    BALLS=0
    local c
    for c in "${CELLS[@]}"; do near "$c" $CELL 12 || BALLS=$((BALLS + 1)); done
}
# A click short enough for buttons that repeat while held (the overlay toggles again after 9 ticks):
# one xdotool process, so no start-up delay stretches the hold.
short_click() {
    e2e_move "$1" "$2"
    xdotool mousedown 1 sleep 0.05 mouseup 1
    sleep 0.2
}
shot() { e2e_shot "$WORK/$1.png"; echo "$WORK/$1.png"; }
expect_screen() {  # name background-at-(5,30)
    local seen
    seen=$(e2e_pixel "$(shot "$1")" 5 30)
    near "$seen" "$2" 3 || e2e_fail "$1: pixel (5, 30) is $seen, expected $2"
    e2e_log "$1: $seen"
}

e2e_start
e2e_wait_window
[ "$(e2e_window_size)" = "${W}x${W}" ] || e2e_fail "window is $(e2e_window_size), expected ${W}x${W}"
e2e_move 300 20
expect_screen title1 $TITLE_BACKGROUND

# Space starts a game of five balls; they fade in over about a second.
sleep 0.4
e2e_key space
sleep 1.6
expect_screen play1 $PLAY_BACKGROUND
read_board "$WORK/play1.png"
[ $BALLS -eq 5 ] || e2e_fail "a new game shows $BALLS balls, expected 5"

# Select the first ball, move it to the first empty cell: three new balls appear.
from=-1 to=-1
for i in $(seq 0 80); do
    if near "${CELLS[i]}" $CELL 12; then [ $to -lt 0 ] && to=$i; else [ $from -lt 0 ] && from=$i; fi
done
colour=${CELLS[from]}
e2e_log "move from cell $from ($colour) to cell $to"
e2e_click "$(centre $ORIGIN_X $((from % 9)))" "$(centre $ORIGIN_Y $((from / 9)))"
e2e_click "$(centre $ORIGIN_X $((to % 9)))" "$(centre $ORIGIN_Y $((to / 9)))"
sleep 1.6
read_board "$(shot moved)"
e2e_log "after the move: $BALLS balls"
[ $BALLS -eq 8 ] || e2e_fail "after a move without a run $BALLS balls, expected 8"
near "${CELLS[to]}" "$colour" 12 || e2e_fail "cell $to shows ${CELLS[to]}, expected the moved ball $colour"

# Escape returns to the title (after the move's cooldown of 22 ticks).
e2e_key Escape
sleep 0.3
expect_screen title2 $TITLE_BACKGROUND

# The start button (180, 340)-(480, 415) starts again once the title's cooldown of 44 ticks has run.
sleep 1
e2e_click 330 377
sleep 1.6
expect_screen play2 $PLAY_BACKGROUND
read_board "$WORK/play2.png"
[ $BALLS -eq 5 ] || e2e_fail "the second game shows $BALLS balls, expected 5"

# The overlay button darkens three rows of every four; a second click takes it away.
short_click $((W - 150)) 20
sleep 0.1
overlay=$(shot overlay)
for y in 300 301 302 303; do
    case $((y % 4)) in
        0 | 2) want=$(blend 1e000000 $PLAY_BACKGROUND) ;;
        1) want=$(blend 50000000 "$(blend 1e000000 $PLAY_BACKGROUND)") ;;
        3) want=$PLAY_BACKGROUND ;;
    esac
    seen=$(e2e_pixel "$overlay" 5 $y)
    near "$seen" "$want" 3 || e2e_fail "overlay row $y is $seen, expected $want"
done
short_click $((W - 150)) 20
sleep 0.1
seen=$(e2e_pixel "$(shot overlay_off)" 5 300)
near "$seen" $PLAY_BACKGROUND 3 || e2e_fail "overlay still on: row 300 is $seen"

# Hovering the back button lightens its face; clicking it returns to the title.
e2e_move $((W - 70)) 20
sleep 0.2
hovered=$(shot hovered)
seen=$(e2e_pixel "$hovered" $((W - 70)) 32)
want=$(blend 7affffff $PLAY_BACKGROUND)
near "$seen" "$want" 3 || e2e_fail "hovered back button is $seen, expected $want"
seen=$(e2e_pixel "$hovered" $((W - 150)) 32)
want=$(blend 63373737 $PLAY_BACKGROUND)
near "$seen" "$want" 3 || e2e_fail "idle overlay button is $seen, expected $want"
e2e_click $((W - 70)) 20
sleep 0.3
expect_screen title3 $TITLE_BACKGROUND

# Escape on the title quits with status 0.
sleep 0.3
e2e_key Escape
e2e_wait_exit 10
[ "$GAME_STATUS" = 0 ] || e2e_fail "the game ended with $GAME_STATUS, expected 0"
# One line break per spawned ball: 5 + 3 in the first game, 5 in the second.
breaks=$(grep -c '^$' "$WORK/stdout.txt")
[ "$breaks" -ge 13 ] || e2e_fail "stdout holds $breaks empty lines, expected at least 13"
e2e_log "passed"
