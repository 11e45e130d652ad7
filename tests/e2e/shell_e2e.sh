# End to end: first start in an empty folder creates config.cfg, opens 650 x 650, echoes the record,
# and closing the window ends with status 0; a folder in place of config.cfg is left alone and the game starts
# at 650; damaged pictures are left out on OpenGL as well.
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

e2e_log "a folder named config.cfg"
rm -f config.cfg && mkdir config.cfg
e2e_start
e2e_wait_window
[ "$(e2e_window_size)" = "650x650" ] || e2e_fail "window is $(e2e_window_size) with an unwritable config"
grep -q "^could not read config.cfg, using size S$" stdout.txt || e2e_fail "no line about the unreadable config"
e2e_close_window
e2e_wait_exit 10
[ "$GAME_STATUS" = 0 ] || e2e_fail "status $GAME_STATUS"
[ -d config.cfg ] || e2e_fail "the folder named config.cfg is gone"

e2e_log "no display"
rm -rf config.cfg
( env -u DISPLAY ./quintet >stdout.txt 2>/dev/null ); status=$?
[ "$status" = 1 ] || e2e_fail "without a display the status is $status"
[ "$(tail -c 29 stdout.txt)" = "cannot create video device.. " ] || e2e_fail "no device message: $(tail -c 60 stdout.txt)"

e2e_log "missing fonts"
for case in "1 Swiss12" "3 humn28"; do
    set -- $case
    printf '%s' "$1" >config.cfg
    mv "media/$2.xml" "media/$2.away"
    e2e_start
    e2e_wait_exit 20
    [ "$GAME_STATUS" = 1 ] || e2e_fail "a missing $2 gave status $GAME_STATUS"
    grep -qF " sorry, font file not found:  $2.xml  !!! " stdout.txt || e2e_fail "no $2 message"
    mv "media/$2.away" "media/$2.xml"
done

e2e_log "damaged images: the game runs without them"
rm -f config.cfg
head -c $(($(stat -c %s media/exp.bmp) / 2)) media/exp.bmp >half.bmp && mv half.bmp media/exp.bmp
head -c "$(stat -c %s media/title.bmp)" /dev/urandom >random.bmp && mv random.bmp media/title.bmp
e2e_start
e2e_wait_window
e2e_move 300 300
e2e_key space
sleep 0.5
kill -0 "$GAME_PID" || e2e_fail "the game ended without its images"
e2e_close_window
e2e_wait_exit 10
[ "$GAME_STATUS" = 0 ] || e2e_fail "status $GAME_STATUS with damaged images"

echo "shell e2e passed"
