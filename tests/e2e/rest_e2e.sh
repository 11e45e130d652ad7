# End to end, a player's first game and the game at rest. The first start in an empty folder creates config.cfg,
# opens 650 x 650 and echoes the record. On the title and in play, the pointer still off and on the board, the game's
# threads together wake at most a few times a second; a hover and a zero-length click after a rest are drawn and taken
# at once; a move spawns three balls, so does one made of clicks shorter than a tick; a selected ball under the pointer
# still blinks; a window covered and uncovered shows the game again within a few ticks, painted in parts and whole.
# The back button leaves, Escape on the title quits with 0; without a display the game says so and ends with status 1
# (a missing or damaged font is the start-up test's).
# Usage: rest_e2e.sh RUN_DIR XWINDOW (tests/support/xwindow.c)
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
xwindow=$2

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

e2e_start
e2e_wait_window 20 650x650
e2e_expect_record config.cfg 1
caption=$(xdotool getwindowname "$WIN")
[ "${caption:0:1}" = " " ] || e2e_fail "caption '$caption' does not begin with a blank"
e2e_move 100 150  # on the artwork, off every widget
sleep 1           # the start's cooldown runs out
e2e_expect_rest "title, pointer still"

e2e_log "a hover after a rest is drawn, a zero-length click taken"
e2e_shot before-hover.png
e2e_move 330 377
expect_area hover "$WORK/before-hover.png" 300x75+180+340
e2e_click 330 377 0
e2e_expect_screen 1.6 play $E2E_PLAY 5  # new balls fade in over about a second
e2e_move_a_ball 8     # no run forms, so three balls appear
e2e_move_a_ball 11 0  # each click pressed and released between two ticks

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
    e2e_move 640 645
    sleep 0.5
    e2e_shot "uncovered-$1-before.png"
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    "$xwindow" cover $((X + 100)) $((Y + 150)) 200 160 300 || e2e_fail "no cover window"
    expect_area "uncovered-$1" "$WORK/uncovered-$1-before.png" 200x160+100+150 same
}
e2e_log "uncovered, painted in parts"
uncover parts
e2e_click 580 20  # the back button
e2e_expect_screen 1.3 title $E2E_TITLE  # and the title's cooldown of 44 ticks runs out
e2e_key_to_exit Escape 0
[ "$(head -1 stdout.txt)" = "w cfg = 1    49    icfg= 1  " ] || e2e_fail "echo line: $(head -1 stdout.txt | od -c | head -3)"
( env -u DISPLAY ./quintet >stdout.txt 2>/dev/null ); status=$?
[ "$status" = 1 ] || e2e_fail "without a display the status is $status"
[ "$(tail -c 29 stdout.txt)" = "cannot create video device.. " ] || e2e_fail "no device message: $(tail -c 60 stdout.txt)"

# Mesa without GL_ARB_clip_control leaves the game no canvas: the repair paints the whole picture.
e2e_log "uncovered, painted whole"
MESA_EXTENSION_OVERRIDE=-GL_ARB_clip_control e2e_start
e2e_wait_window 20 650x650
uncover whole
