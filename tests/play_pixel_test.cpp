// Play frames on OpenGL under X: cells and gaps, ball fade-in, removal frames, highlight, overlay, banner, buttons.
// Expected pixels come from the sprite sheet's own texels, blended as the 2D renderer does.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "play/play.h"
#include "tests/support/testgame.h"

namespace {

const uint32_t background = 0xFFAC918C;
const uint32_t cell = 0xFF817878;
const int stillTime = 1001;  // no multiple of 3 (timers stand still), frameTime % 20 below 10 (highlight on)

struct Point {
    int x, y;
};

class PlayPixels : public testing::Test {
protected:
    void SetUp() override
    {
        testgame::open(video::EDT_OPENGL, 1);
        sheet = driver->createImageFromFile("media/exp.bmp");
        ASSERT_NE(sheet, nullptr) << "media/exp.bmp";
        for (int col = 0; col < boardSize; ++col)
            for (int row = 0; row < boardSize; ++row)
                board[col][row] = appearTimer[col][row] = removeTimer[col][row] = 0;
        selectedCol = selectedRow = -1;
        score = 0;
        activeScreen = 1;
        playState = playRunning;
        turnPhase = turnTakesClicks;
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

    static testgame::Grab frame(int time = stillTime)
    {
        testgame::setTime(time);
        testgame::tick();
        return testgame::grab();
    }

    // The sheet's texel with the colour key applied: 0 for magenta, which is fully transparent.
    uint32_t texel(int x, int y) const
    {
        const uint32_t c = sheet->getPixel(x, y).color | 0xFF000000u;
        return (c & 0xFFFFFF) == 0xFF00FF ? 0 : c;
    }
    // The sprite texels (0..63) a cell pixel offset may show. 2D drawing samples the nearest texel of a
    // geometry the engine shifts by 0.375 pixels; on a texel border rounding may pick either side.
    static void spriteTexels(int n, int& first, int& second)
    {
        const double t = (n + 0.125) * 64.0 / (cellPitch - 1);
        first = static_cast<int>(t - 1e-3);
        second = static_cast<int>(t + 1e-3);
    }
    // The colours a pixel of cell (col, row) may show, given the colour that sprite texel (tx, ty) produces.
    static std::vector<uint32_t> candidates(Point offset, const std::function<uint32_t(int, int)>& colourAt)
    {
        int x1, x2, y1, y2;
        spriteTexels(offset.x, x1, x2);
        spriteTexels(offset.y, y1, y2);
        std::vector<uint32_t> out{colourAt(x1, y1)};
        if (x2 != x1)
            out.push_back(colourAt(x2, y1));
        if (y2 != y1) {
            out.push_back(colourAt(x1, y2));
            out.push_back(colourAt(x2, y2));
        }
        return out;
    }
    static Point cellPixel(int col, int row, Point offset)
    {
        return {originX + col * cellPitch + offset.x, originY + row * cellPitch + offset.y};
    }
    // A ball texel over the cell colour with the vertex alpha of its appearTimer.
    uint32_t ballOverCell(int colour, int appear, int tx, int ty) const
    {
        const uint32_t t = texel(39 + tx, 3 + 67 * (colour - 1) + ty);
        const uint32_t alpha = static_cast<uint32_t>(255 - 10 * appear) & 0xFF;
        return t ? testgame::blend(alpha << 24 | (t & 0xFFFFFF), cell) : cell;
    }
    // A removal frame texel (frame 0: none) over what lies under it.
    uint32_t removalOver(int frameNo, int tx, int ty, uint32_t under) const
    {
        const uint32_t t = frameNo ? texel(110 + tx, 3 + 67 * (frameNo - 1) + ty) : 0;
        return t ? testgame::blend(0x4D000000u | (t & 0xFFFFFF), under) : under;
    }
    // Compares every pixel of a cell's drawn area with its candidates; returns how many pixels differ.
    static int compareCell(const testgame::Grab& grab, int col, int row,
                           const std::function<uint32_t(int, int)>& colourAt, const std::string& what,
                           int tolerance = 3)
    {
        int wrong = 0;
        for (int y = 0; y < cellPitch - 1; ++y)
            for (int x = 0; x < cellPitch - 1; ++x) {
                const Point p = cellPixel(col, row, {x, y});
                const uint32_t seen = grab.at(p.x, p.y);
                const std::vector<uint32_t> allowed = candidates({x, y}, colourAt);
                bool ok = false;
                for (uint32_t c : allowed)
                    ok = ok || testgame::near(seen, c, tolerance);
                if (!ok && ++wrong <= 3)
                    ADD_FAILURE() << what << " at (" << p.x << ", " << p.y << "): " << testgame::hex(seen)
                                  << " expected " << testgame::hex(allowed[0]);
            }
        return wrong;
    }
    static void expectNear(const testgame::Grab& grab, Point p, uint32_t expected, const std::string& what,
                           int tolerance = 3)
    {
        const uint32_t seen = grab.at(p.x, p.y);
        EXPECT_TRUE(testgame::near(seen, expected, tolerance))
            << what << " at (" << p.x << ", " << p.y << "): " << testgame::hex(seen) << " expected "
            << testgame::hex(expected);
    }

    video::IImage* sheet = nullptr;
};

TEST_F(PlayPixels, CellsLeaveOnePixelGapsOfBackground)
{
    const testgame::Grab g = frame();
    // Cell (4, 4) of the 650 board: x from 294 to 358, the gap at 359.
    const int x0 = originX + 4 * cellPitch, y0 = originY + 4 * cellPitch;
    ASSERT_EQ(x0, 294);
    const struct {
        int x, y;
        uint32_t colour;
        const char* what;
    } rows[] = {
        {x0, y0, cell, "first pixel"},
        {x0 + cellPitch - 2, y0 + cellPitch - 2, cell, "last pixel"},
        {x0 + cellPitch - 1, y0 + 10, background, "gap right"},
        {x0 + 10, y0 + cellPitch - 1, background, "gap below"},
        {x0 - 1, y0 + 10, background, "gap left"},
        {originX - 1, y0, background, "left of the board"},
        {originX, y0, cell, "first column"},
        {originX + 9 * cellPitch - 2, y0, cell, "last column"},
        {originX + 9 * cellPitch - 1, y0, background, "gap after the last column"},
        {originX + 9 * cellPitch + 5, y0, background, "right of the board"},
    };
    for (const auto& r : rows)
        expectNear(g, {r.x, r.y}, r.colour, r.what, 2);
}

TEST_F(PlayPixels, BallsFadeInWithTheirAppearTimer)
{
    const int colour = 2;
    const int timers[] = {20, 10, 0};
    for (int i = 0; i < 3; ++i) {
        board[2 + 2 * i][5] = colour;
        appearTimer[2 + 2 * i][5] = timers[i];
    }
    const testgame::Grab g = frame();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(compareCell(g, 2 + 2 * i, 5,
                              [&](int tx, int ty) { return ballOverCell(colour, timers[i], tx, ty); },
                              "appearTimer " + std::to_string(timers[i])),
                  0);
}

TEST_F(PlayPixels, MarkedBallsShowTheRemovalFrameOfTheirTimer)
{
    const int colour = 3;
    struct Row {
        int code, remove, frameNo;  // frameNo 0: no frame
    };
    const Row rows[] = {{33, 10, 5}, {33, 8, 5}, {33, 7, 4}, {33, 6, 3}, {33, 5, 2}, {33, 4, 1}, {3, 10, 0}};
    const int count = sizeof rows / sizeof rows[0];
    for (int i = 0; i < count; ++i) {
        board[1 + i][3] = rows[i].code;
        removeTimer[1 + i][3] = rows[i].remove;
    }
    const testgame::Grab g = frame();
    for (int i = 0; i < count; ++i) {
        const Row& r = rows[i];
        const std::string what = "code " + std::to_string(r.code) + " removeTimer " + std::to_string(r.remove);
        EXPECT_EQ(compareCell(g, 1 + i, 3,
                              [&](int tx, int ty) {
                                  return removalOver(r.frameNo, tx, ty, ballOverCell(colour, 0, tx, ty));
                              },
                              what),
                  0);
    }
}

TEST_F(PlayPixels, SelectionBlinksOnlyWhileThePointerIsOverTheBoard)
{
    const int colour = 4;
    board[4][4] = colour;
    board[1][1] = colour;
    selectedCol = selectedRow = 4;
    struct Row {
        const char* what;
        Point pointer;
        int time;
        bool lit;
    };
    const Point overCell = cellPixel(1, 1, {5, 5});
    const Row rows[] = {
        {"pointer over another cell, blink on", overCell, 1001, true},
        {"blink off", overCell, 1013, false},
        {"pointer off the board", {5, 300}, 1001, false},
    };
    for (const Row& r : rows) {
        testgame::pointAt(r.pointer.x, r.pointer.y);
        const testgame::Grab g = frame(r.time);
        auto plain = [&](int tx, int ty) { return ballOverCell(colour, 0, tx, ty); };
        auto lit = [&](int tx, int ty) { return testgame::blend(0x58817878, ballOverCell(colour, 0, tx, ty)); };
        EXPECT_EQ(compareCell(g, 4, 4, r.lit ? std::function<uint32_t(int, int)>(lit) : plain, r.what), 0);
        // The cell under the pointer is never the one lit.
        EXPECT_EQ(compareCell(g, 1, 1, plain, std::string(r.what) + ", hovered cell"), 0);
    }
}

TEST_F(PlayPixels, OverlayDarkensThreeRowsOfEveryFour)
{
    scanRowOverlay = true;
    const testgame::Grab g = frame();
    const uint32_t wide = testgame::blend(0x1E000000, background);
    const uint32_t both = testgame::blend(0x50000000, wide);
    const uint32_t byPhase[4] = {wide, both, wide, background};
    for (int y = 200; y < 212; ++y)
        expectNear(g, {5, y}, byPhase[y % 4], "overlay row " + std::to_string(y), 2);
    // Over a cell too: the overlay lies above the board.
    const uint32_t cellByPhase[4] = {testgame::blend(0x1E000000, cell),
                                     testgame::blend(0x50000000, testgame::blend(0x1E000000, cell)),
                                     testgame::blend(0x1E000000, cell), cell};
    for (int y = 220; y < 224; ++y)
        expectNear(g, {180, y}, cellByPhase[y % 4], "overlay over a cell, row " + std::to_string(y), 2);
}

TEST_F(PlayPixels, BannerAndItsShadowBlinkAtTheCentre)
{
    const testgame::Grab plain = frame();
    const int bx = screenWidth / 2 - 68, by = screenHeight / 2 - 100;  // banner; the shadow 4 right, 5 down
    struct Row {
        int countdownAfter;  // gameOverCountdown once this frame's step has run
        bool shown;
    };
    // Shown while the countdown modulo 20 is below 11, down to the last frame of the banner.
    const Row rows[] = {{15, false}, {11, false}, {10, true}, {5, true}, {0, true}};
    for (const Row& r : rows) {
        playState = playGameOver;
        turnPhase = turnGameOver;
        activeScreen = 1;
        gameOverCountdown = r.countdownAfter + 1;
        const testgame::Grab g = frame();
        int bannerChecked = 0, shadowChecked = 0;
        for (int y = by - 2; y < by + 25 + 8; ++y)
            for (int x = bx - 2; x < bx + 155 + 8; ++x) {
                const bool inBanner = x >= bx && x < bx + 155 && y >= by && y < by + 25;
                const bool inShadow = x >= bx + 4 && x < bx + 159 && y >= by + 5 && y < by + 30;
                const uint32_t bannerTexel = inBanner ? texel(288 + x - bx, 365 + y - by) : 0;
                const uint32_t shadowTexel = inShadow ? texel(288 + x - bx - 4, 365 + y - by - 5) : 0;
                uint32_t expected = plain.at(x, y);
                if (r.shown && shadowTexel)
                    expected = testgame::blend(0x63000000, expected);
                if (r.shown && bannerTexel)
                    expected = bannerTexel;
                ASSERT_TRUE(testgame::near(g.at(x, y), expected, 6))
                    << "countdown " << r.countdownAfter << " at (" << x << ", " << y << "): "
                    << testgame::hex(g.at(x, y)) << " expected " << testgame::hex(expected);
                bannerChecked += bannerTexel != 0;
                shadowChecked += shadowTexel != 0 && !bannerTexel;
            }
        EXPECT_GT(bannerChecked, 50);
        EXPECT_GT(shadowChecked, 20);
    }
    EXPECT_EQ(activeScreen, 0) << "the banner's last frame leads to the title";
}

TEST_F(PlayPixels, HoveredButtonLightensAndItsFaceCoversTheTooltip)
{
    const int w = screenWidth;
    // Pointer at the top of the back button: its tooltip hangs from y 25 into the face, whose row 32 has no icon.
    testgame::pointAt(w - 95, 5);
    const testgame::Grab g = frame();
    expectNear(g, {w - 150, 32}, testgame::blend(0x63373737, background), "idle overlay button", 2);
    int checked = 0;
    for (int x = w - 95; x < w - 40; ++x) {
        const uint32_t tip = texel(40 + x - (w - 95), 445 + 32 - 25);
        const uint32_t under = tip ? tip : background;
        expectNear(g, {x, 32}, testgame::blend(0x7AFFFFFF, under), "hovered back face over its tooltip", 3);
        checked += tip != 0;
    }
    EXPECT_GT(checked, 0) << "the tooltip has no opaque texel in that row";
    // Below the face the tooltip shows as it is.
    for (int x = w - 95; x < w - 40; ++x) {
        const uint32_t tip = texel(40 + x - (w - 95), 445 + 40 - 25);
        if (tip)
            expectNear(g, {x, 40}, tip, "tooltip", 3);
    }
}

TEST_F(PlayPixels, OverlayIconShowsTheStateBeforeTheToggle)
{
    const int w = screenWidth;
    const uint32_t hoveredFace = testgame::blend(0x7AFFFFFF, background);
    // Icon texels where the dim icon over the hovered face and the lit icon differ.
    std::vector<Point> points;
    // From icon row 7 on: the window's top shading covers rows 0 to 11.
    for (int y = 7; y < 25 && points.size() < 6; ++y)
        for (int x = 1; x < 59 && points.size() < 6; ++x) {
            const uint32_t t = texel(65 + x, 475 + y);
            // Unscaled pictures land texel for texel, so any opaque texel will do.
            if (t && !testgame::near(t, testgame::blend(0x7B000000 | (t & 0xFFFFFF), hoveredFace), 12))
                points.push_back({x, y});
        }
    ASSERT_FALSE(points.empty()) << "the overlay icon has no usable texels";
    testgame::pointAt(w - 150, 20);
    testgame::leftButton(true);
    inputCooldown = 1;
    const testgame::Grab toggled = frame();
    ASSERT_TRUE(scanRowOverlay);
    testgame::releaseAll();
    const testgame::Grab next = frame();
    for (Point p : points) {
        const uint32_t t = texel(65 + p.x, 475 + p.y);
        const Point at{w - 180 + p.x, 6 + p.y};
        expectNear(toggled, at, testgame::blend(0x7B000000 | (t & 0xFFFFFF), hoveredFace), "dim icon in the toggle frame");
        expectNear(next, at, t, "lit icon after the toggle");
    }
}

} // namespace
