# End to end: Space starts, a move spawns three balls, Escape leaves, the start button starts, the back button leaves.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

TITLE=d1e8ca PLAY=ac918c  # size S, 650 x 650
# After $1 seconds shoots $2 with background $3 at (5, 30); with $4, reads cell centres into CELLS and counts $4 balls.
expect_screen() {
    sleep "$1"
    e2e_shot "$WORK/$2.png"
    e2e_near "$(e2e_pixel "$WORK/$2.png" 5 30)" "$3" 3 || e2e_fail "$2: pixel (5, 30) is not $3"
    [ $# -lt 4 ] && return
    e2e_read_cells "$WORK/$2.png"
    [ $BALLS -eq "$4" ] || e2e_fail "$2: $BALLS balls, expected $4"
}

e2e_start
e2e_wait_window
e2e_move 300 20  # the pointer over the window for key focus
e2e_key space
expect_screen 1.6 play1 $PLAY 5  # new balls fade in over about a second
# The first ball moves to the first empty cell; no run forms, so three balls appear.
for i in $(seq 80 -1 0); do e2e_near "${CELLS[i]}" $E2E_EMPTY_CELL 12 && to=$i || { from=$i; colour=${CELLS[i]}; }; done
for i in $from $to; do e2e_click "$(e2e_cell_x $i)" "$(e2e_cell_y $i)"; done
expect_screen 1.6 moved $PLAY 8
e2e_near "${CELLS[to]}" "$colour" 12 || e2e_fail "cell $to shows ${CELLS[to]}, expected the moved ball $colour"
e2e_key Escape
expect_screen 1.3 title1 $TITLE  # and the title's cooldown of 44 ticks runs out
e2e_click 330 377  # the start button
expect_screen 1.6 play2 $PLAY 5
e2e_click 580 20  # the back button
expect_screen 0.3 title2 $TITLE
