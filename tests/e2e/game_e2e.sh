# End to end, a player's first game in an empty folder: the first start creates config.cfg, opens 650 x 650 and
# echoes the record; Space starts, a move spawns three balls, so does one made of clicks shorter than a tick, the
# back button leaves; clicks on the start button and Escape taps in play, both pressed and released between two
# ticks, are taken 10 times of 10; Escape on the title quits with 0. Without a display the game says so and ends
# with status 1 (a missing or damaged font is the start-up test's).
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

e2e_start
e2e_wait_window 20 650x650
e2e_expect_record config.cfg 1
caption=$(xdotool getwindowname "$WIN")
[ "${caption:0:1}" = " " ] || e2e_fail "caption '$caption' does not begin with a blank"

e2e_move 300 20  # the pointer over the window for key focus
e2e_key space
e2e_expect_screen 1.6 play $E2E_PLAY 5  # new balls fade in over about a second
e2e_move_a_ball  # no run forms, so three balls appear
e2e_expect_screen 1.6 moved $E2E_PLAY 8
e2e_expect_moved
e2e_move_a_ball 0  # each click pressed and released between two ticks
e2e_expect_screen 1.6 moved0 $E2E_PLAY 11
e2e_expect_moved
e2e_click 580 20  # the back button
e2e_expect_screen 1.3 title $E2E_TITLE  # and the title's cooldown of 44 ticks runs out

for try in $(seq 10); do
    e2e_click 330 377 0  # the start button
    e2e_expect_screen 0.5 "play$try" $E2E_PLAY  # play's cooldown of 21 ticks runs out
    e2e_key Escape 0
    e2e_expect_screen 1.0 "title$try" $E2E_TITLE  # and the title's of 44
done
e2e_key_to_exit Escape 0
[ "$(head -1 stdout.txt)" = "w cfg = 1    49    icfg= 1  " ] || e2e_fail "echo line: $(head -1 stdout.txt | od -c | head -3)"

rm config.cfg
( env -u DISPLAY ./quintet >stdout.txt 2>/dev/null ); status=$?
[ "$status" = 1 ] || e2e_fail "without a display the status is $status"
[ "$(tail -c 29 stdout.txt)" = "cannot create video device.. " ] || e2e_fail "no device message: $(tail -c 60 stdout.txt)"

