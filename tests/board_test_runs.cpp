// Run detection in the four directions, the points per scan, and the score's upper stop.
#include <gtest/gtest.h>

#include <climits>

#include "board_test.h"

namespace {
// A straight line of cells holding one code.
struct Segment {
    int col, row, stepCol, stepRow, length, code;
};
struct RunCase {
    const char* name;
    Segment segments[2];
    int count;       // what markRuns(2, 22) returns
    bool marksAll;   // every segment cell ends up holding 22
};

const int c = 2, m = 22;
const RunCase runCases[] = {
    {"right, top row from the left edge", {{0, 0, 1, 0, 5, c}}, 5, true},
    {"right, bottom row to the right edge", {{4, 8, 1, 0, 5, c}}, 5, true},
    {"down, column 8 rows 4 to 8", {{8, 4, 0, 1, 5, c}}, 5, true},
    {"down, column 0 from the top", {{0, 0, 0, 1, 5, c}}, 5, true},
    {"down-right, corner to centre", {{0, 0, 1, 1, 5, c}}, 5, true},
    {"down-right, centre to corner", {{4, 4, 1, 1, 5, c}}, 5, true},
    {"down-right, from column 4 row 0", {{4, 0, 1, 1, 5, c}}, 5, true},
    {"down-right, from column 0 row 4", {{0, 4, 1, 1, 5, c}}, 5, true},
    {"down-left, column 4 row 0 to column 0 row 4", {{4, 0, -1, 1, 5, c}}, 5, true},
    {"down-left, column 8 row 4 to column 4 row 8", {{8, 4, -1, 1, 5, c}}, 5, true},
    {"down-left, the long diagonal", {{8, 0, -1, 1, 9, c}}, 9, true},
    {"a whole row", {{0, 5, 1, 0, 9, c}}, 9, true},
    {"six in a row", {{2, 3, 1, 0, 6, c}}, 6, true},
    {"four in a row", {{0, 2, 1, 0, 4, c}}, 0, false},
    {"four on the down-left diagonal at the edge", {{3, 0, -1, 1, 4, c}}, 0, false},
    {"five with a gap", {{0, 6, 1, 0, 2, c}, {3, 6, 1, 0, 3, c}}, 0, false},
    {"cross sharing one ball", {{2, 4, 1, 0, 5, c}, {4, 2, 0, 1, 5, c}}, 9, true},
    {"two diagonals crossing", {{0, 0, 1, 1, 5, c}, {4, 0, -1, 1, 5, c}}, 9, true},
    {"balls and waiting marks mixed", {{1, 1, 0, 1, 5, c}, {1, 2, 0, 2, 2, m}}, 5, true},
    {"four and an adjacent waiting mark", {{0, 7, 1, 0, 4, c}, {4, 7, 1, 0, 1, m}}, 5, true},
    {"four and a distant waiting mark", {{0, 7, 1, 0, 4, c}, {8, 0, 1, 0, 1, m}}, 1, false},
    {"run and a distant waiting mark", {{0, 7, 1, 0, 5, c}, {8, 0, 1, 0, 1, m}}, 6, true},
};

void place(const Segment& s)
{
    for (int i = 0; i < s.length; ++i)
        board[s.col + i * s.stepCol][s.row + i * s.stepRow] = s.code;
}
}  // namespace

TEST(boardRuns, markRunsFindsRunsInEveryDirectionAndAtEveryEdge)
{
    // Around the runs: nothing, or balls of another colour that must stop a walk and stay untouched.
    for (int background : {emptyCell, 4, markedCode(4)}) {
        for (const RunCase& r : runCases) {
            SCOPED_TRACE(std::string(r.name) + ", background " + std::to_string(background));
            resetRules();
            for (int col = 0; col < boardSize; ++col)
                for (int row = 0; row < boardSize; ++row)
                    board[col][row] = background;
            for (const Segment& s : r.segments)
                place(s);
            Grid expected = copyBoard();
            if (r.marksAll)
                for (const Segment& s : r.segments)
                    for (int i = 0; i < s.length; ++i)
                        expected.code[s.col + i * s.stepCol][s.row + i * s.stepRow] = m;

            EXPECT_EQ(markRuns(c, m), r.count);
            std::string difference;
            EXPECT_TRUE(sameBoard(expected, &difference)) << difference;
            for (int col = 0; col < boardSize; ++col)
                for (int row = 0; row < boardSize; ++row)
                    ASSERT_EQ(removeTimer[col][row], board[col][row] == m ? removeStart : 0) << col << "," << row;
        }
    }
}

TEST(boardRuns, scoringScanScoresEachColourByItsOwnCount)
{
    struct Row {
        const char* name;
        Segment segments[2];
        int points;
    } rows[] = {
        {"one run of five", {{0, 0, 1, 0, 5, 3}}, 50},
        {"two colours in one scan", {{0, 0, 1, 0, 5, 1}, {4, 8, 1, 0, 5, 5}}, 100},
        {"one colour, two runs, counted together", {{0, 0, 1, 0, 5, 4}, {0, 8, 1, 0, 5, 4}}, 400},
        {"a cross counted once", {{2, 4, 1, 0, 5, 2}, {4, 2, 0, 1, 5, 2}}, 306},
        {"four waiting marks left of a run", {{0, 0, 1, 0, 4, 33}}, 16},
        {"fewer than four waiting marks add nothing", {{0, 0, 1, 0, 3, 33}}, 0},
        {"four in a row", {{0, 0, 1, 0, 4, 1}}, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        resetRules();
        for (const Segment& s : r.segments)
            place(s);
        score = 7;
        EXPECT_EQ(scoringScan(), r.points > 0);
        EXPECT_EQ(score, 7 + r.points);
    }
}

TEST(boardRuns, aSecondScanScoresWaitingMarksAgainAndRestartsThem)
{
    resetRules();
    for (int row = 4; row < 9; ++row)
        board[8][row] = 5;
    ASSERT_TRUE(scoringScan());
    ASSERT_EQ(score, 50);
    for (int step = 0; step < 6; ++step)
        countdownStep();
    ASSERT_EQ(removeTimer[8][4], removeStart - 6);
    EXPECT_TRUE(scoringScan());
    EXPECT_EQ(score, 100);
    for (int row = 4; row < 9; ++row) {
        EXPECT_EQ(board[8][row], markedCode(5));
        EXPECT_EQ(removeTimer[8][row], removeStart);
    }
}

TEST(boardRuns, scoreStopsAtItsMaximumInsteadOfOverflowing)
{
    struct Row {
        int start, points, expected;
    } rows[] = {
        {0, 50, 50},
        {scoreMax - 51, 50, scoreMax - 1},
        {scoreMax - 50, 50, scoreMax},
        {scoreMax - 49, 50, scoreMax},
        {scoreMax, 306, scoreMax},
        {scoreMax, INT_MAX, scoreMax},
    };
    for (const Row& r : rows) {
        score = r.start;
        addScore(r.points);
        EXPECT_EQ(score, r.expected) << "start " << r.start << " + " << r.points;
    }
    // The same through a scan, as a held button would repeat it.
    resetRules();
    for (int col = 0; col < 5; ++col)
        board[col][1] = 1;
    score = scoreMax - 20;
    scoringScan();
    EXPECT_EQ(score, scoreMax);
    scoringScan();
    EXPECT_EQ(score, scoreMax);
}
