// What an accepted click does, spawns included, and random turns played through the rules with invariants checked.
#include <ctime>
#include <random>

#include "board_test.h"

namespace {
const char* const banner = " ********* GAME OVER ***********\n ********* GAME OVER **********\n"
                           " ********* GAME OVER ***********\n ********* GAME OVER ***********\n";

// '#' balls with up to five holes, the first, (4, 4), walled in on all sides; row 8 then starts with row8.
std::string holes(const std::string& row8, int count = 5)
{
    std::string rows;
    for (int row = 0; row < 9; ++row)
        rows += "#########\n";
    for (Cell c : {Cell{4, 4}, Cell{5, 1}, Cell{1, 6}, Cell{6, 7}, Cell{5, 8}})
        rows[at(c.col, c.row)] = count-- > 0 ? '.' : '#';
    return rows.replace(at(0, 8), row8.size(), row8);
}

// What a click leaves besides the board: selection, input cooldown, score.
std::tuple<int, int, int, int> turnState() { return {selectedCol, selectedRow, inputCooldown, score}; }
}  // namespace

TEST(boardTurn, aMoveNeedsNoPathAndScoresOrSpawnsTheReplayedBallsUntilTheBoardIsFull)
{
    // row8: the start of row 8 before the move; marked: the same cells after it. Where two or three cells are
    // free, reading order and column order differ, and some seeds make all 44 attempts miss.
    struct { const char* name; Cell from, to; int fade, holeCount; bool emptied; std::string row8, marked;
             int spawns, banners, points; } rows[] = {
        {"a fading ball into a walled-in cell; the fade stays", {0, 0}, {4, 4}, 12, 3, false, "", "", 3, 1, 0},
        {"a run completed: both scans score it, no spawn", {2, 5}, {4, 8}, 0, 5, false, "3333.", "ccccc", 0, 0, 100},
        {"a selection emptied meanwhile still counts as a move", {2, 2}, {4, 4}, 0, 5, true, "", "", 3, 0, 0},
        {"one free cell, in the bottom row: a banner at each later full-board test", {3, 8}, {4, 4}, 0, 1, false, "",
         "", 1, 5, 0},
        {"two free cells", {2, 5}, {4, 4}, 0, 2, false, "", "", 2, 3, 0},
    };
    int sweeps = 0;
    for (const auto& r : rows)
        for (unsigned seed = 1; seed <= 200; ++seed) {
            SCOPED_TRACE(std::string(r.name) + ", seed " + std::to_string(seed));
            setBoard(holes(r.row8, r.holeCount));
            appearTimer[r.from.col][r.from.row] = r.fade;
            if (r.emptied)
                board[r.from.col][r.from.row] = emptyCell;  // as the right button does
            selectedCol = r.from.col, selectedRow = r.from.row, leftButtonDown = true;
            std::string moved = picture();
            moved[at(r.to.col, r.to.row)] = moved[at(r.from.col, r.from.row)];
            moved[at(r.from.col, r.from.row)] = '.';
            moved.replace(at(0, 8), r.marked.size(), r.marked);
            std::string expected = moved, out(r.spawns, '\n');
            std::srand(seed);
            for (int i = 0; i < r.spawns; ++i)
                sweeps += replaySpawn(expected);
            const int nextDraw = std::rand();
            for (int i = 0; i < r.banners; ++i)
                out += banner;

            std::srand(seed);
            testing::internal::CaptureStdout();
            resolveClick(r.to.col, r.to.row);
            ASSERT_EQ(testing::internal::GetCapturedStdout(), out);
            ASSERT_EQ(std::rand(), nextDraw);
            ASSERT_EQ(picture(), expected);
            ASSERT_EQ(turnState(), std::make_tuple(-1, -1, 22, r.points));
            ASSERT_EQ(turnPhase, r.banners ? turnGameOver : turnTakesClicks);
            // Timers belong to cells: only spawned cells start a fade.
            for (int i = 0; i < 81; ++i) {
                const int col = i % 9, row = i / 9, spawned = expected[at(col, row)] != moved[at(col, row)];
                const int fade = spawned ? 20 : col == r.from.col && row == r.from.row ? r.fade : 0;
                ASSERT_EQ(appearTimer[col][row], fade) << "cell " << col << "," << row;
            }
        }
    EXPECT_GT(sweeps, 100);
}

