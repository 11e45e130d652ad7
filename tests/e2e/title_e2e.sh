#!/bin/bash
# End to end: the right arrow in the 650 window stores size M and the real launcher opens an 850 window;
# Escape on the title screen ends the game with status 0.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_init "$1"

# The game that the launcher starts is not our child; it is ended by its id if a check fails.
RELAUNCHED=""
stop_relaunched() { [ -n "$RELAUNCHED" ] && kill "$RELAUNCHED" 2>/dev/null; return 0; }
trap 'stop_relaunched; e2e_cleanup' EXIT

config_hex() { od -An -v -tx1 config.cfg | tr -d ' \n'; }
# Ended: gone, or a zombie that nobody has reaped yet (its parent, the launcher, is gone).
ended() { [ ! -e "/proc/$1" ] || [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" = Z ]; }
record_hex() { printf '3%s' "$1"; printf '00%.0s' $(seq 35); }

e2e_start
e2e_wait_window
first=$(e2e_window_size)
e2e_log "first window $first"
[ "$first" = 650x650 ] || e2e_fail "first window is $first, expected 650x650 for a new config.cfg"
[ "$(config_hex)" = "$(record_hex 1)" ] || e2e_fail "config.cfg after the first start: $(config_hex)"
e2e_shot title.png
background=$(e2e_pixel title.png 20 40)
[ "${background,,}" = d1e8ca ] || e2e_fail "title background is $background, expected d1e8ca"

# The start-up cooldown of 22 ticks must have run out before a click counts.
sleep 0.5
e2e_click 400 495   # right arrow of size S: 380 < x < 420, 480 < y < 510
e2e_wait_exit 10
[ "$GAME_STATUS" = 255 ] || e2e_fail "after the right arrow the game ended with $GAME_STATUS, expected 255"
[ "$(config_hex)" = "$(record_hex 2)" ] || e2e_fail "config.cfg after the size change: $(config_hex)"

# The old game has ended, so any game window now is the new one; it may even reuse the old window's id.
e2e_wait_window 20
second=$(e2e_window_size)
e2e_log "relaunched window $second"
[ "$second" = 850x850 ] || e2e_fail "relaunched window is $second, expected 850x850"
RELAUNCHED=$(pgrep -x -f "$WORK/quintet" | head -n 1)
[ -n "$RELAUNCHED" ] || e2e_fail "no relaunched game process"
[ "$(readlink "/proc/$RELAUNCHED/cwd")" = "$WORK" ] || e2e_fail "relaunched game runs in $(readlink "/proc/$RELAUNCHED/cwd")"

# Escape ends the relaunched game too; only its disappearance can be seen, since it is not our child.
sleep 0.5
e2e_move 100 100
e2e_key Escape
for _ in $(seq 50); do ended "$RELAUNCHED" && break; sleep 0.1; done
ended "$RELAUNCHED" || e2e_fail "Escape did not end the relaunched game"
RELAUNCHED=""

# Started by hand, the stored size holds, and Escape's exit status can be read.
e2e_start
e2e_wait_window
third=$(e2e_window_size)
e2e_log "window started by hand $third"
[ "$third" = 850x850 ] || e2e_fail "window started by hand is $third, expected 850x850"
sleep 0.5
e2e_move 100 100
e2e_key Escape
e2e_wait_exit 10
[ "$GAME_STATUS" = 0 ] || e2e_fail "Escape ended the game with $GAME_STATUS, expected 0"
e2e_log "pass"
