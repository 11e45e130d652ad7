# End to end, the game at rest: on the title and in play, the pointer still off and on the board, the game's threads
# together wake at most a few times a second; a selected ball under the pointer still blinks; a hover and a
# zero-length click after a rest are drawn and taken at once; a window covered and uncovered shows the game again
# within a few ticks, painted in parts and whole.
# Usage: rest_e2e.sh RUN_DIR COVER_WINDOW (tests/support/cover_window.cpp)
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
cover=$2

# Shoots the window until the area WxH+X+Y of the shot differs from (or with "same", equals) the one in picture $2,
# for up to a second: $1 names the shot.
expect_area() {
    local end=$((SECONDS + 2)) apart want=changed
    [ "${4:-}" = same ] && want=same
    while :; do
        e2e_shot "$WORK/$1.png"
        apart=$(compare -metric AE -extract "$3" "$WORK/$1.png" "$2" null: 2>&1)
        { [ $want = same ] && [ "$apart" = 0 ]; } || { [ $want = changed ] && [ "$apart" != 0 ]; } && return
        [ $SECONDS -lt $end ] || e2e_fail "$1: the area $3 not $want from $2 ($apart pixels apart)"
        sleep 0.05
    done
}

printf 1 >config.cfg  # S
e2e_start
e2e_wait_window 20 650x650
e2e_move 100 150  # on the artwork, off every widget
sleep 1           # the start's cooldown runs out
e2e_expect_rest "title, pointer still"

e2e_log "a hover after a rest is drawn, a zero-length click taken"
e2e_shot before-hover.png
e2e_move 330 377
expect_area hover "$WORK/before-hover.png" 300x75+180+340
e2e_click 330 377 0
e2e_expect_screen 0.5 play $E2E_PLAY 5

e2e_move 640 645  # off the board, below the buttons
sleep 1.5         # the new balls fade in
e2e_expect_rest "play, pointer off the board"
e2e_shot settled.png
e2e_read_cells settled.png
for i in $(seq 0 80); do e2e_near "${CELLS[i]}" $E2E_EMPTY_CELL 12 && empty=$i || ball=$i; done
e2e_move "$(e2e_cell_x "$empty")" "$(e2e_cell_y "$empty")"
sleep 0.3
e2e_expect_rest "play, pointer on an empty cell"

e2e_log "a selected ball blinks under the pointer"
e2e_click "$(e2e_cell_x "$ball")" "$(e2e_cell_y "$ball")"
n=$(e2e_wakeups)
[ "$n" -ge 30 ] || e2e_fail "a blinking selection woke the game $n times a second"
colours=""
for _ in $(seq 6); do
    e2e_shot blink.png
    colours+="$(e2e_pixels blink.png "$(e2e_cell_x "$ball")" "$(e2e_cell_y "$ball")") "
done
[ "$(echo $colours | tr ' ' '\n' | sort -u | wc -l)" -ge 2 ] || e2e_fail "the selection did not blink: $colours"
e2e_log "blinking: $n wake-ups a second"

# A cover over the board, the pointer off it and the game at rest, then gone: the picture comes back.
uncover() {
    local x y
    e2e_move 640 645
    sleep 0.5
    e2e_shot "uncovered-$1-before.png"
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    "$cover" $((X + 100)) $((Y + 150)) 200 160 300 || e2e_fail "cover_window failed"
    expect_area "uncovered-$1" "$WORK/uncovered-$1-before.png" 200x160+100+150 same
}
e2e_log "uncovered, painted in parts"
uncover parts
kill "$GAME_PID"
e2e_wait_exit 10

# Mesa without GL_ARB_clip_control leaves the game no canvas: the repair paints the whole picture.
e2e_log "uncovered, painted whole"
MESA_EXTENSION_OVERRIDE=-GL_ARB_clip_control e2e_start
e2e_wait_window 20 650x650
uncover whole
