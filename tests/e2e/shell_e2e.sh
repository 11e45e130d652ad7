# End to end: first start in an empty folder creates config.cfg, opens 650 x 650, echoes the record, and
# closing the window ends with status 0; without a display or a font the game says so and ends with status 1.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

e2e_log "first start"
e2e_start
e2e_wait_window
[ "$(e2e_window_size)" = "650x650" ] || e2e_fail "window is $(e2e_window_size), not 650x650"
[ -f config.cfg ] || e2e_fail "config.cfg not created"
[ "$(stat -c %s config.cfg)" = 36 ] || e2e_fail "config.cfg is not 36 bytes"
[ "$(od -An -tx1 -N4 config.cfg | tr -d ' ')" = "31000000" ] || e2e_fail "config.cfg does not begin 31 00 00 00"
caption=$(xdotool getwindowname "$WIN")
[ "${caption:0:1}" = " " ] || e2e_fail "caption '$caption' does not begin with a blank"

e2e_log "closing the window"
e2e_close_window
e2e_wait_exit 10
[ "$GAME_STATUS" = 0 ] || e2e_fail "closing the window gave status $GAME_STATUS"
[ "$(head -1 stdout.txt)" = "w cfg = 1    49    icfg= 1  " ] || e2e_fail "echo line: $(head -1 stdout.txt | od -c | head -3)"

e2e_log "no display"
rm -rf config.cfg
( env -u DISPLAY ./quintet >stdout.txt 2>/dev/null ); status=$?
[ "$status" = 1 ] || e2e_fail "without a display the status is $status"
[ "$(tail -c 29 stdout.txt)" = "cannot create video device.. " ] || e2e_fail "no device message: $(tail -c 60 stdout.txt)"

e2e_log "a missing font"
printf 3 >config.cfg
mv media/humn28.xml media/humn28.away
e2e_start
e2e_wait_exit 20
[ "$GAME_STATUS" = 1 ] || e2e_fail "a missing humn28.xml gave status $GAME_STATUS"
grep -qF " sorry, font file not found:  humn28.xml  !!! " stdout.txt || e2e_fail "no humn28 message"

echo "shell e2e passed"
