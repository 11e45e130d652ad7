// Play frames on OpenGL under X; expected pixels come from the sprite sheet's texels, blended as the 2D renderer does.
#include <gtest/gtest.h>

#include "play/play.h"
#include "tests/support/testgame.h"

namespace {

video::IImage* sheet = nullptr;

// 1009: no multiple of 3 (the timers stand still) and the last tick of the highlight's on phase.
testgame::Grab frame(int time = 1009) { testgame::setTime(time); testgame::tick(); return testgame::grab(); }
// The texel with the colour key applied: magenta is transparent (0).
uint32_t texel(int x, int y)
{
    const uint32_t c = sheet->getPixel(x, y).color | 0xFF000000u;
    return (c & 0xFFFFFF) == 0xFF00FF ? 0 : c;
}
// Ball texel at the alpha of its appearTimer over the cell, under removal frame 1..5 (0: none) at alpha 0x4D.
uint32_t ball(int colour, int appear, int frameNo, int tx, int ty)
{
    const uint32_t t = texel(39 + tx, 3 + 67 * (colour - 1) + ty), alpha = (255u - 10 * appear) & 0xFF;
    const uint32_t under = t ? testgame::blend(alpha << 24 | (t & 0xFFFFFF), cellColour) : cellColour;
    const uint32_t f = frameNo ? texel(110 + tx, 3 + 67 * (frameNo - 1) + ty) : 0;
    return f ? testgame::blend(0x4D000000u | (f & 0xFFFFFF), under) : under;
}
// Expects the pixels of [x0, x1) x [y0, y1) near expected(x, y) where that is not 0; reports the first miss.
template <class F> void expectPixels(const testgame::Grab& g, int x0, int y0, int x1, int y1, F expected, int tol = 3)
{
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (expected(x, y) && !testgame::near(g.at(x, y), expected(x, y), tol))
                return ADD_FAILURE() << "pixel (" << x << ", " << y << "): " << testgame::hex(g.at(x, y))
                                     << " expected " << testgame::hex(expected(x, y));
}
// Expects a cell to show colourAt(texel). Drawing samples the texel under pixel centres shifted by -0.375, at
// (n + 0.125) * 64 / (cellPitch - 1); a pixel on a texel border may show either side and is skipped.
template <class F> void expectCell(const testgame::Grab& g, int col, int row, F colourAt)
{
    const int x0 = originX + col * cellPitch, y0 = originY + row * cellPitch;
    auto texelOf = [](int n) { return (8 * n + 1) * 8 % (cellPitch - 1) ? (8 * n + 1) * 8 / (cellPitch - 1) : -1; };
    expectPixels(g, x0, y0, x0 + cellPitch - 1, y0 + cellPitch - 1, [&](int x, int y) {
        return texelOf(x - x0) < 0 || texelOf(y - y0) < 0 ? 0u : colourAt(texelOf(x - x0), texelOf(y - y0)); });
}

struct PlayPixels : testing::Test {
    void SetUp() override
    {
        testgame::open(video::EDT_OPENGL, 1);  // an empty board, as after start-up
        if (!sheet)  // loaded once: the image outlives the device
            sheet = driver->createImageFromFile("media/exp.bmp");
        ASSERT_NE(sheet, nullptr);
        activeScreen = 1;
        inputCooldown = keyCooldown = 30;  // no click is taken while a test looks
        chooseBoardGeometry();
    }
    void TearDown() override { testgame::close(); }
};

TEST_F(PlayPixels, CellsGapsBallsRemovalFramesAndTheBlinkingSelection)
{
    struct Row { int appear, remove, frameNo; };  // frameNo 0: an unmarked ball
    const Row rows[] = {{20, 0, 0}, {10, 0, 0}, {0, 10, 0}, {0, 10, 5}, {0, 8, 5}, {0, 7, 4}, {0, 5, 2}, {0, 4, 1}};
    for (int i = 0; i < 8; ++i) {
        board[i][3] = rows[i].frameNo ? markedCode(3) : 3;
        appearTimer[i][3] = rows[i].appear;
        removeTimer[i][3] = rows[i].remove;
    }
    board[8][8] = 4;
    selectedCol = selectedRow = 8;
    struct Shot { int pointerX, time; bool lit; };  // lit only with the pointer on the board, in the blink's on phase
    for (const Shot s : {Shot{5, 1009, false}, Shot{originX + 5, 1009, true}, Shot{originX + 5, 1010, false}}) {
        SCOPED_TRACE(testing::Message() << "pointer x " << s.pointerX << ", time " << s.time);
        testgame::pointAt(s.pointerX, originY + 5);
        const testgame::Grab g = frame(s.time);
        const int x = originX + 4 * cellPitch, y = originY + 4 * cellPitch;  // an empty cell and its gaps
        expectPixels(g, x, y, x + cellPitch, y + cellPitch, [&](int px, int py) {
            return px - x == cellPitch - 1 || py - y == cellPitch - 1 ? playBackgroundColour : cellColour; });
        for (int i = 0; i < 8; ++i)
            expectCell(g, i, 3, [&](int tx, int ty) { return ball(3, rows[i].appear, rows[i].frameNo, tx, ty); });
        expectCell(g, 8, 8, [&](int tx, int ty) {
            return s.lit ? testgame::blend(selectionColour, ball(4, 0, 0, tx, ty)) : ball(4, 0, 0, tx, ty); });
    }
}

// The overlay button toggles in the first frame, the overlay shows from the second; then the banner blinks over it.
TEST_F(PlayPixels, ButtonsOverlayAndBanner)
{
    testgame::pointAt(screenWidth - 150, 20);
    testgame::leftButton(true);
    inputCooldown = 1;
    const testgame::Grab toggled = frame();  // the button still held: its cooldown outlasts this test
    const testgame::Grab plain = frame();
    const uint32_t wide = testgame::blend(0x1E000000, playBackgroundColour), narrow = testgame::blend(0x50000000, wide);
    const uint32_t byRow[4] = {wide, narrow, wide, playBackgroundColour};  // three rows of every four darkened
    expectPixels(plain, 5, 200, 6, 204, [&](int, int y) { return byRow[y % 4]; });
    const uint32_t face = testgame::blend(0x7AFFFFFF, playBackgroundColour);  // hovered; row 32 lies below the icon
    expectPixels(toggled, screenWidth - 150, 32, screenWidth - 149, 33, [&](int, int) { return face; });
    // The icon still dim in the toggling frame; from icon row 7, below the window's top shading.
    expectPixels(toggled, screenWidth - 179, 13, screenWidth - 121, 31, [&](int x, int y) {
        const uint32_t t = texel(x - screenWidth + 245, y + 469);
        return t ? testgame::blend(0x7B000000 | (t & 0xFFFFFF), face) : 0; });
    const int bx = screenWidth / 2 - 68, by = screenHeight / 2 - 100;  // the shadow lies 4 right, 5 down
    auto bannerAt = [&](int x, int y) {
        return x >= bx && x < bx + 155 && y >= by && y < by + 25 ? texel(x - bx + 288, y - by + 365) : 0u;
    };
    playState = playGameOver;
    for (int countdownAfter : {11, 10, 0}) {  // the banner shows while the countdown mod 20 is below 11
        gameOverCountdown = countdownAfter + 1;  // the frame's step runs before the drawing
        const testgame::Grab g = frame();
        const bool shown = countdownAfter % 20 < 11;
        SCOPED_TRACE(countdownAfter);
        expectPixels(g, bx - 2, by - 2, bx + 162, by + 32, [&](int x, int y) {
            const uint32_t was = plain.at(x, y), banner = shown ? bannerAt(x, y) : 0;
            return banner ? banner : shown && bannerAt(x - 4, y - 5) ? testgame::blend(0x63000000, was) : was; }, 6);
    }
}

} // namespace
