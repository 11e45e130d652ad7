# End to end: first start in an empty folder creates config.cfg, opens 650 x 650, echoes the record,
# and closing the window ends with status 0; a folder in place of config.cfg still starts at 650.
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
printf 'w cfg = 1    49    icfg= 1  \n' | cmp -s - <(head -c 27 stdout.txt) || e2e_fail "echo line: $(head -1 stdout.txt | od -c | head -3)"

e2e_log "a folder named config.cfg"
rm -f config.cfg && mkdir config.cfg
e2e_start
e2e_wait_window
[ "$(e2e_window_size)" = "650x650" ] || e2e_fail "window is $(e2e_window_size) with an unwritable config"
grep -q "could not write config.cfg" stdout.txt || e2e_fail "no line about the unwritable config"
e2e_close_window
e2e_wait_exit 10
[ "$GAME_STATUS" = 0 ] || e2e_fail "status $GAME_STATUS"

echo "shell e2e passed"
