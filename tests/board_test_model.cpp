// New game and the per-cell timer countdown.
#include <gtest/gtest.h>

#include <cstdlib>

#include "board_test.h"

TEST(boardModel, newGameResetClearsEverythingAndSpawnsFiveReplayedBalls)
{
    for (unsigned seed : {1u, 7u, 2024u, 99991u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        // Leave a finished game behind: a full board with waiting marks and timers, a selection, a score.
        resetRules();
        fillWithoutRuns();
        for (int col = 0; col < boardSize; ++col) {
            board[col][3] = markedCode(2);
            removeTimer[col][3] = 7;
            appearTimer[col][5] = 12;
        }
        selectedCol = 4, selectedRow = 4;
        score = 1234;
        playState = playGameOver;
        turnPhase = turnGameOver;
        inputCooldown = keyCooldown = 3;

        Grid expected = {};
        std::srand(seed);
        for (int i = 0; i < 5; ++i)
            replaySpawn(expected);
        int nextDraw = std::rand();

        std::srand(seed);
        testing::internal::CaptureStdout();
        newGameReset();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "\n\n\n\n\n");
        EXPECT_EQ(std::rand(), nextDraw) << "newGameReset drew a different number of random values";

        std::string difference;
        EXPECT_TRUE(sameBoard(expected, &difference)) << difference;
        EXPECT_EQ(ballCount(), 5);
        for (int col = 0; col < boardSize; ++col)
            for (int row = 0; row < boardSize; ++row) {
                EXPECT_EQ(appearTimer[col][row], board[col][row] ? appearStart : 0) << col << "," << row;
                EXPECT_EQ(removeTimer[col][row], 0) << col << "," << row;
            }
        EXPECT_EQ(selectedCol, -1);
        EXPECT_EQ(selectedRow, -1);
        EXPECT_EQ(score, 0);
        EXPECT_EQ(inputCooldown, 22);
        EXPECT_EQ(keyCooldown, 22);
        EXPECT_EQ(turnPhase, turnTakesClicks);
        EXPECT_EQ(playState, playRunning);
    }
}

TEST(boardModel, removalTimerEmptiesItsCellAtTwoOrOne)
{
    // steps: countdown steps until the cell empties; 0 = never (a timer stepping from 1 lands on 0, not on 1 or 2).
    struct Row {
        const char* name;
        int code, timer, steps;
    } rows[] = {
        {"fresh mark", markedCode(3), removeStart, 8},
        {"mark at 4", markedCode(3), 4, 2},
        {"mark at 3", markedCode(3), 3, 1},
        {"mark at 2", markedCode(3), 2, 1},
        {"timer at 1", markedCode(3), 1, 0},
        {"plain ball under a timer", 3, removeStart, 8},
        {"empty cell under a timer", emptyCell, removeStart, 8},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        resetRules();
        board[6][2] = r.code;
        removeTimer[6][2] = r.timer;
        board[5][2] = 4;  // a neighbour without a timer stays
        for (int step = 1; step <= 12; ++step) {
            countdownStep();
            bool gone = r.steps != 0 && step >= r.steps;
            EXPECT_EQ(board[6][2], gone ? emptyCell : r.code) << "after step " << step;
            int timer = gone ? 0 : (r.timer - step > 0 ? r.timer - step : 0);
            EXPECT_EQ(removeTimer[6][2], timer) << "after step " << step;
        }
        EXPECT_EQ(board[5][2], 4);
    }
}

TEST(boardModel, markingAgainRestartsTheRemoval)
{
    resetRules();
    for (int col = 0; col < 5; ++col)
        board[col][7] = 1;
    ASSERT_EQ(markRuns(1, 11), 5);
    for (int step = 0; step < 5; ++step)
        countdownStep();
    ASSERT_EQ(removeTimer[0][7], removeStart - 5);
    ASSERT_EQ(markRuns(1, 11), 5);
    for (int step = 0; step < 7; ++step)
        countdownStep();
    EXPECT_EQ(ballCount(), 5) << "the run vanished before eight steps after its second marking";
    countdownStep();
    EXPECT_EQ(ballCount(), 0);
}
