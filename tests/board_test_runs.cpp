// Runs in every direction and at every edge, their points up to the score's stop, rescans and removal.
#include "board_test.h"

namespace {
// A straight line of cells holding one code; waiting marks get removal timer 5, so a rescan must restart it.
struct Segment { int col, row, stepCol, stepRow, length, code; };
void place(const Segment& s)
{
    for (int i = 0; i < s.length; ++i) {
        board[s.col + i * s.stepCol][s.row + i * s.stepRow] = s.code;
        removeTimer[s.col + i * s.stepCol][s.row + i * s.stepRow] = s.code > colourCount ? 5 : 0;
    }
}
}  // namespace

TEST(boardRuns, markRunsFindsRunsInEveryDirectionAndAtEveryEdge)
{
    const int c = 2, m = 22;
    struct { const char* name; Segment segments[2]; int count; } rows[] = {
        {"right, top row from the left edge", {{0, 0, 1, 0, 5, c}}, 5},
        {"right, six in the bottom row to the right edge", {{3, 8, 1, 0, 6, c}}, 6},
        {"down, column 0 from the top", {{0, 0, 0, 1, 5, c}}, 5},
        {"down, column 8 to the bottom", {{8, 4, 0, 1, 5, c}}, 5},
        {"down-right, the long diagonal", {{0, 0, 1, 1, 9, c}}, 9},
        {"down-left, column 4 row 0 to column 0 row 4", {{4, 0, -1, 1, 5, c}}, 5},
        {"down-left, the long diagonal", {{8, 0, -1, 1, 9, c}}, 9},
        {"four in a row", {{0, 2, 1, 0, 4, c}}, 0},
        {"balls and waiting marks mixed", {{1, 1, 0, 1, 5, c}, {1, 2, 0, 2, 2, m}}, 5},
        {"a waiting mark, then four balls", {{0, 3, 1, 0, 1, m}, {1, 3, 1, 0, 4, c}}, 5},
    };
    // Around the runs: nothing, or another colour, plain or marked, which must stop a walk and stay as it is.
    for (char background : {'.', '4', 'd'})
        for (const auto& r : rows) {
            SCOPED_TRACE(std::string(r.name) + ", background " + background);
            setBoard(std::string(81, background));
            for (const Segment& s : r.segments)
                place(s);
            std::string expected = picture();
            for (const Segment& s : r.segments)
                for (int i = 0; r.count && i < s.length; ++i)
                    expected[at(s.col + i * s.stepCol, s.row + i * s.stepRow)] = 'b';
            EXPECT_EQ(markRuns(c, m), r.count);
            EXPECT_EQ(picture(), expected);
        }
}

TEST(boardRuns, scoringScanScoresEachColourByItsOwnCountAndRemovalEndsEightStepsLater)
{
    const int top = 2147483647;  // a held button rescans waiting marks without end
    struct { const char* name; Segment segments[2]; int start, expected; } rows[] = {
        {"two colours in one scan", {{0, 0, 1, 0, 5, 1}, {4, 8, 1, 0, 5, 5}}, 7, 107},
        {"a cross of 9 cells counted once", {{2, 4, 1, 0, 5, 2}, {4, 2, 0, 1, 5, 2}}, 7, 313},
        {"four waiting marks rescanned", {{0, 0, 1, 0, 4, 33}}, 7, 23},
        {"up to the stop", {{0, 1, 1, 0, 5, 1}}, top - 20, top},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        setBoard(std::string(81, '.'));
        for (const Segment& s : r.segments)
            place(s);
        score = r.start;
        EXPECT_TRUE(scoringScan());
        EXPECT_EQ(score, r.expected);
        // Every ball here is marked now, the waiting ones restarted.
        for (int step = 1; step <= 8; ++step) {
            countdownStep();
            EXPECT_EQ(picture().find_first_not_of(".\n") == std::string::npos, step == 8) << "after step " << step;
        }
    }
}
