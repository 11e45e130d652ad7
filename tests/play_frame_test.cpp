// Play frames on a null device: cooldowns, keys, buttons, the banner phase, labels, the hit test; and a random soak.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

#include "play/play.h"
#include "tests/support/testgame.h"

namespace {

const int cellCount = boardSize * boardSize;  // board[col][row] is cell col * 9 + row from &board[0][0]
bool in(int value, std::initializer_list<int> set) { return std::find(set.begin(), set.end(), value) != set.end(); }

class PlayFrame : public testing::Test {
protected:
    void SetUp() override { running(); }
    void TearDown() override { testgame::close(); }
    // A fresh device and a running game on an empty board: cooldowns run out, nothing held, pointer off the board.
    static void running()
    {
        testgame::close();
        testgame::open(video::EDT_NULL, 0);
        inputCooldown = keyCooldown = 0;
        activeScreen = 1;
        turnPhase = turnTakesClicks;
        chooseBoardGeometry();
        testgame::pointAt(5, 200);
    }
    static void frame(int time = 1000) { frameTime = time; playScreenFrame(); }  // no multiple of 3: timers stand still
    static void pointAtCell(int c, int r) { testgame::pointAt(originX + c * cellPitch, originY + r * cellPitch); }
    static int balls() { return cellCount - static_cast<int>(std::count(&board[0][0], &board[0][0] + cellCount, 0)); }
};

TEST_F(PlayFrame, SpaceOnTheTitleStartsAGameThatTakesItsFirstClickInFrame22)
{
    activeScreen = 0;
    testgame::key(KEY_SPACE, true);
    testgame::tick();  // the play frame runs in the tick that leaves the title
    EXPECT_EQ(std::make_tuple(activeScreen, balls(), inputCooldown, keyCooldown), std::make_tuple(1, 5, 21, 21));
    const int empty = static_cast<int>(std::find(&board[0][0], &board[0][0] + cellCount, 0) - &board[0][0]);
    pointAtCell(empty / boardSize, empty % boardSize);
    testgame::leftButton(true);
    for (int n = 2; n <= 22; ++n) {
        frame();
        ASSERT_EQ(inputCooldown, n < 22 ? 22 - n : 22) << "frame " << n;
    }
}

TEST_F(PlayFrame, EscapeAndBackButtonLeaveForTheTitle)
{
    struct Row { const char* name; EKEY_CODE key; bool button; int cooldown, cooldownAfter, scoreAfter; bool leaves; };
    const Row rows[] = {{"escape", KEY_ESCAPE, false, 1, 44, 0, true},
                        {"escape while cooling down", KEY_ESCAPE, false, 5, 4, 500, false},
                        {"back button", KEY_KEY_Z, true, 1, 9, 500, true},
                        {"back button while cooling down", KEY_KEY_Z, true, 3, 2, 500, false},
                        {"back button with comma held", KEY_COMMA, true, 0, 1, 500, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        running();
        score = 500;
        inputCooldown = r.cooldown;
        testgame::key(r.key, true);
        testgame::pointAt(r.button ? screenWidth - 70 : 5, 20);
        testgame::leftButton(r.button);
        frame();
        EXPECT_EQ(std::make_pair(activeScreen == 0, playState == playNewPending), std::make_pair(r.leaves, r.leaves));
        EXPECT_EQ(std::make_pair(inputCooldown, score), std::make_pair(r.cooldownAfter, r.scoreAfter));
    }
}

TEST_F(PlayFrame, HeldKeysSwallowOrRepeatClicks)
{
    struct Row { const char* name; EKEY_CODE key; bool left; int acted, cooldownAfter; };
    const Row rows[] = {{"tab, left", KEY_TAB, true, 0, 17},        {"tab, right", KEY_TAB, false, 0, 17},
                        {"backspace, left", KEY_BACK, true, 0, 17}, {"backspace, right", KEY_BACK, false, 1, 17},
                        {"comma, left", KEY_COMMA, true, 6, 1},     {"period, left", KEY_PERIOD, true, 6, 1},
                        {"z, left", KEY_KEY_Z, true, 1, 3}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        running();
        testgame::key(r.key, true);
        (r.left ? testgame::leftButton : testgame::rightButton)(true);
        int acted = 0;  // six frames over two balls, restored and deselected each time
        for (int n = 0; n < 6; ++n) {
            board[1][1] = board[5][5] = 2;
            selectedCol = selectedRow = -1;
            shiftPulse[0] = true;  // lets a right click remove
            pointAtCell(n % 2 ? 5 : 1, n % 2 ? 5 : 1);
            frame();
            acted += selectedCol != -1 || board[1][1] == emptyCell || board[5][5] == emptyCell;
        }
        EXPECT_EQ(std::make_pair(acted, inputCooldown), std::make_pair(r.acted, r.cooldownAfter));
    }
}

TEST_F(PlayFrame, ShiftPulseThenRightClickRemovesWithoutScoring)
{
    for (EKEY_CODE shift : {KEY_LSHIFT, KEY_RSHIFT}) {
        SCOPED_TRACE(shift);
        running();
        board[3][3] = markedCode(5);
        removeTimer[3][3] = 9;
        appearTimer[3][3] = 4;
        score = 120;
        pointAtCell(3, 3);
        testgame::rightButton(true);
        testgame::key(shift, true);
        frame();  // the pulse comes after the removal step: it acts in the next frame
        EXPECT_EQ(std::make_pair(board[3][3], keyCooldown), std::make_pair(markedCode(5), 16));
        EXPECT_TRUE(shiftPulse[shift == KEY_RSHIFT] && !shiftPulse[shift != KEY_RSHIFT]);
        frame();
        EXPECT_EQ(std::make_tuple(balls(), score, inputCooldown), std::make_tuple(0, 120, 22));
        EXPECT_EQ(std::make_pair(removeTimer[3][3], appearTimer[3][3]), std::make_pair(9, 4)) << "the cell's timers";
        EXPECT_FALSE(shiftPulse[0] || shiftPulse[1]) << "a pulse lasts one frame";
    }
}

TEST_F(PlayFrame, OverlayToggleRepeatsEveryNineFramesWhileHeld)
{
    testgame::pointAt(screenWidth - 150, 20);
    testgame::leftButton(true);
    for (int n = 0; n < 40; ++n) {
        const bool before = scanRowOverlay;
        frame();
        EXPECT_EQ(scanRowOverlay != before, n % 9 == 0) << "frame " << n;
    }
}

TEST_F(PlayFrame, BannerPhaseLasts300FramesAndEndsOnTheTitle)
{
    // A full board without runs but for one cell: the move's first spawn fills it and the game ends.
    for (int i = 0; i < cellCount; ++i)
        board[i / boardSize][i % boardSize] = (i / boardSize + 2 * (i % boardSize)) % colourCount + 1;
    board[8][8] = emptyCell;
    selectedCol = selectedRow = 0;
    score = 250;
    pointAtCell(8, 8);
    testgame::leftButton(true);
    frame();
    ASSERT_EQ(playState, playGameOver);
    int frames = 1;
    for (; activeScreen == 1 && frames < 1000; ++frames) {
        ASSERT_EQ(testgame::text(infoLabel), "SCORE: 0000250  ") << "frame " << frames;
        frame(1000 + frames);
    }
    EXPECT_EQ(std::make_pair(frames, playState), std::make_pair(300, playNewPending));
    EXPECT_EQ(testgame::text(infoLabel), "  ");
    EXPECT_EQ(infoLabel->getOverrideColor().color, leftLabelColour);
}

TEST_F(PlayFrame, ScoreLabelTexts)
{
    const std::pair<int, const char*> rows[] = {
        {0, "SCORE: 000000  "}, {42, "SCORE: 0000042  "}, {150, "SCORE: 0000150  "}, {1000, "SCORE: 0001000  "},
        {scoreMax, "SCORE: 02147483647  "}};
    for (const auto& r : rows) {
        score = r.first;
        frame();
        EXPECT_EQ(testgame::text(infoLabel), r.second);
    }
    EXPECT_EQ(infoLabel->getOverrideColor().color, scoreLabelColour);
}

TEST_F(PlayFrame, HitTestBorders)
{
    struct Row { int mode, x, y, col, row; };  // mode 0: origin (28, 36), pitch 44; 4: origin (33, 52), pitch 119
    const Row rows[] = {{0, 27, 36, -1, 0}, {0, 28, 35, 0, -1}, {0, 423, 431, 8, 8},   {0, 424, 432, -1, -1},
                        {4, 32, 52, -1, 0}, {4, 33, 51, 0, -1}, {4, 1103, 1122, 8, 8}, {4, 1104, 1123, -1, -1}};
    for (const Row& r : rows) {
        sizeMode = r.mode;
        testgame::pointAt(r.x, r.y);
        frame();
        EXPECT_EQ(std::make_pair(pointerCol, pointerRow), std::make_pair(r.col, r.row)) << r.mode << ": " << r.x;
    }
}

// Random pointer, buttons and keys through both screens; the game's invariants must hold after every tick.
TEST(PlaySoak, RandomInputKeepsEveryInvariant)
{
    const char* fixed = std::getenv("QUINTET_SOAK_SEED");
    const unsigned seed = fixed ? static_cast<unsigned>(std::strtoul(fixed, nullptr, 10)) : std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (rerun with QUINTET_SOAK_SEED)");
    std::srand(seed);
    std::mt19937 random(seed);
    testgame::open(video::EDT_NULL, 1);
    const EKEY_CODE keys[] = {KEY_ESCAPE, KEY_TAB,   KEY_BACK,  KEY_UP,    KEY_KEY_W,  KEY_DOWN,   KEY_KEY_S,
                              KEY_LEFT,   KEY_KEY_A, KEY_RIGHT, KEY_KEY_D, KEY_COMMA,  KEY_PERIOD, KEY_LSHIFT,
                              KEY_RSHIFT, KEY_LCONTROL, KEY_RCONTROL};
    auto upTo = [](int value, int high) { return value >= 0 && value <= high; };
    int games = 0, gameOvers = 0;
    for (int n = 0; n < 100000; ++n) {
        testgame::setTime(1000 + 18 * n + random() % 3);
        if (activeScreen == 0) {  // the title only ever starts play here: its Escape quits, its arrows relaunch
            testgame::releaseAll();
            testgame::key(KEY_SPACE, true);
        } else {
            if (random() % 4 == 0)  // mostly over the board, now and then over the buttons
                testgame::pointAt(random() % screenWidth, random() % 10 ? 40 + random() % 600 : random() % 40);
            if (random() % 6 == 0)
                (random() % 3 ? testgame::leftButton : testgame::rightButton)(random() % 2);
            const EKEY_CODE k = keys[random() % (sizeof keys / sizeof keys[0])];
            if (random() % 8 == 0)  // Escape rarely, so games last until the board fills
                testgame::key(k, random() % 3 == 0 && (k != KEY_ESCAPE || random() % 20 == 0));
        }
        const int scoreBefore = score, stateBefore = playState;
        testgame::tick();
        games += stateBefore == playNewPending && activeScreen == 1;
        gameOvers += stateBefore != playGameOver && playState == playGameOver;
        const std::string at = "tick " + std::to_string(n);
        for (int i = 0; i < cellCount; ++i) {
            const int c = board[i / 9][i % 9], appear = appearTimer[i / 9][i % 9], remove = removeTimer[i / 9][i % 9];
            ASSERT_TRUE(in(c, {0, 1, 2, 3, 4, 5, 11, 22, 33, 44, 55}) && upTo(appear, appearStart) &&
                        upTo(remove, removeStart) && !in(remove, {1, 2}))
                << at << ", cell " << i << ": code " << c << ", timers " << appear << ", " << remove;
        }
        ASSERT_TRUE((selectedCol == -1 && selectedRow == -1) || (upTo(selectedCol, 8) && upTo(selectedRow, 8)))
            << at << ", selection " << selectedCol << ", " << selectedRow;
        ASSERT_TRUE(in(activeScreen, {0, 1}) && in(playState, {playRunning, playNewPending, playGameOver}) &&
                    in(turnPhase, {0, turnTakesClicks, turnGameOver}))
            << at << ", screen " << activeScreen << ", state " << playState << ", phase " << turnPhase;
        ASSERT_TRUE(upTo(inputCooldown, 44) && upTo(keyCooldown, 22) && upTo(gameOverCountdown, 300) && score >= 0)
            << at << ": " << inputCooldown << ", " << keyCooldown << ", " << gameOverCountdown << ", " << score;
        ASSERT_TRUE(stateBefore == playNewPending || playState == playNewPending || score >= scoreBefore)
            << at << ": the score fell within a game from " << scoreBefore << " to " << score;
    }
    testgame::close();
    EXPECT_TRUE(games > 1 && gameOvers > 0) << "games " << games << ", game overs " << gameOvers;
}

} // namespace
