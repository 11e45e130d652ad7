# End to end: Space starts, a move spawns three balls, Escape leaves, the start button starts, the back button leaves.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

CELL=817878 TITLE=d1e8ca PLAY=ac918c  # size S, 650 x 650: board origin (30, 40), cells 66 pixels apart
cx() { echo $((63 + $1 % 9 * 66)); }; cy() { echo $((73 + $1 / 9 * 66)); }  # the centre of cell row * 9 + col
near() { local i d; for i in 0 2 4; do d=$((16#${1:i:2} - 16#${2:i:2})); [ ${d#-} -le "$3" ] || return 1; done; }
# After $1 seconds shoots $2 with background $3 at (5, 30); with $4, reads cell centres into CELLS and counts $4 balls.
expect_screen() {
    local fmt="" i c balls=0
    sleep "$1"
    e2e_shot "$WORK/$2.png"
    near "$(e2e_pixel "$WORK/$2.png" 5 30)" "$3" 3 || e2e_fail "$2: pixel (5, 30) is not $3"
    [ $# -lt 4 ] && return
    for i in $(seq 0 80); do fmt+="%[hex:u.p{$(cx $i),$(cy $i)}] "; done
    mapfile -t CELLS < <(convert "$WORK/$2.png" -format "$fmt" info: | tr ' ' '\n' | grep . | cut -c1-6)
    for c in "${CELLS[@]}"; do near "$c" $CELL 12 || balls=$((balls + 1)); done
    [ ${#CELLS[@]} -eq 81 ] && [ $balls -eq "$4" ] || e2e_fail "$2: $balls balls in ${#CELLS[@]} cells, expected $4"
}

e2e_start
e2e_wait_window
e2e_move 300 20  # the pointer over the window for key focus
e2e_key space
expect_screen 1.6 play1 $PLAY 5  # new balls fade in over about a second
# The first ball moves to the first empty cell; no run forms, so three balls appear.
for i in $(seq 80 -1 0); do near "${CELLS[i]}" $CELL 12 && to=$i || { from=$i; colour=${CELLS[i]}; }; done
for i in $from $to; do e2e_click "$(cx $i)" "$(cy $i)"; done
expect_screen 1.6 moved $PLAY 8
near "${CELLS[to]}" "$colour" 12 || e2e_fail "cell $to shows ${CELLS[to]}, expected the moved ball $colour"
e2e_key Escape
expect_screen 1.3 title1 $TITLE  # and the title's cooldown of 44 ticks runs out
e2e_click 330 377  # the start button
expect_screen 1.6 play2 $PLAY 5
e2e_click 580 20  # the back button
expect_screen 0.3 title2 $TITLE
