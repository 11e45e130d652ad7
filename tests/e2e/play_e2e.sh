# End to end: Space starts, a move spawns three balls, Escape leaves, the start button starts, the back button leaves.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

CELL=817878 TITLE=d1e8ca PLAY=ac918c  # size S, 650 x 650: board origin (30, 40), cells 66 pixels apart
centre() { echo $(($1 + $2 * 66 + 33)); }  # origin, index
near() {  # RRGGBB RRGGBB tolerance
    local i d; for i in 0 2 4; do d=$((16#${1:i:2} - 16#${2:i:2})); [ ${d#-} -le "$3" ] || return 1; done
}
# Screenshots $1 and checks its background $2 at (5, 30).
expect_screen() {
    e2e_shot "$WORK/$1.png"
    local seen=$(e2e_pixel "$WORK/$1.png" 5 30)
    near "$seen" "$2" 3 || e2e_fail "$1: pixel (5, 30) is $seen, expected $2"
}
# Screenshots $1 in play, reads the cells' centre pixels into CELLS (row * 9 + col) and checks for $2 balls.
expect_balls() {
    local fmt="" i c balls=0
    expect_screen "$1" $PLAY
    for i in $(seq 0 80); do fmt+="%[hex:u.p{$(centre 30 $((i % 9))),$(centre 40 $((i / 9)))}] "; done
    mapfile -t CELLS < <(convert "$WORK/$1.png" -format "$fmt" info: | tr ' ' '\n' | grep . | cut -c1-6)
    for c in "${CELLS[@]}"; do near "$c" $CELL 12 || balls=$((balls + 1)); done
    [ ${#CELLS[@]} -eq 81 ] && [ $balls -eq "$2" ] || e2e_fail "$1: $balls balls in ${#CELLS[@]} cells, expected $2"
}

e2e_start
e2e_wait_window
e2e_move 300 20  # the pointer over the window for key focus
e2e_key space
sleep 1.6  # new balls fade in over about a second
expect_balls play1 5
from=-1 to=-1  # the first ball moves to the first empty cell; no run forms, so three balls appear
for i in $(seq 0 80); do
    if near "${CELLS[i]}" $CELL 12; then [ $to -lt 0 ] && to=$i; else [ $from -lt 0 ] && from=$i colour=${CELLS[i]}; fi
done
e2e_click "$(centre 30 $((from % 9)))" "$(centre 40 $((from / 9)))"
e2e_click "$(centre 30 $((to % 9)))" "$(centre 40 $((to / 9)))"
sleep 1.6
expect_balls moved 8
near "${CELLS[to]}" "$colour" 12 || e2e_fail "cell $to shows ${CELLS[to]}, expected the moved ball $colour"
e2e_key Escape
sleep 0.3
expect_screen title1 $TITLE
sleep 1  # the title's cooldown of 44 ticks
e2e_click 330 377  # the start button
sleep 1.6
expect_balls play2 5
e2e_click 580 20  # the back button
sleep 0.3
expect_screen title2 $TITLE
