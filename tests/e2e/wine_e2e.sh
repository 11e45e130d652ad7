# End to end on Windows' terms: the Windows zip unpacked into a scratch folder named in three scripts, beyond the
# ANSI code page, and played with Debian's wine64 in a scratch prefix on the test display. Its title screen is
# compared with the Linux build's, pixel by pixel.
# Usage: wine_e2e.sh RUN_DIR ZIP (the native run folder gives the Linux picture)
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
zip=$2

WINE=/usr/lib/wine/wine64
# No offer to install Mono or Gecko, and no debug chatter in stderr.txt. Wine reads file names in the locale's
# encoding: UTF-8, or the folder's name means nothing to it. Its ANSI code page stays the Western one.
export WINEPREFIX="$WORK/prefix" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all LC_ALL=C.UTF-8
# Wine's processes do not carry $WORK in their command lines: the prefix's own server ends them.
wine_cleanup() { /usr/lib/wine/wineserver -k 2>/dev/null; e2e_cleanup; }
trap wine_cleanup EXIT

FOLDER="Quintet 游戏 Игра Zoë"
unzip -q "$zip" -d "$WORK/$FOLDER" || e2e_fail "cannot unpack $zip"
GAME=$(dirname "$(find "$WORK/$FOLDER" -name quintet.exe | head -1)")
for f in quintet.exe start.exe Irrlicht.dll media/exp.bmp media/title.bmp media/Swiss12.xml media/humn28.xml \
         LICENSE.txt COPYRIGHT.txt licenses/irrlicht.txt licenses/libpng.txt licenses/zlib.txt \
         licenses/Apache-2.0.txt; do
    [ -f "$GAME/$f" ] || e2e_fail "the zip has no $f"
done

# Starts quintet.exe in the unpacked folder; its stdout goes to $WORK/stdout.txt. Sets GAME_PID.
wine_start() {
    ( cd "$GAME" && exec "$WINE" quintet.exe ) >"$WORK/stdout.txt" 2>"$WORK/stderr.txt" &
    GAME_PID=$!
    E2E_PIDS+=("$GAME_PID")
}

# Prints how many pixels of picture $2 differ by more than 16 of 255 in a channel from picture $1 at the same
# spot and at each of its eight neighbours: Direct3D 9 samples a scaled image half a texel away from where
# OpenGL does, which can move its edges by a pixel. Counted both ways, so a glyph missing from either counts.
pixels_without_match() {
    local args=() dx dy
    for dx in -1 0 1; do
        for dy in -1 0 1; do
            args+=("(" "$1" -roll "$(printf '%+d%+d' $dx $dy)" "$2" -compose difference -composite
                   -separate -evaluate-sequence max ")")
        done
    done
    convert "${args[@]}" -evaluate-sequence min -threshold 6.3% -format '%[fx:round(mean*w*h)]' info:
}

e2e_log "the Linux build's title screen"
e2e_start
e2e_wait_window
e2e_move 200 150
sleep 0.5
e2e_shot "$WORK/linux.png"
e2e_key Escape
e2e_wait_exit 10
[ "$GAME_STATUS" = 0 ] || e2e_fail "the Linux game ended with $GAME_STATUS"

e2e_log "a new Wine prefix"
started=$SECONDS
"$WINE" wineboot --init >/dev/null 2>&1 && /usr/lib/wine/wineserver -w || e2e_fail "wineboot failed"
e2e_log "prefix made in $((SECONDS - started)) s"

e2e_log "first start"
started=$SECONDS
wine_start
e2e_wait_window 60
e2e_log "window after $((SECONDS - started)) s"
[ "$(e2e_window_size)" = 650x650 ] || e2e_fail "first window is $(e2e_window_size), expected 650x650"
[ "$(od -An -v -tx1 "$GAME/config.cfg" | tr -d ' \n')" = "31$(printf '%070d' 0)" ] || e2e_fail "config.cfg is not S's record"
# The C runtime ends console lines with CR LF on Windows.
[ "$(head -1 "$WORK/stdout.txt" | tr -d '\r')" = "w cfg = 1    49    icfg= 1  " ] ||
    e2e_fail "echo line: $(head -1 "$WORK/stdout.txt" | od -c | head -3)"
