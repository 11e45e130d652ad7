// What a click does, spawns included, and the clicks not taken.
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
            ASSERT_EQ(std::make_tuple(selectedCol, selectedRow, inputCooldown, score),
                      std::make_tuple(-1, -1, 22, r.points));
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

// Clicks not taken change nothing: no button down, the cooldown not run out, the game over; a marked ball, about to
// vanish, takes the click (its cooldown) but no selection.
TEST(boardTurn, clicksNotTakenChangeNothing)
{
    struct { const char* name; bool button; int cooldown, phase, col, cooldownAfter; } rows[] = {
        {"no button down", false, 0, turnTakesClicks, 0, 0}, {"cooling down", true, 1, turnTakesClicks, 0, 1},
        {"the game over", true, 0, turnGameOver, 0, 0},      {"a marked ball", true, 0, turnTakesClicks, 1, 8}};
    for (const auto& r : rows) {
        setBoard("2a" + std::string(79, '.'));
        leftButtonDown = r.button, inputCooldown = r.cooldown, turnPhase = r.phase;
        const std::string before = picture();
        resolveClick(r.col, 0);
        EXPECT_EQ(std::make_tuple(picture(), selectedCol, inputCooldown), std::make_tuple(before, -1, r.cooldownAfter))
            << r.name;
    }
}
