// A real frame on OpenGL under X: the clear colour, the pointer marker and the shading of both edges.
#include <gtest/gtest.h>

#include "tests/support/testgame.h"

TEST(ShellPixels, ClearColourMarkerAndEdgeShading)
{
    const uint32_t clear = 0xFFB482C7;
    testgame::open(video::EDT_OPENGL, 1);
    activeScreen = 2;  // neither screen draws, so only the tick's own drawing shows
    testgame::pointAt(200, 150);
    testgame::tick();
    const testgame::Grab frame = testgame::grab();
    testgame::close();
    ASSERT_EQ(frame.width, 650);
    const int h = frame.height;
    struct Spot {
        int x, y;
        uint32_t expected;
    };
    const uint32_t marker = testgame::blend(0xC8FFFFFF, clear);
    const Spot spots[] = {
        {0, 0, testgame::blend(0x32000000, clear)},      {649, 1, testgame::blend(0x2E000000, clear)},
        {100, 11, testgame::blend(0x06000000, clear)},   {100, 12, clear},
        {100, h - 12, clear},                             {0, h - 11, testgame::blend(0x06000000, clear)},
        {649, h - 1, testgame::blend(0x2E000000, clear)}, {203, 153, marker},
        {204, 154, marker},                               {202, 153, clear},
        {205, 154, clear},                                {203, 152, clear},
        {204, 155, clear},                                {200, 150, clear},
    };
    for (const Spot& s : spots)
        EXPECT_TRUE(testgame::near(frame.at(s.x, s.y), s.expected))
            << "(" << s.x << ", " << s.y << "): " << testgame::hex(frame.at(s.x, s.y)) << " expected "
            << testgame::hex(s.expected);
}
