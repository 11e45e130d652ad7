// Known frames: see framestates.h.
#include "tests/support/framestates.h"

#include "play/play.h"
#include "tests/support/testgame.h"
#include "title/title.h"

namespace framestates {

namespace {

const char* const names[stateCount] = {"title-idle",     "title-start-hovered", "title-arrow-hovered",
                                       "play-all-tooltip", "play-all-selection",  "play-plain-button",
                                       "play-plain-selection"};

// 1009: timers stand still (no multiple of 3) and the selection is in its lit phase.
const u32 clock = 1009;

bool onTitle(int state) { return state <= titleArrowHovered; }
bool everything(int state) { return state == playAllTooltip || state == playAllSelection; }

// Every colour, fades along row 0 and column 0, removal frames 5..1 along row 4 (and a stale removeTimer on an
// unmarked ball at its end), a fading ball under a removal frame; the plain board has gaps.
void fillBoard(bool full)
{
    const int fades[boardSize] = {20, 18, 15, 12, 10, 7, 5, 2, 1};
    const int removals[boardSize] = {10, 9, 8, 7, 6, 5, 4, 3, 10};
    for (int col = 0; col < boardSize; ++col)
        for (int row = 0; row < boardSize; ++row) {
            const int colour = (col + 2 * row) % colourCount + 1;
            const bool marked = row == 4 && col < 8;
            board[col][row] = marked ? markedCode(colour) : colour;
            appearTimer[col][row] = row == 0 ? fades[col] : col == 0 ? fades[row] : 0;
            removeTimer[col][row] = row == 4 ? removals[col] : 0;
            if (!full && row != 4 && (col + 2 * row) % 7 == 3)
                board[col][row] = emptyCell;
        }
    board[3][5] = markedCode(board[3][5]);
    appearTimer[3][5] = 10;
    removeTimer[3][5] = 6;
    board[selectedCell][selectedCell] = 2;
}

} // namespace

const char* name(int state) { return names[state]; }

void restore(int state)
{
    testgame::releaseAll();
    inputCooldown = keyCooldown = 30;  // nothing is taken while the frame is looked at
    testgame::setTime(clock);
    if (onTitle(state)) {
        activeScreen = 0;
        return;
    }
    activeScreen = 1;
    playState = everything(state) ? playGameOver : playRunning;
    turnPhase = everything(state) ? turnGameOver : turnTakesClicks;
    gameOverCountdown = 101;  // 100 after this tick's step: the banner's shown phase
    scanRowOverlay = everything(state);
}

void enter(int state)
{
    restore(state);
    if (onTitle(state)) {
        const TitleLayout& spot = titleLayouts[sizeMode];
        if (state == titleIdle)
            testgame::pointAt(10, 10);
        else if (state == titleStartHovered)
            testgame::pointAt(spot.buttonX + 150, spot.buttonY + 37);
        else
            testgame::pointAt(spot.anchorX + 20, spot.anchorY + 15);
        return;
    }
    prepareLabelsForPlay();
    fillBoard(everything(state));
    selectedCol = selectedRow = selectedCell;
    score = everything(state) ? 1234 : 42;
    chooseBoardGeometry();
    if (state == playAllTooltip)
        testgame::pointAt(screenWidth - 70, 20);  // back button: its tooltip runs off the right edge
    else if (state == playPlainButton)
        testgame::pointAt(screenWidth - 150, 20);
    else
        testgame::pointAt(originX + 2 * cellPitch + cellPitch / 2, originY + 7 * cellPitch + cellPitch / 2);
}

} // namespace framestates
