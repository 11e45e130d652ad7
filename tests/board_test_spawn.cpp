// Spawning, the full-board test with its console banner, the spawn sequence of a turn and the game-over countdown.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "board_test.h"

// A full board of mixed balls and waiting marks, with the given cells left free.
static void fillExcept(const std::vector<Cell>& free)
{
    resetForPlay();
    fillWithoutRuns();
    for (int col = 0; col < boardSize; ++col)
        for (int row = 0; row < boardSize; ++row)
            if ((col + row) % 3 == 0) {
                board[col][row] = markedCode(board[col][row]);
                removeTimer[col][row] = 6;
            }
    for (Cell c : free) {
        board[c.col][c.row] = emptyCell;
        removeTimer[c.col][c.row] = 0;
    }
}

TEST(boardSpawn, spawnBallPlacesTheReplayedBallWithThreeDrawsPerAttempt)
{
    // A crowded board makes many attempts miss before one hits, which checks the draws per attempt.
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        fillExcept({{0, 0}, {4, 4}, {8, 8}, {2, 7}, {7, 1}, {5, 3}});
        Grid expected = copyBoard();
        std::srand(seed);
        Cell placed = replaySpawn(expected);
        int nextDraw = std::rand();

        std::srand(seed);
        testing::internal::CaptureStdout();
        spawnBall();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "\n");
        EXPECT_EQ(std::rand(), nextDraw);
        std::string difference;
        EXPECT_TRUE(sameBoard(expected, &difference)) << difference;
        EXPECT_EQ(appearTimer[placed.col][placed.row], appearStart);
        EXPECT_EQ(removeTimer[placed.col][placed.row], 0);
    }
}

TEST(boardSpawn, whenAllAttemptsMissTheSweepFillsTheFirstFreeCellInReadingOrder)
{
    const Cell none = {-1, -1};
    struct Row {
        const char* name;
        std::vector<Cell> free;
        Cell expected;
    } rows[] = {
        {"one free cell", {{5, 6}}, {5, 6}},
        {"first and last row", {{0, 8}, {8, 0}}, {8, 0}},
        {"two in the last row", {{6, 8}, {3, 8}}, {3, 8}},
        {"rows before columns", {{1, 4}, {7, 3}}, {7, 3}},
        {"no free cell: nothing placed, no colour drawn", {}, none},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        fillExcept(r.free);
        Grid expected = copyBoard();
        unsigned seed = seedWhereAllAttemptsMiss(expected);
        ASSERT_NE(seed, 0u) << "no seed found whose 44 attempts all miss";
        std::srand(seed);
        for (int i = 0; i < 44 * 3; ++i)
            std::rand();
        if (r.expected.col != -1)
            expected.code[r.expected.col][r.expected.row] = std::rand() % colourCount + 1;
        int nextDraw = std::rand();

        std::srand(seed);
        testing::internal::CaptureStdout();
        spawnBall();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "\n");
        EXPECT_EQ(std::rand(), nextDraw) << "the sweep draws one value after the 132, and only when it places";
        std::string difference;
        EXPECT_TRUE(sameBoard(expected, &difference)) << difference;
        if (r.expected.col != -1) {
            EXPECT_EQ(appearTimer[r.expected.col][r.expected.row], appearStart);
        }
    }
}

TEST(boardSpawn, spawnSequencePrintsOneBannerPerTestAfterTheBoardFills)
{
    struct Row {
        std::vector<Cell> free;
        int banners;
    } rows[] = {
        {{{3, 3}}, 5},
        {{{3, 3}, {0, 8}}, 3},
        {{{3, 3}, {0, 8}, {8, 0}}, 1},
        {{{3, 3}, {0, 8}, {8, 0}, {6, 6}}, 0},
    };
    for (const Row& r : rows) {
        int freeCount = static_cast<int>(r.free.size());
        for (unsigned seed : {3u, 77u}) {
            SCOPED_TRACE(std::to_string(freeCount) + " free, seed " + std::to_string(seed));
            fillExcept(r.free);
            Grid expected = copyBoard();
            std::srand(seed);
            int placed = replaySpawnSequence(expected);
            int nextDraw = std::rand();

            std::srand(seed);
            testing::internal::CaptureStdout();
            spawnSequence();
            std::string out = testing::internal::GetCapturedStdout();
            EXPECT_EQ(countOf(out, gameOverBanner), r.banners);
            EXPECT_EQ(countOf(out, "\n"), placed + 4 * r.banners) << "one newline per spawn";
            EXPECT_EQ(placed, freeCount < 3 ? freeCount : 3);
            EXPECT_EQ(std::rand(), nextDraw);
            std::string difference;
            EXPECT_TRUE(sameBoard(expected, &difference)) << difference;
            bool over = freeCount <= 3;
            EXPECT_EQ(playState, over ? playGameOver : playRunning);
            EXPECT_EQ(turnPhase, over ? turnGameOver : turnTakesClicks);
        }
    }
}

TEST(boardSpawn, gameOverBannerLastsThreeHundredFramesThenTheTitleShows)
{
    fillExcept({});
    testing::internal::CaptureStdout();
    ASSERT_TRUE(checkGameOver());
    testing::internal::GetCapturedStdout();
    // The frame that ended the game runs its countdown too, so it is frame 1 of 300.
    for (int frame = 1; frame < gameOverTicks; ++frame) {
        gameOverCountdownStep();
        ASSERT_EQ(gameOverCountdown, gameOverTicks - frame);
        ASSERT_EQ(playState, playGameOver) << "frame " << frame;
        ASSERT_EQ(activeScreen, 1) << "frame " << frame;
    }
    gameOverCountdownStep();
    EXPECT_EQ(gameOverCountdown, 0);
    EXPECT_EQ(playState, playNewPending);
    EXPECT_EQ(activeScreen, 0);
}
