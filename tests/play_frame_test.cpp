// Play frames on a null device: cooldowns, keys, buttons, the banner phase, labels and the hit test.
#include <gtest/gtest.h>

#include <string>

#include "play/play.h"
#include "tests/support/testgame.h"

namespace {

// A frameTime that is no multiple of 3, so the per-cell timers stand still unless a test wants them to run.
const int stillTime = 1000;

class PlayFrame : public testing::Test {
protected:
    void SetUp() override { testgame::open(video::EDT_NULL, 0); }
    void TearDown() override { testgame::close(); }

    // A running game on an empty board with both cooldowns run out and the pointer off the board.
    static void runningGame()
    {
        for (int col = 0; col < boardSize; ++col)
            for (int row = 0; row < boardSize; ++row)
                board[col][row] = appearTimer[col][row] = removeTimer[col][row] = 0;
        selectedCol = selectedRow = -1;
        score = 0;
        activeScreen = 1;
        playState = playRunning;
        turnPhase = turnTakesClicks;
        inputCooldown = keyCooldown = 0;
        gameOverCountdown = 0;
        testgame::pointAt(5, 200);
    }
    static void frame(int time = stillTime)
    {
        frameTime = time;
        playScreenFrame();
    }
    static void pointAtCell(int col, int row)
    {
        chooseBoardGeometry();
        testgame::pointAt(originX + col * cellPitch + cellPitch / 2, originY + row * cellPitch + cellPitch / 2);
    }
    static int ballCount()
    {
        int n = 0;
        for (int col = 0; col < boardSize; ++col)
            for (int row = 0; row < boardSize; ++row)
                n += board[col][row] != emptyCell;
        return n;
    }
    // A full board in which no two neighbours along any line share a colour, so no run can form.
    static void fillWithoutRuns()
    {
        for (int col = 0; col < boardSize; ++col)
            for (int row = 0; row < boardSize; ++row)
                board[col][row] = (col + 2 * row) % colourCount + 1;
    }
};

TEST_F(PlayFrame, NewGameStartsWithCooldownsAt21AndTakesTheFirstClickInFrame22)
{
    activeScreen = 1;
    playState = playNewPending;
    score = 77;
    testgame::leftButton(true);
    testgame::pointAt(5, 200);
    frame();
    EXPECT_EQ(playState, playRunning);
    EXPECT_EQ(turnPhase, turnTakesClicks);
    EXPECT_EQ(inputCooldown, 21);
    EXPECT_EQ(keyCooldown, 21);
    EXPECT_EQ(ballCount(), 5);
    EXPECT_EQ(testgame::text(infoLabel), "SCORE: 000000  ");
    EXPECT_EQ(infoLabel->getOverrideColor().color, 0xC7FFFAE1u);
    EXPECT_EQ(testgame::text(sizeLabel), "  ");
    EXPECT_EQ(sizeLabel->getOverrideColor().color, 0xFFFFFFFFu);
    EXPECT_EQ(infoLabel->getRelativePosition(), core::rect<s32>(30, 10, 530, 50));

    // An empty cell: an accepted click there sets the cooldown to 22.
    int emptyCol = -1, emptyRow = -1;
    for (int i = 0; i < boardSize * boardSize && emptyCol < 0; ++i)
        if (board[i % boardSize][i / boardSize] == emptyCell) {
            emptyCol = i % boardSize;
            emptyRow = i / boardSize;
        }
    pointAtCell(emptyCol, emptyRow);
    for (int n = 2; n <= 21; ++n) {
        frame();
        ASSERT_EQ(inputCooldown, 22 - n) << "click taken in frame " << n;
    }
    frame();
    EXPECT_EQ(inputCooldown, 22) << "the click of frame 22 was not taken";
}

TEST_F(PlayFrame, LabelsMoveUpForTheLargeSizes)
{
    for (int mode : {2, 3}) {
        sizeMode = mode;
        activeScreen = 1;
        playState = playNewPending;
        frame();
        const int top = mode <= 2 ? 10 : 3;
        EXPECT_EQ(infoLabel->getRelativePosition(), core::rect<s32>(30, top, 530, top + 40)) << "mode " << mode;
    }
}

TEST_F(PlayFrame, EscapeAndBackButtonLeaveForTheTitle)
{
    struct Row {
        const char* name;
        bool escape;
        bool backButton;
        int startCooldown;  // before the frame's own countdown
        bool gameOver;
        bool leaves;
        int cooldownAfter;
        int scoreAfter;
    };
    const Row rows[] = {
        {"escape", true, false, 1, false, true, 44, 0},
        {"escape while cooling down", true, false, 5, false, false, 4, 500},
        {"back button", false, true, 1, false, true, 9, 500},
        {"back button while cooling down", false, true, 3, false, false, 2, 500},
        {"back button during the banner", false, true, 0, true, true, 9, 500},
        {"escape during the banner", true, false, 0, true, true, 44, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        runningGame();
        testgame::releaseAll();
        score = 500;
        inputCooldown = r.startCooldown;
        if (r.gameOver) {
            playState = playGameOver;
            turnPhase = turnGameOver;
            gameOverCountdown = 150;
        }
        if (r.escape)
            testgame::key(KEY_ESCAPE, true);
        if (r.backButton) {
            testgame::pointAt(screenWidth - 70, 20);
            testgame::leftButton(true);
        }
        frame();
        EXPECT_EQ(activeScreen, r.leaves ? 0 : 1);
        EXPECT_EQ(inputCooldown, r.cooldownAfter);
        EXPECT_EQ(score, r.scoreAfter);
        if (r.leaves) {
            EXPECT_EQ(playState, playNewPending);
        }
        // Escape blanks the label in its own frame; the buttons come after the blanking step.
        if (r.leaves && r.escape) {
            EXPECT_EQ(testgame::text(infoLabel), "  ");
            EXPECT_EQ(infoLabel->getOverrideColor().color, 0xFFFFFAFFu);
        } else {
            EXPECT_EQ(testgame::text(infoLabel), "SCORE: 0000500  ");
        }
    }
}

TEST_F(PlayFrame, ButtonHoverZonesAreOpenAcrossAndClosedDown)
{
    const int w = screenWidth;
    struct Row {
        int x, y;
        bool back, overlay;
    };
    const Row rows[] = {
        {w - 100, 20, false, false}, {w - 99, 20, true, false},  {w - 41, 20, true, false},
        {w - 40, 20, false, false},  {w - 70, 4, false, false},  {w - 70, 5, true, false},
        {w - 70, 32, true, false},   {w - 70, 33, false, false}, {w - 180, 20, false, false},
        {w - 179, 20, false, true},  {w - 121, 32, false, true}, {w - 120, 20, false, false},
    };
    for (const Row& r : rows) {
        testgame::pointAt(r.x, r.y);
        EXPECT_EQ(buttonHovered(backButtonLeft), r.back) << "(" << r.x << ", " << r.y << ")";
        EXPECT_EQ(buttonHovered(overlayButtonLeft), r.overlay) << "(" << r.x << ", " << r.y << ")";
    }
}

TEST_F(PlayFrame, TabAndBackspaceSwallowClicks)
{
    struct Row {
        const char* name;
        EKEY_CODE key;
        bool left, right;
        bool swallowed;
    };
    const Row rows[] = {
        {"tab with left", KEY_TAB, true, false, true},
        {"tab with right", KEY_TAB, false, true, true},
        {"backspace with left", KEY_BACK, true, false, true},
        {"backspace with right", KEY_BACK, false, true, false},
        {"no key with left", KEY_KEY_Z, true, false, false},
        {"no key with right", KEY_KEY_Z, false, true, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        runningGame();
        testgame::releaseAll();
        board[2][2] = 4;
        shiftPulse[0] = true;  // lets a right click remove the ball
        pointAtCell(2, 2);
        testgame::key(r.key, true);
        testgame::leftButton(r.left);
        testgame::rightButton(r.right);
        frame();
        const bool acted = selectedCol == 2 || board[2][2] == emptyCell;
        EXPECT_EQ(acted, !r.swallowed);
        if (r.swallowed) {
            EXPECT_EQ(inputCooldown, 22);
        }
    }
}

TEST_F(PlayFrame, CommaOrPeriodLetsAHeldButtonClickEveryFrame)
{
    for (EKEY_CODE key : {KEY_COMMA, KEY_PERIOD, KEY_KEY_Z}) {
        SCOPED_TRACE(key);
        runningGame();
        testgame::releaseAll();
        board[1][1] = 2;
        board[5][5] = 3;
        testgame::key(key, true);
        testgame::leftButton(true);
        // Alternate between two balls, clearing the selection: it shows which frames took a click.
        int selections = 0;
        for (int n = 0; n < 6; ++n) {
            const int cell = n % 2 ? 5 : 1;
            pointAtCell(cell, cell);
            selectedCol = selectedRow = -1;
            frame();
            selections += selectedCol == cell;
        }
        const bool fast = key != KEY_KEY_Z;
        EXPECT_EQ(selections, fast ? 6 : 1);
        if (fast) {
            EXPECT_EQ(inputCooldown, 1);
        }
    }
}

TEST_F(PlayFrame, CommaHeldStillLetsEscapeThroughButNotTheButtons)
{
    runningGame();
    testgame::key(KEY_COMMA, true);
    testgame::pointAt(screenWidth - 70, 20);
    testgame::leftButton(true);
    frame();
    EXPECT_EQ(activeScreen, 1) << "the back button took a click with comma held";
    testgame::key(KEY_ESCAPE, true);
    frame();
    EXPECT_EQ(activeScreen, 0);
}

TEST_F(PlayFrame, DirectionKeysHoldClicksOffForTwoFrames)
{
    runningGame();
    testgame::key(KEY_KEY_D, true);
    frame();
    EXPECT_EQ(inputCooldown, 2);
    inputCooldown = 5;
    frame();
    EXPECT_EQ(inputCooldown, 4) << "a direction key must not shorten a running cooldown";
}

TEST_F(PlayFrame, ShiftPulseThenRightClickRemovesWithoutScoring)
{
    for (EKEY_CODE shift : {KEY_LSHIFT, KEY_RSHIFT}) {
        SCOPED_TRACE(shift == KEY_LSHIFT ? "left shift" : "right shift");
        runningGame();
        testgame::releaseAll();
        shiftPulse[0] = shiftPulse[1] = false;
        board[3][3] = markedCode(5);
        removeTimer[3][3] = 9;
        appearTimer[3][3] = 4;
        board[7][7] = 1;
        score = 120;
        pointAtCell(3, 3);
        testgame::rightButton(true);
        testgame::key(shift, true);
        frame();
        // The pulse is raised after the removal step, so it acts in the next frame.
        EXPECT_EQ(board[3][3], markedCode(5));
        EXPECT_EQ(shiftPulse[shift == KEY_RSHIFT ? 1 : 0], true);
        EXPECT_EQ(shiftPulse[shift == KEY_RSHIFT ? 0 : 1], false);
        EXPECT_EQ(keyCooldown, 16);
        removeTimer[3][3] = 9;
        appearTimer[3][3] = 4;
        frame();
        EXPECT_EQ(board[3][3], emptyCell);
        EXPECT_EQ(removeTimer[3][3], 9) << "the timers are the cell's, not the ball's";
        EXPECT_EQ(appearTimer[3][3], 4);
        EXPECT_EQ(ballCount(), 1) << "a removal must not spawn";
        EXPECT_EQ(score, 120);
        EXPECT_EQ(inputCooldown, 22);
        EXPECT_FALSE(shiftPulse[0] || shiftPulse[1]) << "a pulse lasts one frame";
    }
}

TEST_F(PlayFrame, RightClickOnAnEmptyCellStillStartsTheCooldown)
{
    runningGame();
    shiftPulse[0] = true;
    pointAtCell(6, 2);
    testgame::rightButton(true);
    frame();
    EXPECT_EQ(inputCooldown, 22);
    EXPECT_EQ(board[6][2], emptyCell);
}

TEST_F(PlayFrame, GameOverPulsesKeepWhileTheBoardTakesNoClicks)
{
    runningGame();
    playState = playGameOver;
    turnPhase = turnGameOver;
    gameOverCountdown = 100;
    shiftPulse[0] = true;
    testgame::key(KEY_RSHIFT, true);
    testgame::key(KEY_PERIOD, true);
    frame();
    EXPECT_TRUE(shiftPulse[0]);
    EXPECT_FALSE(shiftPulse[1]);
    EXPECT_EQ(inputCooldown, 0) << "the second key group must not run during game over";
}

TEST_F(PlayFrame, OverlayToggleRepeatsEveryNineFramesWhileHeld)
{
    runningGame();
    testgame::pointAt(screenWidth - 150, 20);
    testgame::leftButton(true);
    bool last = scanRowOverlay;
    int toggles = 0;
    for (int n = 1; n <= 40; ++n) {
        frame();
        if (scanRowOverlay != last) {
            // Frames 1, 10, 19, ...: the 9 set by a toggle reaches 0 in the ninth frame after it.
            EXPECT_EQ((n - 1) % 9, 0) << "toggle in frame " << n;
            ++toggles;
        }
        last = scanRowOverlay;
    }
    EXPECT_EQ(toggles, 5);
}

TEST_F(PlayFrame, BannerPhaseLasts300FramesFromTheFilledBoardToTheTitle)
{
    runningGame();
    fillWithoutRuns();
    // The move leaves one empty cell, which the first spawn fills: game over in this frame.
    board[8][8] = emptyCell;
    selectedCol = 0;
    selectedRow = 0;
    score = 250;
    pointAtCell(8, 8);
    testgame::leftButton(true);
    frame();
    ASSERT_EQ(playState, playGameOver);
    EXPECT_EQ(turnPhase, turnGameOver);
    testgame::releaseAll();

    int frames = 1;
    while (activeScreen == 1 && frames < 1000) {
        EXPECT_EQ(testgame::text(infoLabel), "SCORE: 0000250  ") << "frame " << frames;
        frame(stillTime + frames);
        ++frames;
    }
    EXPECT_EQ(frames, 300);
    EXPECT_EQ(playState, playNewPending);
    EXPECT_EQ(gameOverCountdown, 0);
    EXPECT_EQ(testgame::text(infoLabel), "  ");
    EXPECT_EQ(infoLabel->getOverrideColor().color, 0xFFFFFAFFu);
}

TEST_F(PlayFrame, ScoreLabelTexts)
{
    struct Row {
        int score;
        const char* text;
    };
    const Row rows[] = {
        {0, "SCORE: 000000  "},        {9, "SCORE: 000009  "},        {42, "SCORE: 0000042  "},
        {99, "SCORE: 0000099  "},      {100, "SCORE: 0000100  "},     {150, "SCORE: 0000150  "},
        {1000, "SCORE: 0001000  "},    {99999, "SCORE: 0099999  "},   {100000, "SCORE: 0100000  "},
        {999999, "SCORE: 0999999  "},  {1000000, "SCORE: 01000000  "}, {scoreMax, "SCORE: 02147483647  "},
    };
    for (const Row& r : rows) {
        runningGame();
        score = r.score;
        frame();
        EXPECT_EQ(testgame::text(infoLabel), r.text) << "score " << r.score;
        EXPECT_EQ(infoLabel->getOverrideColor().color, 0xC7FFFAE1u);
    }
}

TEST_F(PlayFrame, ScoreStopsAtItsMaximum)
{
    runningGame();
    // Four of colour 2 in row 4 and a fifth selected below: the move completes a run of five.
    for (int col = 0; col < 4; ++col)
        board[col][4] = 2;
    board[4][6] = 2;
    selectedCol = 4;
    selectedRow = 6;
    score = scoreMax - 60;
    pointAtCell(4, 4);
    testgame::leftButton(true);
    frame();
    ASSERT_EQ(board[4][4], markedCode(2));
    EXPECT_EQ(score, scoreMax);
    EXPECT_EQ(testgame::text(infoLabel), "SCORE: 02147483647  ");
}

TEST_F(PlayFrame, HitTestBordersSelectOnlyInsideTheBoard)
{
    struct Row {
        int mode;
        int x;
        int col;  // expected column, -1 outside
    };
    // Boards: mode 0 from x 28 with pitch 44, mode 4 from 33 with pitch 119, any other mode from 140 with 50.
    const Row rows[] = {
        {0, 27, -1}, {0, 28, 0}, {0, 71, 0}, {0, 72, 1}, {0, 423, 8}, {0, 424, -1},
        {4, 32, -1}, {4, 33, 0}, {4, 151, 0}, {4, 1103, 8}, {4, 1104, -1},
        {7, 139, -1}, {7, 140, 0}, {7, 589, 8}, {7, 590, -1},
    };
    for (const Row& r : rows) {
        runningGame();
        sizeMode = r.mode;
        chooseBoardGeometry();
        const int y = originY + 4 * cellPitch + 1;
        for (int col = 0; col < boardSize; ++col)
            board[col][4] = col % colourCount + 1;
        testgame::pointAt(r.x, y);
        testgame::leftButton(true);
        frame();
        EXPECT_EQ(selectedCol, r.col) << "mode " << r.mode << " x " << r.x;
        EXPECT_EQ(inputCooldown, r.col < 0 ? 0 : 8) << "mode " << r.mode << " x " << r.x;
    }
}

TEST_F(PlayFrame, HitTestRowsFollowTheSameRule)
{
    runningGame();
    chooseBoardGeometry();
    struct Row {
        int y, row;
    };
    const Row rows[] = {{35, -1}, {36, 0}, {79, 0}, {80, 1}, {431, 8}, {432, -1}};
    for (const Row& r : rows)
        EXPECT_EQ(pointerCell(r.y, originY), r.row) << "y " << r.y;
}

TEST_F(PlayFrame, TitleStartsPlayWithinTheSameTick)
{
    activeScreen = 0;
    inputCooldown = 1;
    testgame::pointAt(5, 5);
    testgame::key(KEY_SPACE, true);
    testgame::setTime(5000);
    testgame::tick();
    EXPECT_EQ(activeScreen, 1);
    EXPECT_EQ(playState, playRunning) << "the play frame did not run in the starting tick";
    EXPECT_EQ(ballCount(), 5);
    EXPECT_EQ(testgame::text(infoLabel), "SCORE: 000000  ");
}

TEST_F(PlayFrame, LeavingPlayShowsTheTitleFromTheNextTick)
{
    runningGame();
    testgame::key(KEY_ESCAPE, true);
    testgame::setTime(5000);
    testgame::tick();
    ASSERT_EQ(activeScreen, 0);
    EXPECT_EQ(testgame::text(infoLabel), "  ") << "the title frame ran in the leaving tick";
    testgame::releaseAll();
    testgame::setTime(5017);
    testgame::tick();
    EXPECT_NE(testgame::text(infoLabel), "  ") << "the title frame should show its credit now";
}

} // namespace