// Random clicks, a removal step every third frame, now and then a game left midway: the rules' invariants hold,
// a new game starts clean, a finished one takes no click, the banner lasts 300 frames.
TEST(boardPlay, randomTurnsKeepTheRules)
{
    const char* fixed = std::getenv("QUINTET_SEED");
    const unsigned seed = fixed ? std::strtoul(fixed, nullptr, 10) : static_cast<unsigned>(std::time(nullptr));
    SCOPED_TRACE("seed " + std::to_string(seed) + " (rerun with QUINTET_SEED=" + std::to_string(seed) + ")");
    std::srand(seed);
    std::mt19937 player(seed);  // the player's clicks, apart from the rules' own rand
    setBoard(std::string(81, '.'));
    playState = playNewPending;
    int games = 0, frame = 0, overFrames = 0;
    std::string problem;
    testing::internal::CaptureStdout();  // the rules print a line for each spawn
    for (; frame < 100000 && problem.empty(); ++frame) {
        if (playState == playNewPending) {
            newGameReset();
            ++games, overFrames = 0;
            const int *fades = &appearTimer[0][0], *removals = &removeTimer[0][0];
            if (ballCount() != 5 || turnState() != std::make_tuple(-1, -1, 22, 0) || playState != playRunning ||
                std::count(fades, fades + 81, 0) != 76 || std::count(removals, removals + 81, 0) != 81)
                problem = "a new game starts unlike a fresh one";
        }
        const int scoreBefore = score, ballsBefore = ballCount(), col = player() % 9, row = player() % 9;
        inputCooldown -= inputCooldown > 0;
        leftButtonDown = player() % 5 != 0;
        const bool moving = leftButtonDown && inputCooldown == 0 && turnPhase == turnTakesClicks &&
                            board[col][row] == emptyCell && selectedCol != -1;
        resolveClick(col, row);
        const int spawned = ballCount() - ballsBefore;
        // A move spawns up to three balls unless it scored; any other click spawns nothing.
        if (moving ? (spawned ? spawned != std::min(3, 81 - ballsBefore) : score == scoreBefore) : spawned != 0)
            problem = std::to_string(spawned) + " spawned after a click that " + (moving ? "moved" : "did not move");
        if (frame % 3 == 0)
            countdownStep();
        if (playState == playRunning && player() % 500 == 0)
            playState = playNewPending;  // Escape or the back button in the middle of a game
        if (playState == playGameOver && (gameOverCountdownStep(), ++overFrames, playState != playGameOver) &&
            (overFrames != 300 || activeScreen != 0))
            problem = "the banner ended after " + std::to_string(overFrames) + " frames";
        for (int i = 0; i < 81; ++i) {
            const int code = board[i % 9][i / 9], fade = appearTimer[i % 9][i / 9], timer = removeTimer[i % 9][i / 9];
            const bool marked = code > colourCount, legal = code >= 0 && (!marked || (code % 11 == 0 && code <= 55));
            if (!legal || fade < 0 || fade > 20 || timer < 0 || timer > 10 || timer == 1 || timer == 2 ||
                (timer > 0) != marked)
                problem += "cell " + std::to_string(i % 9) + "," + std::to_string(i / 9) + " with fade " +
                           std::to_string(fade) + ", removal " + std::to_string(timer) + "; ";
        }
        if ((selectedCol == -1) != (selectedRow == -1) || score < scoreBefore ||
            (ballCount() == 81 && playState == playRunning) || (turnPhase == turnGameOver && selectedCol != -1))
            problem += "half a selection, a falling score, a full board while the game runs or a selection after it";
    }
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(problem, "") << "in frame " << frame - 1 << ", selection " << selectedCol << "," << selectedRow
                           << ", score " << score << ", state " << playState << "\n" << picture();
    EXPECT_GT(games, 10);
}
