// A real frame on OpenGL under X: the clear colour, the pointer marker and the shading of both edges.
#include <gtest/gtest.h>

#include "tests/support/testgame.h"

namespace {

const uint32_t clearColour = 0xFFB482C7;

class ShellPixels : public testing::Test {
protected:
    void SetUp() override { testgame::open(video::EDT_OPENGL, 1); }
    void TearDown() override { testgame::close(); }
};

TEST_F(ShellPixels, EdgesShadeOverTheClearColour)
{
    // Neither screen draws, so only the tick's own drawing shows.
    activeScreen = 2;
    testgame::pointAt(300, 300);
    testgame::tick();
    const testgame::Grab frame = testgame::grab();
    ASSERT_EQ(frame.width, 650);
    const int h = frame.height;
    struct Row {
        int y;
        uint32_t expected;
    };
    const Row rows[] = {
        {0, testgame::blend(0x32000000, clearColour)},
        {1, testgame::blend(0x2E000000, clearColour)},
        {11, testgame::blend(0x06000000, clearColour)},
        {12, clearColour},
        {h / 2, clearColour},
        {h - 12, clearColour},
        {h - 11, testgame::blend(0x06000000, clearColour)},
        {h - 2, testgame::blend(0x2A000000, clearColour)},
        {h - 1, testgame::blend(0x2E000000, clearColour)},
    };
    for (const Row& row : rows)
        for (int x : {0, 100, 649}) {
            const uint32_t seen = frame.at(x, row.y);
            EXPECT_TRUE(testgame::near(seen, row.expected))
                << "row " << row.y << " x " << x << ": " << testgame::hex(seen) << " expected "
                << testgame::hex(row.expected);
        }
}

TEST_F(ShellPixels, PointerMarkerSitsBelowRightOfTheHotSpot)
{
    activeScreen = 2;
    testgame::pointAt(200, 150);
    testgame::tick();
    const testgame::Grab frame = testgame::grab();
    const uint32_t marker = testgame::blend(0xC8FFFFFF, clearColour);
    for (int y = 140; y < 160; ++y)
        for (int x = 190; x < 210; ++x) {
            const bool inside = x >= 203 && x <= 204 && y >= 153 && y <= 154;
            const uint32_t expected = inside ? marker : clearColour;
            EXPECT_TRUE(testgame::near(frame.at(x, y), expected))
                << "(" << x << ", " << y << "): " << testgame::hex(frame.at(x, y)) << " expected "
                << testgame::hex(expected);
        }
}

} // namespace
