// New balls at random cells, the full-board test that ends a game, and the game-over countdown.
#include <cstdio>
#include <cstdlib>

#include "board/board.h"

const int spawnAttempts = 44;

void spawnBall()
{
    bool placed = false;
    for (int attempt = 0; attempt < spawnAttempts && !placed; ++attempt) {
        // All three draws happen even when the cell is taken, so the rand sequence stays in step.
        int col = std::rand() % boardSize;
        int row = std::rand() % boardSize;
        int colour = std::rand() % colourCount + 1;
        if (board[col][row] == emptyCell) {
            board[col][row] = colour;
            appearTimer[col][row] = appearStart;
            placed = true;
        }
    }
    std::printf("\n");
    if (placed)
        return;
    // Unlucky draws must not cost the player a ball while a cell is free: take the first one in reading order.
    for (int row = 0; row < boardSize; ++row)
        for (int col = 0; col < boardSize; ++col)
            if (board[col][row] == emptyCell) {
                board[col][row] = std::rand() % colourCount + 1;
                appearTimer[col][row] = appearStart;
                return;
            }
}

bool checkGameOver()
{
    for (int row = 0; row < boardSize; ++row)
        for (int col = 0; col < boardSize; ++col)
            if (board[col][row] == emptyCell)
                return false;
    std::printf(" ********* GAME OVER ***********\n");
    std::printf(" ********* GAME OVER **********\n");
    std::printf(" ********* GAME OVER ***********\n");
    std::printf(" ********* GAME OVER ***********\n");
    playState = playGameOver;
    gameOverCountdown = gameOverTicks;
    turnPhase = turnGameOver;
    return true;
}

void spawnSequence()
{
    for (int round = 0; round < 3; ++round) {
        if (!checkGameOver())
            spawnBall();
        checkGameOver();
    }
}

void gameOverCountdownStep()
{
    --gameOverCountdown;
    if (gameOverCountdown < 1) {
        gameOverCountdown = 0;
        playState = playNewPending;
        activeScreen = 0;
    }
}
