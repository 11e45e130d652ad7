// Play frames on OpenGL under X; expected pixels come from the sprite sheet's texels, blended as the 2D renderer does.
#include <gtest/gtest.h>

#include <functional>

#include "play/play.h"
#include "tests/support/testgame.h"

namespace {

class PlayPixels : public testing::Test {
protected:
    void SetUp() override
    {
        testgame::open(video::EDT_OPENGL, 1);  // an empty board, as after start-up
        sheet = driver->createImageFromFile("media/exp.bmp");
        ASSERT_NE(sheet, nullptr);
        activeScreen = 1;
        inputCooldown = keyCooldown = 30;  // no click is taken while a test looks
        chooseBoardGeometry();
        testgame::pointAt(5, 300);
    }
    void TearDown() override
    {
        if (sheet)
            sheet->drop();
        testgame::close();
    }
    // 1009: no multiple of 3 (the timers stand still) and the last tick of the highlight's on phase.
    static testgame::Grab frame(int time = 1009) { testgame::setTime(time); testgame::tick(); return testgame::grab(); }
    // The texel with the colour key applied: magenta is transparent (0).
    uint32_t texel(int x, int y) const
    {
        const uint32_t c = sheet->getPixel(x, y).color | 0xFF000000u;
        return (c & 0xFFFFFF) == 0xFF00FF ? 0 : c;
    }
    // Ball texel at the alpha of its appearTimer over the cell, under removal frame 1..5 (0: none) at alpha 0x4D.
    uint32_t ball(int colour, int appear, int frameNo, int tx, int ty) const
    {
        const uint32_t t = texel(39 + tx, 3 + 67 * (colour - 1) + ty), alpha = (255u - 10 * appear) & 0xFF;
        const uint32_t under = t ? testgame::blend(alpha << 24 | (t & 0xFFFFFF), cellColour) : cellColour;
        const uint32_t f = frameNo ? texel(110 + tx, 3 + 67 * (frameNo - 1) + ty) : 0;
        return f ? testgame::blend(0x4D000000u | (f & 0xFFFFFF), under) : under;
    }
    // Counts a cell's pixels unlike colourAt(the texel they show). Drawing samples the nearest texel of geometry
    // shifted by 0.375 pixels; pixels on a texel border may show either side and are skipped.
    static int wrongPixels(const testgame::Grab& g, int col, int row, const std::function<uint32_t(int, int)>& colourAt)
    {
        auto texelOf = [](int n) {
            const double t = (n + 0.125) * 64.0 / (cellPitch - 1);
            return static_cast<int>(t - 1e-3) == static_cast<int>(t + 1e-3) ? static_cast<int>(t) : -1;
        };
        int wrong = 0;
        for (int y = 0; y < cellPitch - 1; ++y)
            for (int x = 0; x < cellPitch - 1; ++x)
                if (texelOf(x) >= 0 && texelOf(y) >= 0)
                    wrong += !testgame::near(g.at(originX + col * cellPitch + x, originY + row * cellPitch + y),
                                             colourAt(texelOf(x), texelOf(y)));
        return wrong;
    }
    static void expectAt(const testgame::Grab& g, int x, int y, uint32_t expected)
    {
        EXPECT_TRUE(testgame::near(g.at(x, y), expected))
            << "(" << x << ", " << y << "): " << testgame::hex(g.at(x, y)) << " expected " << testgame::hex(expected);
    }

