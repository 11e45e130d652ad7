// Play frames on a null device: cooldowns, keys, buttons, the banner phase, labels, the hit test.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "play/play.h"
#include "tests/support/testgame.h"

namespace {

void frame(int time = 1000) { frameTime = time; playScreenFrame(); }  // no multiple of 3: timers stand still
void pointAtCell(int c, int r) { testgame::pointAt(originX + c * cellPitch, originY + r * cellPitch); }
// A fresh device and a running game on an empty board: cooldowns run out, nothing held.
void running()
{
    testgame::close();
    testgame::open(video::EDT_NULL, 0);
    inputCooldown = keyCooldown = 0;
    activeScreen = 1;
    turnPhase = turnTakesClicks;
    chooseBoardGeometry();
}

TEST(PlayFrame, HeldKeysAndButtonsOverTenFrames)
{
    // Button L, R: held on the board (E: right, on an empty cell); B, O: left held on the back, overlay button.
    // acted: bit n if frame n acted; then the input and key cooldowns and the score after the ten frames.
    struct Row { const char* name; std::vector<EKEY_CODE> keys; char button; int cooldown, acted, input, key, score; };
    const Row rows[] = {
        {"escape", {KEY_ESCAPE}, 0, 1, 0x1, 35, 0, 0}, {"escape, cooling down", {KEY_ESCAPE}, 0, 5, 0x10, 39, 0, 0},
        {"back button", {}, 'B', 1, 0x201, 9, 0, 500}, {"overlay button", {}, 'O', 0, 0x201, 9, 0, 500},
        {"comma, back button", {KEY_COMMA}, 'B', 0, 0, 1, 0, 500}, {"tab", {KEY_TAB}, 'L', 0, 0, 13, 0, 500},
        {"tab, shift", {KEY_TAB, KEY_LSHIFT}, 'R', 0, 0, 13, 7, 500}, {"backspace", {KEY_BACK}, 'L', 0, 0, 13, 0, 500},
        {"backspace, shift", {KEY_BACK, KEY_LSHIFT}, 'R', 0, 0x2, 14, 7, 500},
        {"right shift", {KEY_RSHIFT}, 'R', 0, 0x2, 14, 7, 500},
        {"right shift, empty cell", {KEY_RSHIFT}, 'E', 0, 0, 14, 7, 500},
        {"right control", {KEY_RCONTROL}, 0, 0, 0, 0, 7, 500}, {"comma", {KEY_COMMA}, 'L', 0, 0x155, 1, 0, 500},
        {"period", {KEY_PERIOD}, 'L', 0, 0x155, 1, 0, 500}, {"up arrow", {KEY_UP}, 0, 0, 0, 1, 0, 500}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        running();
        score = 500;
        inputCooldown = r.cooldown;
        removeTimer[5][5] = removeStart;  // a marked ball: right-clicked away, its timers go with it
        appearTimer[5][5] = 4;
        for (EKEY_CODE k : r.keys)
            testgame::key(k, true);
        testgame::rightButton(r.button == 'R' || r.button == 'E');
        testgame::leftButton(r.button && !rightButtonDown);
        int acted = 0;  // the pointer takes turns on the two balls; play resumes on a restored board after each frame
        for (int n = 0; n < 10; ++n) {
            board[1][1] = 2;
            board[5][5] = markedCode(2);
            selectedCol = selectedRow = -1;
            activeScreen = 1;
            playState = playRunning;
            const int cell = r.button == 'E' ? 3 : 1 + n % 2 * 4;
            r.button == 'B' || r.button == 'O' ? testgame::pointAt(screenWidth - (r.button == 'B' ? 70 : 150), 20)
                                               : pointAtCell(cell, cell);
            const bool overlay = scanRowOverlay;
            frame();
            acted |= ((activeScreen == 0 && playState == playNewPending) || scanRowOverlay != overlay ||
                      selectedCol != -1 || board[1][1] == emptyCell || board[5][5] == emptyCell) << n;
        }
        // The pointer is over the marked ball in the odd frames.
        const bool removed = r.button == 'R' && (r.acted & 0x2AA);
        EXPECT_EQ(std::make_tuple(acted, inputCooldown, keyCooldown, score, removeTimer[5][5], appearTimer[5][5]),
                  std::make_tuple(r.acted, r.input, r.key, r.score, removed ? 0 : removeStart, removed ? 0 : 4));
    }
}

// A finished game's banner takes no key of the running game nor a click on a ball; Space on the title then starts a
// new game, whose first frame runs in the same tick, with none of the last game's timers.
TEST(PlayFrame, BannerPhaseLasts300FramesThenSpaceStartsAGameInTheSameTick)
{
    running();
    playState = playGameOver, turnPhase = turnGameOver, gameOverCountdown = gameOverTicks, board[1][1] = 2;
    testgame::key(KEY_COMMA, true);
    pointAtCell(1, 1);
    testgame::leftButton(true);
    int frames = 0;
    while (activeScreen == 1 && frames < 1000)
        frame(1000 + frames++);
    EXPECT_EQ(std::make_tuple(frames, playState, std::wstring(infoLabel->getText()),
                              infoLabel->getOverrideColor().color, inputCooldown, selectedCol),
              std::make_tuple(300, int(playNewPending), std::wstring(L"  "), leftLabelColour, 0, -1));
    testgame::releaseAll();
    inputCooldown = 0;
    int *codes = &board[0][0], *fades = &appearTimer[0][0], *removals = &removeTimer[0][0];
    std::fill(fades, fades + 81, 7), std::fill(removals, removals + 81, 7);
    testgame::key(KEY_SPACE, true);
    runTick();
    EXPECT_EQ(std::make_tuple(activeScreen, std::count(codes, codes + 81, 0), std::count(fades, fades + 81, 0),
                              std::count(removals, removals + 81, 0), inputCooldown, keyCooldown),
              std::make_tuple(1, 81 - 5, 81 - 5, 81, 21, 21));
}

TEST(PlayFrame, ScoreLabelTextsAndHitTestBorders)
{
    running();
    // Each text's first and last score; up to 9 the zeros make six digits, from 10 seven.
    const std::pair<int, const wchar_t*> texts[] = {{0, L"SCORE: 000000  "}, {99, L"SCORE: 0000099  "},
        {100, L"SCORE: 0000100  "}, {999, L"SCORE: 0000999  "}, {1000, L"SCORE: 0001000  "}, {9999, L"SCORE: 0009999  "},
        {10000, L"SCORE: 0010000  "}, {99999, L"SCORE: 0099999  "}, {100000, L"SCORE: 0100000  "},
        {scoreMax, L"SCORE: 02147483647  "}};
    for (const auto& t : texts) {
        score = t.first;
        frame();
        EXPECT_EQ(std::wstring(infoLabel->getText()), t.second);
    }
    struct Row { int mode, x, y, col, row; };  // mode 0: origin (28, 36), pitch 44; 4: origin (33, 52), pitch 119
    const Row rows[] = {{0, 27, 36, -1, 0}, {0, 28, 35, 0, -1}, {0, 423, 431, 8, 8},   {0, 424, 432, -1, -1},
                        {4, 32, 52, -1, 0}, {4, 33, 51, 0, -1}, {4, 1103, 1122, 8, 8}, {4, 1104, 1123, -1, -1}};
    for (const Row& r : rows) {
        sizeMode = r.mode;
        testgame::pointAt(r.x, r.y);
        frame();
        EXPECT_EQ(std::make_pair(pointerCol, pointerRow), std::make_pair(r.col, r.row)) << r.mode << ": " << r.x;
    }
    // The back button's face spans x 350..410 at XS; it is hovered strictly inside in x, and from y 5 to 32.
    const std::tuple<int, int, bool> spots[] = {{351, 5, true},  {409, 32, true}, {350, 20, false},
                                                {410, 20, false}, {380, 4, false}, {380, 33, false}};
    for (const auto& [x, y, hovered] : spots) {
        sizeMode = 0;
        mouseX = x, mouseY = y;
        EXPECT_EQ(buttonHovered(backButtonLeft), hovered) << x << ", " << y;
    }
}

} // namespace
