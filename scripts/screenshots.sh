#!/usr/bin/env bash
# Screenshots for the README and the AppStream data: the built game under its own Xvfb, driven with xdotool.
#   Usage: screenshots.sh RUN_DIR OUT_DIR    writes OUT_DIR/title.png and OUT_DIR/play.png (650 x 650, size S)
set -euo pipefail
run=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
unset DISPLAY  # never the desktop: a window manager's frame or another window would show
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_init "$run"
set +e  # lib.sh reports its own failures

# Without metadata, so an unchanged picture makes an unchanged file.
shoot() {
    e2e_shot "$WORK/shot.png"
    convert "$WORK/shot.png" -strip "$out/$1" || e2e_fail "cannot write $out/$1"
    echo "wrote $out/$1"
}

e2e_start
e2e_wait_window
e2e_move 300 20  # over the window for key focus, over nothing that lights up
sleep 1
shoot title.png

e2e_key space
sleep 1.6  # the first balls fade in

# Each ball's colour, sampled off its centre mark: balls of one colour are the same picture, so the same pixel.
read_board() {
    local fmt="" i
    e2e_shot "$WORK/board.png"
    e2e_read_cells "$WORK/board.png"
    for i in $(seq 0 80); do fmt+="%[hex:u.p{$(($(e2e_cell_x $i) - 12)),$(($(e2e_cell_y $i) + 12))}] "; done
    read -ra COLOUR <<<"$(convert "$WORK/board.png" -format "$fmt" info:)"
    for i in $(seq 0 80); do e2e_near "${CELLS[i]}" "$E2E_EMPTY_CELL" 12 && COLOUR[i]=""; done
}
# One of the cells named as arguments, at random; fails when none is named.
any() { [ $# -gt 0 ] && echo "${@:RANDOM % $# + 1:1}"; }

# Play towards five of a colour in a row, so the picture shows a score: take the five cells of a row that hold
# the most balls of one colour, clear them of other colours and fill them with that colour. New balls get in
# the way now and then; a few more moves sort them out.
for _ in $(seq 30); do
    read_board
    best=0
    for c in $(printf '%s\n' "${COLOUR[@]}" | grep . | sort -u); do
        for start in $(seq 0 80); do
            [ $((start % 9)) -le 4 ] || continue
            n=0
            for i in $(seq "$start" $((start + 4))); do [ "${COLOUR[i]}" = "$c" ] && n=$((n + 1)); done
            [ $n -gt $best ] && best=$n colour=$c first=$start
        done
    done
    window=$(seq "$first" $((first + 4)))
    strangers=() holes=() friends=() others=() outside=()
    for i in $(seq 0 80); do
        inside=$(grep -qx "$i" <<<"$window" && echo 1)
        case "${inside:-0}${COLOUR[i]:+ball}" in
            1ball) [ "${COLOUR[i]}" = "$colour" ] || strangers+=("$i") ;;
            1) holes+=("$i") ;;
            0ball) if [ "${COLOUR[i]}" = "$colour" ]; then friends+=("$i"); else others+=("$i"); fi ;;
            0) outside+=("$i") ;;
        esac
    done
    # Clear the row, else fill it, else any move: it brings new balls, perhaps of the colour wanted.
    if [ ${#strangers[@]} -gt 0 ]; then
        from=$(any "${strangers[@]}") to=$(any "${outside[@]}")
    elif [ ${#friends[@]} -gt 0 ]; then
        from=$(any "${friends[@]}") to=$(any "${holes[@]}")
        [ $best -eq 4 ] && last=1
    else
        from=$(any "${others[@]}") to=$(any "${outside[@]}")
    fi
    [ -n "$from" ] && [ -n "$to" ] || break
    for i in $from $to; do e2e_click "$(e2e_cell_x "$i")" "$(e2e_cell_y "$i")"; done
    e2e_move 300 20
    sleep 1.2
    [ -n "${last:-}" ] && break  # the line is scored and gone
done
sleep 1
shoot play.png  # the game ends with the scratch folder
