// What an accepted left click on a board cell does: select, move, score, spawn.
#include "board/board.h"

static bool clickAccepted()
{
    return leftButtonDown && inputCooldown == 0 && turnPhase == turnTakesClicks;
}

void resolveClick(int pointerCol, int pointerRow)
{
    if (pointerCol < 0 || pointerCol >= boardSize || pointerRow < 0 || pointerRow >= boardSize)
        return;
    if (!clickAccepted())
        return;
    inputCooldown = 8;
    bool moved = false;
    int& cell = board[pointerCol][pointerRow];
    if (cell != emptyCell) {
        // A marked ball is about to vanish: it can be neither selected nor moved onto.
        if (removeTimer[pointerCol][pointerRow] == 0) {
            selectedCol = pointerCol;
            selectedRow = pointerRow;
        }
    } else {
        if (selectedCol != -1 && selectedRow != -1) {
            // No path needed: the ball jumps. Only the code moves; the timers belong to the cells.
            // A selection emptied meanwhile moves a 0, and still counts as a move.
            cell = board[selectedCol][selectedRow];
            board[selectedCol][selectedRow] = emptyCell;
            moved = true;
        }
        selectedCol = -1;
        selectedRow = -1;
        inputCooldown = 22;
    }
    if (moved) {
        bool scored = scoringScan();
        if (!scored)
            spawnSequence();
    }
    // Every accepted click scans again, so waiting marks score once more and restart their removal.
    scoringScan();
}
