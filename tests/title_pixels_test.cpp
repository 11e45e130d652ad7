// The title screen of size M as OpenGL draws it under Xvfb: background, band, start button alpha, emblem.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/testgame.h"

namespace {

class TitlePixels : public testing::Test {
protected:
    void SetUp() override
    {
        testgame::open(video::EDT_OPENGL, 2);
        art = driver->createImageFromFile("media/title.bmp");
        ASSERT_NE(art, nullptr);
    }
    void TearDown() override
    {
        if (art)
            art->drop();
        testgame::close();
    }
    // The title frame alone, without the play screen, edge shading or labels over it.
    testgame::Grab frame(int x, int y, bool click, int cooldown)
    {
        testgame::pointAt(x, y);
        testgame::leftButton(click);
        inputCooldown = cooldown;
        driver->beginScene(true, true, video::SColor(0));
        titleScreenFrame();
        driver->endScene();
        return testgame::grab();
    }
    video::IImage* art = nullptr;
};

void expectNear(uint32_t seen, uint32_t expected, int x, int y, int& wrong)
{
    if (!testgame::near(seen, expected) && ++wrong <= 5)
        ADD_FAILURE() << "(" << x << "," << y << "): " << testgame::hex(seen) << ", expected "
                      << testgame::hex(expected);
}

// Hovered (held while cooling down, so nothing starts) and idle, each over what lies under the button: a frame
// whose click ends it before the button is drawn. Per channel, idle - under = 155/255 (hovered - under).
TEST_F(TitlePixels, StartButtonIdleAndHovered)
{
    const testgame::Grab idle = frame(20, 150, false, 0), hovered = frame(450, 467, true, 5);
    ASSERT_EQ(activeScreen, 0);
    const testgame::Grab under = frame(450, 467, true, 0);
    ASSERT_EQ(activeScreen, 1);
    int shown = 0, wrong = 0;
    for (int y = 430; y < 505; ++y)
        for (int x = 300; x < 600; ++x) {
            uint32_t expected = 0xFF000000u;
            for (int shift = 0; shift <= 16; shift += 8) {
                const int u = (under.at(x, y) >> shift) & 0xFF, h = (hovered.at(x, y) >> shift) & 0xFF;
                shown += std::abs(h - u) > 40;
                expected |= static_cast<uint32_t>(u + (h - u) * 155 / 255) << shift;
            }
            expectNear(idle.at(x, y), expected, x, y, wrong);
        }
    EXPECT_GT(shown, 1000) << "the button hardly differs from what lies under it";
}

// Background and band where visible; the emblem at (725,814), alpha 0x37, texel for texel over the frame without it.
TEST_F(TitlePixels, BackgroundBandAndEmblem)
{
    const testgame::Grab with = frame(20, 150, false, 0), without = frame(450, 467, true, 0);
    const uint32_t background = 0xFFD1E8CA, band = testgame::blend(0xD4A896A4, background);
    int visible = 0, wrong = 0;
    expectNear(with.at(20, 40), background, 20, 40, wrong);
    expectNear(with.at(840, 40), background, 840, 40, wrong);
    expectNear(with.at(20, 300), band, 20, 300, wrong);
    expectNear(with.at(840, 700), band, 840, 700, wrong);
    for (int y = 814; y < 850; ++y)
        for (int x = 725; x < 845; ++x) {
            const uint32_t t = art->getPixel(x - 725 + 380, y - 814 + 395).color & 0xFFFFFF, under = without.at(x, y);
            const uint32_t expected = t == 0xFF00FF ? under : testgame::blend(0x37000000u | t, under);
            visible += !testgame::near(expected, under, 6);
            expectNear(with.at(x, y), expected, x, y, wrong);
        }
    EXPECT_GT(visible, 20) << "the emblem hardly differs from the band, so its position is not tested";
}

} // namespace