    video::IImage* sheet = nullptr;
};

TEST_F(PlayPixels, CellsGapsBallsFadingInAndRemovalFrames)
{
    struct Row { int appear, remove, frameNo; };  // frameNo 0: an unmarked ball
    const Row rows[] = {{20, 0, 0}, {10, 0, 0}, {0, 10, 0}, {0, 10, 5}, {0, 8, 5}, {0, 7, 4}, {0, 5, 2}, {0, 4, 1}};
    for (int i = 0; i < 8; ++i) {
        board[i][3] = rows[i].frameNo ? markedCode(3) : 3;
        appearTimer[i][3] = rows[i].appear;
        removeTimer[i][3] = rows[i].remove;
    }
    const testgame::Grab g = frame();
    const int x = originX + 4 * cellPitch, y = originY + 4 * cellPitch, last = cellPitch - 2;  // an empty cell
    expectAt(g, x, y, cellColour);
    expectAt(g, x + last, y + last, cellColour);
    expectAt(g, x + last + 1, y, playBackgroundColour);
    expectAt(g, x, y + last + 1, playBackgroundColour);
    expectAt(g, originX - 1, y, playBackgroundColour);
    for (int i = 0; i < 8; ++i) {
        const Row& r = rows[i];
        SCOPED_TRACE(testing::Message() << "appearTimer " << r.appear << ", removeTimer " << r.remove);
        EXPECT_EQ(wrongPixels(g, i, 3, [&](int tx, int ty) { return ball(3, r.appear, r.frameNo, tx, ty); }), 0);
    }
}

TEST_F(PlayPixels, SelectionBlinksOnlyWhileThePointerIsOverTheBoard)
{
    board[4][4] = board[1][1] = 4;
    selectedCol = selectedRow = 4;
    struct Row { const char* name; int pointerX, time; bool lit; };
    const Row rows[] = {{"on phase", originX + cellPitch + 5, 1009, true},
                        {"off phase", originX + cellPitch + 5, 1010, false},
                        {"pointer off the board", 5, 1009, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        testgame::pointAt(r.pointerX, originY + cellPitch + 5);
        const testgame::Grab g = frame(r.time);
        EXPECT_EQ(wrongPixels(g, 4, 4, [&](int tx, int ty) {
                      return r.lit ? testgame::blend(selectionColour, ball(4, 0, 0, tx, ty)) : ball(4, 0, 0, tx, ty);
                  }), 0);
    }
}

TEST_F(PlayPixels, BannerAndItsShadowBlinkAtTheCentre)
{
    const testgame::Grab plain = frame();
    const int bx = screenWidth / 2 - 68, by = screenHeight / 2 - 100;  // the shadow lies 4 right, 5 down
    auto bannerTexel = [&](int dx, int dy) {
        return dx >= 0 && dx < 155 && dy >= 0 && dy < 25 ? texel(288 + dx, 365 + dy) : 0;
    };
    for (int countdownAfter : {11, 10, 0}) {
        SCOPED_TRACE(countdownAfter);
        playState = playGameOver;
        activeScreen = 1;
        gameOverCountdown = countdownAfter + 1;  // the frame's step runs before the drawing
        const testgame::Grab g = frame();
        int wrong = 0;
        for (int y = by - 2; y < by + 32; ++y)
            for (int x = bx - 2; x < bx + 162; ++x) {
                const uint32_t banner = bannerTexel(x - bx, y - by), shadow = bannerTexel(x - bx - 4, y - by - 5);
                const uint32_t under = shadow ? testgame::blend(0x63000000, plain.at(x, y)) : plain.at(x, y);
                const uint32_t expected = countdownAfter % 20 >= 11 ? plain.at(x, y) : banner ? banner : under;
                wrong += !testgame::near(g.at(x, y), expected, 6);
            }
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(PlayPixels, OverlayButtonHoveredAndToggledThenTheOverlayRows)
{
    const int w = screenWidth;
    testgame::pointAt(w - 150, 20);
    testgame::leftButton(true);
    inputCooldown = 1;
    const testgame::Grab toggled = frame();
    testgame::releaseAll();
    const testgame::Grab next = frame();
    const uint32_t wide = testgame::blend(0x1E000000, playBackgroundColour);
    const uint32_t byPhase[4] = {wide, testgame::blend(0x50000000, wide), wide, playBackgroundColour};
    for (int y = 200; y < 204; ++y)
        expectAt(next, 5, y, byPhase[y % 4]);  // three rows of every four darkened
    const uint32_t hoveredFace = testgame::blend(0x7AFFFFFF, playBackgroundColour);
    expectAt(toggled, w - 150, 32, hoveredFace);  // row 32: the faces below their icons
    expectAt(toggled, w - 70, 32, testgame::blend(0x63373737, playBackgroundColour));
    int checked = 0;  // icon texels where dim and lit differ, from icon row 7 below the window's top shading
    for (int y = 7; y < 25 && checked < 6; ++y)
        for (int x = 1; x < 59 && checked < 6; ++x) {
            const uint32_t t = texel(65 + x, 475 + y), dim = testgame::blend(0x7B000000 | (t & 0xFFFFFF), hoveredFace);
            if (t && !testgame::near(t, dim, 12)) {
                expectAt(toggled, w - 180 + x, 6 + y, dim);
                expectAt(next, w - 180 + x, 6 + y, t);
                ++checked;
            }
        }
    EXPECT_EQ(checked, 6);
}

} // namespace
