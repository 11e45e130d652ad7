# Sourced: start_xvfb [WxH] starts Xvfb on a free display with a screen of WxH (1400x1400, which holds every
# window size, unless given), exports DISPLAY, sets XVFB_PID, and waits until the server answers (returns 1 if it
# never does).
# -displayfd: the server itself takes the first free display and writes its number back once it listens,
# so two test runs started together cannot pick the same one.
# -noreset: by default the server resets when its last client leaves, and refuses connections meanwhile,
# so a game started just after another one closed could find no display.
start_xvfb() {
    local numberFile n=""
    XVFB_PID=""
    numberFile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${1:-1400x1400}x24" -nolisten tcp -noreset 3>"$numberFile" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        n=$(head -1 "$numberFile")
        [ -n "$n" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$numberFile"
    [ -n "$n" ] || return 1
    export DISPLAY=":$n"
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}
