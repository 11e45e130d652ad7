// What an accepted click does, and many random turns played through the rules with their invariants checked.
#include <ctime>
#include <random>

#include "board_test.h"

namespace {
// '#' balls with holes, (4, 4) walled in on all sides; row 8 starts with the given cells.
std::string holes(const std::string& row8 = "")
{
    std::string rows = "#########\n"
                       "#####.###\n"
                       "#########\n"
                       "#########\n"
                       "####.####\n"
                       "#########\n"
                       "#.#######\n"
                       "######.##\n"
                       "#####.###\n";
    return rows.replace(at(0, 8), row8.size(), row8);
}
}  // namespace

TEST(boardTurn, clicksThatMoveNothingSelectOrClearSetTheirCooldownAndRescan)
{
    const Cell none = {-1, -1};
    const int on = turnTakesClicks;
    // cooldownAfter -1: the click is not taken.
    struct { const char* name; bool button; int cooldown, phase; Cell selected, clicked, after; int cooldownAfter; }
        rows[] = {
        {"a ball, nothing selected", true, 0, on, none, {2, 2}, {2, 2}, 8},
        {"another ball replaces the selection", true, 0, on, {2, 2}, {6, 6}, {6, 6}, 8},
        {"a ball still fading in", true, 0, on, none, {6, 6}, {6, 6}, 8},
        {"a marked ball keeps the selection", true, 0, on, {2, 2}, {1, 8}, {2, 2}, 8},
        {"an empty cell, nothing selected", true, 0, on, none, {4, 4}, none, 22},
        {"button up", false, 0, on, none, {2, 2}, none, -1},
        {"cooldown still running", true, 1, on, none, {2, 2}, none, -1},
        {"game over", true, 0, turnGameOver, none, {2, 2}, none, -1},
        {"before the first game", true, 0, 0, none, {2, 2}, none, -1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        setBoard(holes("bbbbb"));  // a waiting run: every taken click scores it again and restarts its removal
        const std::string before = picture();
        appearTimer[6][6] = 15;
        selectedCol = r.selected.col, selectedRow = r.selected.row;
        leftButtonDown = r.button, inputCooldown = r.cooldown, turnPhase = r.phase;
        testing::internal::CaptureStdout();
        resolveClick(r.clicked.col, r.clicked.row);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "nothing may spawn";
        EXPECT_EQ(picture(), before);
        const bool taken = r.cooldownAfter != -1;
        EXPECT_EQ(turnState(),
                  std::make_tuple(r.after.col, r.after.row, taken ? r.cooldownAfter : r.cooldown, taken ? 50 : 0));
        EXPECT_EQ(removeTimer[0][8], taken ? removeStart : 5);
    }
}

TEST(boardTurn, aMoveNeedsNoPathAndScoresOrSpawnsTheReplayedBalls)
{
    // row8: the start of row 8 before the move; marked: the same cells after it.
    struct { const char* name; Cell from, to; int fade; bool emptied; std::string row8, marked; int spawns, points; }
        rows[] = {
        {"a fading ball into a walled-in cell; the fade stays", {0, 0}, {4, 4}, 12, false, "", "", 3, 0},
        {"completing a run: scored by both scans, nothing spawns", {2, 5}, {4, 8}, 0, false, "3333.", "ccccc", 0, 100},
        {"a selection emptied meanwhile still counts as a move", {2, 2}, {4, 4}, 0, true, "", "", 3, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        setBoard(holes(r.row8));
        appearTimer[r.from.col][r.from.row] = r.fade;
        if (r.emptied)
            board[r.from.col][r.from.row] = emptyCell;  // as the right button does
        selectedCol = r.from.col, selectedRow = r.from.row, leftButtonDown = true;
        std::string moved = picture();
        moved[at(r.to.col, r.to.row)] = moved[at(r.from.col, r.from.row)];
        moved[at(r.from.col, r.from.row)] = '.';
        moved.replace(at(0, 8), r.marked.size(), r.marked);
        std::string expected = moved;
        std::srand(42);
        ASSERT_EQ(r.spawns ? replaySpawnSequence(expected) : 0, r.spawns);
        const int nextDraw = std::rand();

        std::srand(42);
        testing::internal::CaptureStdout();
        resolveClick(r.to.col, r.to.row);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string(r.spawns, '\n'));
        EXPECT_EQ(std::rand(), nextDraw);
        EXPECT_EQ(picture(), expected);
        EXPECT_EQ(turnState(), std::make_tuple(-1, -1, 22, r.points));
        // Timers belong to cells: only spawned cells start a fade.
        for (int i = 0; i < 81; ++i) {
            const bool spawned = expected[at(i % 9, i / 9)] != moved[at(i % 9, i / 9)];
            const int fade = i == r.from.row * 9 + r.from.col ? r.fade : 0;
            ASSERT_EQ(appearTimer[i % 9][i / 9], spawned ? appearStart : fade) << "cell " << i % 9 << "," << i / 9;
        }
    }
}

TEST(boardPlay, randomTurnsKeepTheRules)
{
    const char* fixed = std::getenv("QUINTET_SEED");
    const unsigned seed = fixed ? std::strtoul(fixed, nullptr, 10) : static_cast<unsigned>(std::time(nullptr));
    SCOPED_TRACE("seed " + std::to_string(seed) + " (rerun with QUINTET_SEED=" + std::to_string(seed) + ")");
    std::srand(seed);
    std::mt19937 player(seed);  // the player's clicks, apart from the rules' own rand
    setBoard(std::string(81, '.'));
    playState = playNewPending;
    int games = 0, moves = 0, frame = 0;
    std::string problem;
    testing::internal::CaptureStdout();  // the rules print a line for each spawn
    for (; frame < 100000 && problem.empty(); ++frame) {
        if (playState == playNewPending) {
            newGameReset();
            ++games;
            if (ballCount() != 5 || turnState() != std::make_tuple(-1, -1, 22, 0) || playState != playRunning)
                problem = "a new game starts unlike a fresh one";
        }
        const int scoreBefore = score, ballsBefore = ballCount(), col = player() % 9, row = player() % 9;
        if (inputCooldown > 0)
            --inputCooldown;
        leftButtonDown = player() % 5 != 0;
        const bool moving = leftButtonDown && inputCooldown == 0 && turnPhase == turnTakesClicks &&
                            board[col][row] == emptyCell && selectedCol != -1;
        resolveClick(col, row);
        const int spawned = ballCount() - ballsBefore;
        moves += moving;
        // A move spawns up to three balls unless it scored; any other click spawns nothing.
        if (moving ? (spawned ? spawned != std::min(3, 81 - ballsBefore) : score == scoreBefore) : spawned != 0)
            problem = std::to_string(spawned) + " spawned after a click that " + (moving ? "moved" : "did not move");
        if (frame % 3 == 0)
            countdownStep();
        if (playState == playGameOver)
            gameOverCountdownStep();
        for (int i = 0; i < 81 && problem.empty(); ++i) {
            const int code = board[i % 9][i / 9], fade = appearTimer[i % 9][i / 9], timer = removeTimer[i % 9][i / 9];
            const bool marked = code > colourCount, legal = code >= 0 && (!marked || (code % 11 == 0 && code <= 55));
            if (!legal || fade < 0 || fade > 20 || timer < 0 || timer > 10 || timer == 1 || timer == 2 ||
                (timer > 0) != marked)
                problem = "cell " + std::to_string(i % 9) + "," + std::to_string(i / 9) + " with fade " +
                          std::to_string(fade) + ", removal " + std::to_string(timer);
        }
        if ((selectedCol == -1) != (selectedRow == -1) || score < scoreBefore)
            problem += "half a selection or a falling score";
        if (ballCount() == 81 && playState == playRunning)
            problem += "a full board while the game runs";
    }
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(problem, "") << "in frame " << frame - 1 << ", selection " << selectedCol << "," << selectedRow
                           << ", score " << score << ", state " << playState << "\n" << picture();
    EXPECT_GT(games, 10);
    EXPECT_GT(moves, 200);
}
