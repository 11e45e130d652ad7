#!/bin/bash
# End to end: Escape on the title quits with 0; clicks on the start button and Escape in play, both pressed and
# released between two ticks, are taken 10 times of 10; the 650 window's right arrow stores M, the launcher opens 850.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

e2e_log "Escape on the title"
e2e_start
e2e_wait_window
e2e_move 100 100
sleep 0.5   # the start-up cooldown of 22 ticks runs out first
e2e_key Escape
e2e_wait_exit 10
[ "$GAME_STATUS" = 0 ] || e2e_fail "Escape ended the game with $GAME_STATUS, expected 0"

e2e_log "zero-length clicks on the start button and Escape taps in play"
e2e_start
e2e_wait_window
[ "$(e2e_window_size)" = 650x650 ] || e2e_fail "first window is $(e2e_window_size), expected 650x650"
sleep 0.5
for try in $(seq 10); do
    e2e_click 330 377 0
    e2e_expect_screen 0.5 "play$try" $E2E_PLAY  # play's cooldown of 21 ticks runs out
    e2e_key Escape 0
    e2e_expect_screen 1.0 "title$try" $E2E_TITLE  # and the title's of 44
done

e2e_log "the right arrow relaunches at M"
e2e_click 400 495   # the right arrow of size S: 380 < x < 420, 480 < y < 510
e2e_wait_exit 10
[ "$GAME_STATUS" = 255 ] || e2e_fail "the right arrow ended the game with $GAME_STATUS, expected 255"
grep -q "could not start" stdout.txt && e2e_fail "the game says the launcher did not start"
[ "$(od -An -v -tx1 config.cfg | tr -d ' \n')" = "32$(printf '%070d' 0)" ] || e2e_fail "config.cfg is not M's record"
e2e_log "the relaunched window"
# The old game has ended, so a window now is the launcher's new game; e2e_cleanup ends it.
e2e_wait_window 20
[ "$(e2e_window_size)" = 850x850 ] || e2e_fail "relaunched window is $(e2e_window_size), expected 850x850"
e2e_log pass
