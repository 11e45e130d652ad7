// The title screen of size M as OpenGL draws it under Xvfb: background, band, start button alpha, emblem.
#include <gtest/gtest.h>

#include "tests/support/testgame.h"

namespace {

// The title frame alone, without the play screen, edge shading or labels over it; the button held at (x, y).
testgame::Grab frame(int x, int y, int cooldown)
{
    testgame::pointAt(x, y);
    testgame::leftButton(true);
    inputCooldown = cooldown;
    driver->beginScene(true, true, video::SColor(0));
    titleScreenFrame();
    driver->endScene();
    return testgame::grab();
}

int wrong = 0;
void expectNear(const testgame::Grab& seen, int x, int y, uint32_t expected)
{
    if (!testgame::near(seen.at(x, y), expected) && ++wrong <= 5)
        ADD_FAILURE() << "(" << x << "," << y << "): " << testgame::hex(seen.at(x, y)) << ", expected "
                      << testgame::hex(expected);
}

// Idle, hovered (held while cooling down, so nothing starts) and under: a frame whose click on the start button
// ends it before the button and emblem are drawn. Hovered shows the texels, idle them at alpha 155 over under.
TEST(TitlePixels, BackgroundBandStartButtonAndEmblem)
{
    testgame::open(video::EDT_OPENGL, 2);
    const testgame::Grab idle = frame(20, 150, 0), hovered = frame(450, 467, 5);
    ASSERT_EQ(activeScreen, 0);
    const testgame::Grab under = frame(450, 467, 0);
    ASSERT_EQ(activeScreen, 1);
    const uint32_t background = 0xFFD1E8CA, band = testgame::blend(0xD4A896A4, background);
    const int points[4][2] = {{20, 40}, {840, 40}, {20, 300}, {840, 700}};  // the band starts at 221
    for (int i = 0; i < 4; ++i)
        expectNear(idle, points[i][0], points[i][1], i < 2 ? background : band);
    int shown = 0, visible = 0;
    for (int y = 430; y < 505; ++y)
        for (int x = 300; x < 600; ++x) {
            shown += !testgame::near(hovered.at(x, y), under.at(x, y), 40);
            expectNear(idle, x, y, testgame::blend(0x9B000000u | (hovered.at(x, y) & 0xFFFFFF), under.at(x, y)));
        }
    // The emblem at (725,814) from the art's (380,395), alpha 0x37, texel for texel.
    video::IImage* art = driver->createImageFromFile("media/title.bmp");
    ASSERT_NE(art, nullptr);
    for (int y = 814; y < 850; ++y)
        for (int x = 725; x < 845; ++x) {
            const uint32_t t = art->getPixel(x - 345, y - 419).color & 0xFFFFFF, u = under.at(x, y);
            const uint32_t expected = t == 0xFF00FF ? u : testgame::blend(0x37000000u | t, u);
            visible += !testgame::near(expected, u, 6);
            expectNear(idle, x, y, expected);
        }
    art->drop();
    testgame::close();
    EXPECT_GT(shown, 1000) << "the button hardly differs from what lies under it";
    EXPECT_GT(visible, 20) << "the emblem hardly differs from the band, so its position is not tested";
}

} // namespace
