// Shared set-up for the rules' tests: clean state, hand-made boards, and an independent replay of the spawn draws.
#pragma once

#include <string>

#include "board/board.h"

// A copy of the cell codes, indexed [col][row] like board.
struct Grid {
    int code[boardSize][boardSize];
};
struct Cell {
    int col, row;
};

// Program-start values, empty grids, no buttons held.
void resetRules();
// As resetRules, then a running game that takes clicks.
void resetForPlay();
// Fills every cell with a colour that differs from all eight neighbours, so no run exists anywhere.
void fillWithoutRuns();
// Cells of board that are not empty.
int ballCount();
Grid copyBoard();
bool sameBoard(const Grid& expected, std::string* difference);

// What spawnBall would do to g with the next rand draws; rand must be seeded by the caller.
// Returns the filled cell, or {-1, -1} when g is full.
Cell replaySpawn(Grid& g);
// The spawn sequence of a turn replayed on g; returns how many balls it placed.
int replaySpawnSequence(Grid& g);
// The first seed from 1 up whose 44 spawn attempts all hit occupied cells of g.
unsigned seedWhereAllAttemptsMiss(const Grid& g);

// Occurrences of a text in captured console output.
int countOf(const std::string& text, const std::string& part);
extern const char* const gameOverBanner;
