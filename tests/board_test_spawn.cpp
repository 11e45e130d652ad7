// Spawning with its fallback sweep, the full-board banner and the game-over countdown.
#include <vector>

#include "board_test.h"

namespace {
const char* const banner = " ********* GAME OVER ***********\n ********* GAME OVER **********\n"
                           " ********* GAME OVER ***********\n ********* GAME OVER ***********\n";

// A full board of balls and waiting marks with the given cells freed.
void setCrowded(const std::vector<Cell>& free)
{
    setBoard(std::string(81, '#'));
    for (int i = 0; i < 81; i += 4)
        board[i % 9][i / 9] = markedCode(board[i % 9][i / 9]);
    for (Cell c : free)
        board[c.col][c.row] = emptyCell;
}
}  // namespace

TEST(boardSpawn, spawnBallReplaysThreeDrawsPerAttemptAndAfter44MissesSweepsInReadingOrder)
{
    struct { const char* name; std::vector<Cell> free; Cell swept; } rows[] = {
        {"one free cell", {{5, 6}}, {5, 6}},
        {"first and last row", {{0, 8}, {8, 0}}, {8, 0}},
        {"rows before columns", {{1, 4}, {7, 3}}, {7, 3}},
        {"six free cells", {{4, 4}, {8, 8}, {2, 7}, {7, 1}, {5, 3}, {0, 2}}, {7, 1}},
        {"no free cell: nothing placed, no colour drawn", {}, {0, 0}},
    };
    for (const auto& r : rows) {
        int sweeps = 0;
        for (unsigned seed = 1; seed <= 200; ++seed) {
            SCOPED_TRACE(std::string(r.name) + ", seed " + std::to_string(seed));
            setCrowded(r.free);
            std::string expected = picture();
            std::srand(seed);
            const bool swept = replaySpawn(expected) == 45;
            sweeps += swept;
            ASSERT_FALSE(swept && expected[at(r.swept.col, r.swept.row)] == '.') << "the sweep took another cell";
            const int nextDraw = std::rand();

            std::srand(seed);
            testing::internal::CaptureStdout();
            spawnBall();
            EXPECT_EQ(testing::internal::GetCapturedStdout(), "\n");
            EXPECT_EQ(std::rand(), nextDraw);
            ASSERT_EQ(picture(), expected);
        }
        EXPECT_TRUE(r.free.empty() || sweeps > 0) << r.name << ": no seed made all 44 attempts miss";
    }
}

TEST(boardSpawn, spawnSequencePrintsTheBannerAtEachFullBoardTest)
{
    // One, two, three free cells: five, three, one banners; four free cells end nothing.
    const std::vector<Cell> free = {{3, 3}, {0, 8}, {8, 0}, {6, 6}};
    const int banners[] = {5, 3, 1, 0};
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(std::to_string(n) + " free");
        setCrowded(std::vector<Cell>(free.begin(), free.begin() + n));
        std::string expected = picture();
        std::srand(77);
        const int placed = replaySpawnSequence(expected), nextDraw = std::rand();

        std::srand(77);
        testing::internal::CaptureStdout();
        spawnSequence();
        std::string out(placed, '\n');  // all spawns come before the board fills
        for (int i = 0; i < banners[n - 1]; ++i)
            out += banner;
        EXPECT_EQ(testing::internal::GetCapturedStdout(), out);
        EXPECT_EQ(std::rand(), nextDraw);
        EXPECT_EQ(picture(), expected);
        EXPECT_EQ(std::make_pair(playState, turnPhase),
                  n < 4 ? std::make_pair(playGameOver, turnGameOver) : std::make_pair(playRunning, turnTakesClicks));
    }
}

TEST(boardSpawn, gameOverBannerShowsFor300FramesThenTheTitle)
{
    setCrowded({});
    testing::internal::CaptureStdout();
    const bool over = checkGameOver();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), banner);
    ASSERT_TRUE(over);
    // The frame that ended the game counts down too, so it is frame 1 of 300.
    for (int frame = 1; frame <= 300; ++frame) {
        gameOverCountdownStep();
        const bool last = frame == 300;
        ASSERT_EQ(std::make_tuple(gameOverCountdown, playState, activeScreen),
                  std::make_tuple(300 - frame, last ? playNewPending : playGameOver, last ? 0 : 1))
            << "frame " << frame;
    }
}
