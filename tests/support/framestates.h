// Known frames: each state puts the game into one picture for the next tick (board, timers, overlay, banner,
// pointer, clock). The reference-frame comparison draws them, and the frame benchmark times them.
#pragma once

namespace framestates {

enum State {
    titleIdle,
    titleStartHovered,
    titleArrowHovered,
    playAllTooltip,     // full board with fades and removal frames, overlay, banner, back button tooltip
    playAllSelection,   // the same with the pointer on the board and the selection lit
    playPlainButton,    // board with gaps, no overlay or banner, overlay button hovered with its tooltip
    playPlainSelection, // the same with the pointer on the board and the selection lit
    stateCount
};

// The column and row of the selection in the play states.
const int selectedCell = 6;

const char* name(int state);
// Sets everything the state's next tick reads, the pointer included (a round trip to the X server).
void enter(int state);
// Sets again what a tick of the state changes (cooldowns, banner countdown, clock), so the next tick draws the
// same picture; the pointer stays where enter put it.
void restore(int state);

} // namespace framestates
