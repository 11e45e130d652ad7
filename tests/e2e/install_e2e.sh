# End to end: install into a scratch prefix, start through the installed wrapper with a scratch HOME,
# and change the size so the installed launcher restarts the installed game.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
build=$(cd "$1/.." && pwd)

prefix="$WORK/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null || e2e_fail "install failed"
for f in bin/quintet lib/quintet/quintet lib/quintet/start share/quintet/media/Swiss12.xml \
         share/applications/quintet.desktop share/icons/hicolor/256x256/apps/quintet.png; do
    [ -e "$prefix/$f" ] || e2e_fail "not installed: $f"
done
grep -q '^Exec=quintet$' "$prefix/share/applications/quintet.desktop" || e2e_fail "desktop entry"

export HOME="$WORK/home"
folder="$HOME/.local/share/quintet"
"$prefix/bin/quintet" >"$WORK/stdout.txt" 2>&1 &
GAME_PID=$!
E2E_PIDS+=("$GAME_PID")
e2e_wait_window
[ "$(e2e_window_size)" = "650x650" ] || e2e_fail "installed game opened $(e2e_window_size)"
[ -f "$folder/config.cfg" ] || e2e_fail "config.cfg not in the player's folder"

e2e_log "size change from the installed game"
e2e_move 300 300
e2e_key Right
e2e_wait_exit 10
[ "$GAME_STATUS" = 255 ] || e2e_fail "size change ended with $GAME_STATUS"
[ "$(od -An -tx1 -N4 "$folder/config.cfg" | tr -d ' ')" = "32000000" ] || e2e_fail "config not M"
e2e_wait_window 20
[ "$(e2e_window_size)" = "850x850" ] || e2e_fail "relaunched window is $(e2e_window_size)"
pid=$(pgrep -f "^$prefix/lib/quintet/quintet" | head -1)
[ -n "$pid" ] && [ "$(readlink -f /proc/$pid/cwd)" = "$(readlink -f "$folder")" ] || e2e_fail "relaunched game runs elsewhere"
e2e_close_window
echo "install e2e passed"
