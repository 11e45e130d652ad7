# Sourced: start_xvfb FIRST LAST starts Xvfb on the first free display in FIRST..LAST,
# exports DISPLAY, sets XVFB_PID, and waits until the server answers (returns 1 if it never does).
# -noreset: by default the server resets when its last client leaves, and refuses connections meanwhile,
# so a game started just after another one closed could find no display.
start_xvfb() {
    local n
    XVFB_PID=""
    for n in $(seq "$1" "$2"); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1400x1400x24 -nolisten tcp -noreset >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        break
    done
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}