grep -q "Direct3D 9" "$WORK/stdout.txt" || e2e_fail "the engine did not report Direct3D 9"

e2e_log "the title screen against Linux"
e2e_move 200 150
sleep 0.5
e2e_shot "$WORK/wine.png"
# Flat spots: the edge shading over the background, the background and the band.
spots=(0 0  649 1  100 11  100 12  100 638  0 639  649 649  20 40  630 40  20 300  630 600)
mapfile -t seen < <(e2e_pixels "$WORK/wine.png" "${spots[@]}")
mapfile -t expected < <(e2e_pixels "$WORK/linux.png" "${spots[@]}")
for i in "${!expected[@]}"; do
    e2e_near "${seen[i]:-none}" "${expected[i]}" 3 ||
        e2e_fail "(${spots[2 * i]}, ${spots[2 * i + 1]}) is ${seen[i]:-none} under Wine, ${expected[i]} on Linux"
done
# About 15 pixels on the stretched start button's rim differ; a missing credit line makes 900, the size name 40.
apart=$(pixels_without_match "$WORK/linux.png" "$WORK/wine.png")
apart=$((apart + $(pixels_without_match "$WORK/wine.png" "$WORK/linux.png")))
e2e_log "$apart pixels without a match"
[ "$apart" -le 30 ] || e2e_fail "$apart pixels of the title screen differ from Linux"

e2e_log "play: five balls, a move, back to the title"
e2e_move 300 20
e2e_key space
# Fading balls step on one tick in three; a loaded machine drops ticks, so give them twice the time.
e2e_expect_screen 3 play $E2E_PLAY 5
e2e_move_a_ball
e2e_expect_screen 3 moved $E2E_PLAY 8
e2e_expect_moved
e2e_key Escape
e2e_expect_screen 1.3 title $E2E_TITLE

e2e_log "the right arrow relaunches at M through start.exe"
e2e_key Right
e2e_wait_exit 10
[ "$GAME_STATUS" = 255 ] || e2e_fail "the right arrow ended the game with $GAME_STATUS, expected 255"
# The engine's log names the textures it loaded by their full paths, in UTF-8.
grep -qF "$FOLDER/${GAME##*/}/media/exp.bmp" "$WORK/stdout.txt" || e2e_fail "no readable exp.bmp path in the log"
[ "$(od -An -v -tx1 "$GAME/config.cfg" | tr -d ' \n')" = "32$(printf '%070d' 0)" ] || e2e_fail "config.cfg is not M's record"
# The old window is gone (or its id passed on to the new one), so any game window now is the relaunched one.
e2e_wait_window 60
[ "$(e2e_window_size)" = 850x850 ] || e2e_fail "relaunched window is $(e2e_window_size), expected 850x850"
e2e_move 300 300
sleep 0.5
e2e_key Escape
e2e_wait_no_windows

e2e_log "Escape on the title"
wine_start
e2e_wait_window 60
[ "$(e2e_window_size)" = 850x850 ] || e2e_fail "window is $(e2e_window_size) after the relaunch stored M"
e2e_move 300 300
sleep 0.5
e2e_key Escape
e2e_wait_exit 10
[ "$GAME_STATUS" = 0 ] || e2e_fail "Escape ended the game with $GAME_STATUS, expected 0"

e2e_log "a missing Swiss12.xml"
printf 1 >"$GAME/config.cfg"
mv "$GAME/media/Swiss12.xml" "$GAME/media/Swiss12.away"
wine_start
e2e_wait_exit 30
[ "$GAME_STATUS" = 1 ] || e2e_fail "a missing Swiss12.xml gave status $GAME_STATUS"
grep -qF " sorry, font file not found:  Swiss12.xml  !!! " "$WORK/stdout.txt" || e2e_fail "no Swiss12 message"

echo "wine e2e passed"
