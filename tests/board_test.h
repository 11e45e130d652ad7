// Shared set-up for the rules' tests: boards drawn as text, and an independent replay of the spawn draws.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>

#include "board/board.h"

struct Cell { int col, row; };

// Pictures: nine rows of nine cells, '.' empty, '1'..'5' a ball, 'a'..'e' a marked ball with removal timer 5,
// '#' a ball unlike its eight neighbours, so '#' cells never form a run. Rows end in '\n' (optional in setBoard).
inline int at(int col, int row) { return row * 10 + col; }

// Program-start values in a running game that takes clicks, with the pictured board.
inline void setBoard(std::string rows)
{
    rows.erase(std::remove(rows.begin(), rows.end(), '\n'), rows.end());
    selectedCol = selectedRow = -1, score = gameOverCountdown = inputCooldown = keyCooldown = 0;
    playState = playRunning, turnPhase = turnTakesClicks, activeScreen = 1, leftButtonDown = false;
    for (int i = 0; i < 81; ++i) {
        const int col = i % 9, row = i / 9, ch = rows.at(i);
        const int colour = ch == '#' ? (col + 2 * row) % 5 + 1 : ch >= 'a' ? ch - 'a' + 1 : ch - '0';
        board[col][row] = ch == '.' ? emptyCell : ch >= 'a' ? markedCode(colour) : colour;
        removeTimer[col][row] = ch >= 'a' ? 5 : 0;
        appearTimer[col][row] = 0;
    }
}

inline std::string picture()
{
    std::string p;
    for (int i = 0; i < 81; ++i) {
        const int code = board[i % 9][i / 9];
        p += char(code == 0 ? '.' : code <= colourCount ? '0' + code : code % 11 ? '?' : 'a' + code / 11 - 1);
        p += i % 9 == 8 ? "\n" : "";
    }
    return p;
}

// spawnBall replayed on picture g with the next rand draws; true when the 44 attempts all missed.
inline bool replaySpawn(std::string& g)
{
    for (int attempt = 0; attempt < 44; ++attempt) {
        const int col = std::rand() % 9, row = std::rand() % 9, colour = std::rand() % 5;
        if (g[at(col, row)] == '.')
            return g[at(col, row)] = char('1' + colour), false;
    }
    const size_t free = g.find('.');
    if (free != std::string::npos)
        g[free] = char('1' + std::rand() % 5);
    return true;
}
