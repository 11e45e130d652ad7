// Shared set-up for the rules' tests: clean state, hand-made boards, and an independent replay of the spawn draws.
#include "board_test.h"

#include <cstdlib>

void resetRules()
{
    for (int col = 0; col < boardSize; ++col)
        for (int row = 0; row < boardSize; ++row) {
            board[col][row] = emptyCell;
            appearTimer[col][row] = 0;
            removeTimer[col][row] = 0;
        }
    selectedCol = selectedRow = -1;
    score = 0;
    playState = playRunning;
    turnPhase = 0;
    gameOverCountdown = 0;
    inputCooldown = keyCooldown = 0;
    activeScreen = 0;
    leftButtonDown = rightButtonDown = false;
}

void resetForPlay()
{
    resetRules();
    turnPhase = turnTakesClicks;
    activeScreen = 1;
}

void fillWithoutRuns()
{
    // Steps of 1 across, 2 down: every neighbour, straight or diagonal, differs by 1, 2 or 3 modulo 5.
    for (int col = 0; col < boardSize; ++col)
        for (int row = 0; row < boardSize; ++row)
            board[col][row] = (col + 2 * row) % colourCount + 1;
}

int ballCount()
{
    int n = 0;
    for (int col = 0; col < boardSize; ++col)
        for (int row = 0; row < boardSize; ++row)
            n += board[col][row] != emptyCell;
    return n;
}

Grid copyBoard()
{
    Grid g;
    for (int col = 0; col < boardSize; ++col)
        for (int row = 0; row < boardSize; ++row)
            g.code[col][row] = board[col][row];
    return g;
}

bool sameBoard(const Grid& expected, std::string* difference)
{
    for (int col = 0; col < boardSize; ++col)
        for (int row = 0; row < boardSize; ++row)
            if (board[col][row] != expected.code[col][row]) {
                *difference = "cell (" + std::to_string(col) + ", " + std::to_string(row) + ") holds " +
                              std::to_string(board[col][row]) + ", expected " +
                              std::to_string(expected.code[col][row]);
                return false;
            }
    return true;
}

static bool gridFull(const Grid& g)
{
    for (int col = 0; col < boardSize; ++col)
        for (int row = 0; row < boardSize; ++row)
            if (g.code[col][row] == emptyCell)
                return false;
    return true;
}

Cell replaySpawn(Grid& g)
{
    for (int attempt = 0; attempt < 44; ++attempt) {
        int draws[3] = {std::rand(), std::rand(), std::rand()};
        Cell c = {draws[0] % 9, draws[1] % 9};
        if (g.code[c.col][c.row] == emptyCell) {
            g.code[c.col][c.row] = draws[2] % 5 + 1;
            return c;
        }
    }
    for (int i = 0; i < 81; ++i) {
        Cell c = {i % 9, i / 9};
        if (g.code[c.col][c.row] == emptyCell) {
            g.code[c.col][c.row] = std::rand() % 5 + 1;
            return c;
        }
    }
    return {-1, -1};
}

int replaySpawnSequence(Grid& g)
{
    int placed = 0;
    for (int round = 0; round < 3; ++round)
        if (!gridFull(g)) {
            replaySpawn(g);
            ++placed;
        }
    return placed;
}

unsigned seedWhereAllAttemptsMiss(const Grid& g)
{
    for (unsigned seed = 1; seed < 100000; ++seed) {
        std::srand(seed);
        bool missed = true;
        for (int attempt = 0; attempt < 44 && missed; ++attempt) {
            int col = std::rand() % 9, row = std::rand() % 9;
            std::rand();
            missed = g.code[col][row] != emptyCell;
        }
        if (missed)
            return seed;
    }
    return 0;
}

int countOf(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++n;
    return n;
}

const char* const gameOverBanner =
    " ********* GAME OVER ***********\n"
    " ********* GAME OVER **********\n"
    " ********* GAME OVER ***********\n"
    " ********* GAME OVER ***********\n";
