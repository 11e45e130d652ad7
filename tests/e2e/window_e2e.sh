# End to end, the window on a desktop. At XS under openbox, started after the game: identity, icons and size hints
# as xprop reads them (which keep a window manager from resizing it), and a close through openbox that ends the game
# with status 0.
# Then at another size with no window manager, a size forced on the window anyway (xdotool): the picture stays in
# the top-left corner pixel for pixel and takes its clicks there, painted in parts and whole.
# Usage: window_e2e.sh RUN_DIR ICON_32_PNG (quintet-256.png beside it)
source "$(dirname "$0")/lib.sh"
# A display of its own: atoms live as long as the server, and an older window manager's would hide a game that
# names none.
unset DISPLAY
e2e_init "$1"

# Shot $1 holds shot $2 in its top-left corner, and black around it.
same_corner() {
    local size
    size=$(identify -format %wx%h "$2")
    convert "$1" -crop "$size+0+0" +repage corner.png
    [ "$(compare -metric AE "$2" corner.png null: 2>&1)" = 0 ] || e2e_fail "$1: its top-left corner is not $2"
    [ "$(convert "$1" -fill black -draw "rectangle 0,0 ${size/x/,}" -format '%[fx:maxima]' info:)" = 0 ] ||
        e2e_fail "$1: not black around the picture"
}
property() { xprop -id "$WIN" "$1" | sed 's/^[^=]*= //'; }
# The minimum and maximum size of WM_NORMAL_HINTS.
size_hints() { xprop -id "$WIN" WM_NORMAL_HINTS | awk '/(minimum|maximum) size/ {printf "%sx%s ", $5, $7}'; }

e2e_log "at XS, under a window manager started after the game, whose close request ends it with status 0"
# First on the display: a game that names no WM_DELETE_WINDOW would show it only while no other client has.
printf 0 >config.cfg
e2e_start
e2e_wait_window
openbox >/dev/null 2>&1 &
openbox=$!
E2E_PIDS+=($openbox)
# Until openbox has taken the game's window in: it lists it then.
for _ in $(seq 100); do wmctrl -l 2>/dev/null | grep -q Quintet && break; sleep 0.1; done
[ "$(size_hints)" = "450x450 450x450 " ] || e2e_fail "size hints at XS: $(size_hints)"
for row in "WM_CLASS=\"quintet\", \"Quintet\"" "_NET_WM_PID=$GAME_PID" "WM_CLIENT_MACHINE=\"$(hostname)\""; do
    [ "$(property "${row%%=*}")" = "${row#*=}" ] || e2e_fail "${row%%=*} is $(property "${row%%=*}")"
done
sizes=$(e2e_window_icons 32 icon32.txt)
[ "$sizes" = "16x16 32x32 48x48 64x64 128x128 " ] || e2e_fail "window icons: $sizes"
[ "$(compare -metric AE icon32.txt "$2" null: 2>&1)" = 0 ] || e2e_fail "the window's 32 x 32 icon is not $2"
# The desktops' largest icon is drawn at its size, not blown up from a smaller one in blocks of 2 x 2.
convert "${2%32.png}256.png" -sample 50% -sample 200% blown-up.png
[ "$(compare -metric AE "${2%32.png}256.png" blown-up.png null: 2>&1)" != 0 ] || e2e_fail "the 256 x 256 icon is blown up"
wmctrl -c Quintet
e2e_wait_exit 10
[ "$GAME_STATUS" = 0 ] || e2e_fail "closing the window gave status $GAME_STATUS"
kill $openbox
printf 1 >config.cfg  # S

# Mesa without GL_ARB_clip_control leaves the game no canvas: every picture is painted whole on the window.
for painting in parts whole; do
    e2e_log "a forced size, painted $painting"
    [ $painting = whole ] && export MESA_EXTENSION_OVERRIDE=-GL_ARB_clip_control
    e2e_start
    e2e_wait_window 20 650x650
    e2e_move 5 640
    e2e_shot title.png
    xdotool windowsize "$WIN" 900 700
    e2e_expect_screen 0.3 forced-title $E2E_TITLE
    [ "$(e2e_window_size)" = 900x700 ] || e2e_fail "forced to $(e2e_window_size), not 900x700"
    same_corner forced-title.png title.png
    e2e_click 330 377  # the start button
    e2e_expect_screen 1.6 forced-play $E2E_PLAY 5
    xdotool windowsize "$WIN" 650 650
    e2e_expect_screen 0.3 back $E2E_PLAY
    same_corner forced-play.png back.png
    kill "$GAME_PID"
    e2e_wait_exit 10
done
