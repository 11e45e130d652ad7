// The board's per-frame duties: starting a new game and stepping the per-cell timers.
#include "board/board.h"

void newGameReset()
{
    inputCooldown = 22;
    keyCooldown = 22;
    for (int col = 0; col < boardSize; ++col)
        for (int row = 0; row < boardSize; ++row) {
            board[col][row] = emptyCell;
            appearTimer[col][row] = 0;
            removeTimer[col][row] = 0;
        }
    for (int i = 0; i < 5; ++i)
        spawnBall();
    selectedCol = -1;
    selectedRow = -1;
    score = 0;
    turnPhase = turnTakesClicks;
    playState = playRunning;
}

void countdownStep()
{
    for (int col = 0; col < boardSize; ++col)
        for (int row = 0; row < boardSize; ++row) {
            if (appearTimer[col][row] > 0)
                --appearTimer[col][row];
            if (removeTimer[col][row] > 0) {
                --removeTimer[col][row];
                // The animation has shown its last frame at 3; the cell goes whatever it holds now.
                if (removeTimer[col][row] > 0 && removeTimer[col][row] < 3) {
                    removeTimer[col][row] = 0;
                    board[col][row] = emptyCell;
                }
            }
        }
}

bool cellTimersRunning()
{
    for (int col = 0; col < boardSize; ++col)
        for (int row = 0; row < boardSize; ++row)
            if (appearTimer[col][row] != 0 || removeTimer[col][row] != 0)
                return true;
    return false;
}
