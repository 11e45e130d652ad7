// The title screen as a real OpenGL window shows it: background, band, artwork, start button, arrows, emblem.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "tests/support/testgame.h"
#include "tests/title_test.h"

namespace {

const uint32_t background = 0xFFD1E8CA;
const uint32_t bandColour = 0xD4A896A4;
const int mode = 2;
const ExpectedTitleLayout& layout = expectedLayouts[mode];

class TitlePixels : public testing::Test {
protected:
    void SetUp() override
    {
        testgame::open(video::EDT_OPENGL, mode);
        art = driver->createImageFromFile("media/title.bmp");
        ASSERT_NE(art, nullptr) << "media/title.bmp";
        folder = enterScratchFolder();
        inputCooldown = 0;
        testgame::pointAt(20, 150);
    }
    void TearDown() override
    {
        if (art)
            art->drop();
        testgame::close();
        leaveScratchFolder(folder);
    }

    uint32_t texel(int x, int y) const { return art->getPixel(x, y).color | 0xFF000000u; }
    static bool keyed(uint32_t t) { return (t & 0xFFFFFFu) == 0xFF00FFu; }

    // What a stretched region shows at a window pixel, when the source texels around the sample are all equal;
    // false where filtering would mix texels.
    bool stretchedTexel(const core::rect<s32>& src, const core::rect<s32>& dest, int px, int py, uint32_t& out) const
    {
        if (px < dest.UpperLeftCorner.X || px >= dest.LowerRightCorner.X || py < dest.UpperLeftCorner.Y ||
            py >= dest.LowerRightCorner.Y)
            return false;
        const double u = src.UpperLeftCorner.X +
                         (px + 0.5 - dest.UpperLeftCorner.X) * src.getWidth() / static_cast<double>(dest.getWidth());
        const double v = src.UpperLeftCorner.Y +
                         (py + 0.5 - dest.UpperLeftCorner.Y) * src.getHeight() / static_cast<double>(dest.getHeight());
        const int tx = static_cast<int>(std::floor(u)), ty = static_cast<int>(std::floor(v));
        if (tx - 1 < src.UpperLeftCorner.X || tx + 1 >= src.LowerRightCorner.X || ty - 1 < src.UpperLeftCorner.Y ||
            ty + 1 >= src.LowerRightCorner.Y)
            return false;
        out = texel(tx, ty);
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (texel(tx + dx, ty + dy) != out)
                    return false;
        return true;
    }

    // Background with the band over it: what lies under everything below the band's top.
    static uint32_t bandOverBackground() { return testgame::blend(bandColour, background); }

    // Tinted by the image colour's RGB, then blended with its alpha.
    static uint32_t drawnOver(uint32_t texelColour, uint32_t tint, uint32_t under)
    {
        if (keyed(texelColour))
            return under;
        uint32_t rgb = 0;
        for (int shift = 0; shift <= 16; shift += 8)
            rgb |= ((((texelColour >> shift) & 0xFF) * ((tint >> shift) & 0xFF) + 127) / 255) << shift;
        return testgame::blend((tint & 0xFF000000u) | rgb, under);
    }

    // Compares every pixel of an unscaled image at (x, y); rows from maxY on are skipped. Returns how many differ.
    int unscaledMismatches(const testgame::Grab& frame, const core::rect<s32>& src, int x, int y, uint32_t tint,
                           int maxY, int minX, int* visible) const
    {
        int mismatches = 0;
        for (int j = 0; j < src.getHeight() && y + j < maxY; ++j)
            for (int i = 0; i < src.getWidth(); ++i) {
                if (x + i < minX)
                    continue;
                const uint32_t under = bandOverBackground();
                const uint32_t expected = drawnOver(texel(src.UpperLeftCorner.X + i, src.UpperLeftCorner.Y + j), tint, under);
                const uint32_t seen = frame.at(x + i, y + j);
                if (visible && !testgame::near(expected, under, 6))
                    ++*visible;
                if (!testgame::near(seen, expected)) {
                    if (mismatches < 5)
                        ADD_FAILURE() << "(" << x + i << "," << y + j << "): " << testgame::hex(seen) << " expected "
                                      << testgame::hex(expected);
                    ++mismatches;
                }
            }
        return mismatches;
    }

    // Checks the start button's pixels for the given alpha; returns how many pixels could be checked.
    int checkButton(const testgame::Grab& frame, u32 alpha)
    {
        const core::rect<s32> src(180, 400, 380, 460);
        const core::rect<s32> button(layout.bx, layout.by, layout.bx + 300, layout.by + 75);
        const core::rect<s32> shadow(layout.bx + 5, layout.by + 4, layout.bx + 305, layout.by + 79);
        int checked = 0, failures = 0;
        for (int y = button.UpperLeftCorner.Y; y < button.LowerRightCorner.Y; ++y)
            for (int x = button.UpperLeftCorner.X; x < button.LowerRightCorner.X; ++x) {
                uint32_t face, shade;
                if (!stretchedTexel(src, button, x, y, face))
                    continue;
                uint32_t under = bandOverBackground();
                if (shadow.isPointInside(core::position2d<s32>(x, y))) {
                    if (!stretchedTexel(src, shadow, x, y, shade))
                        continue;
                    under = drawnOver(shade, 0x63373737, under);
                }
                const uint32_t expected = drawnOver(face, (alpha << 24) | 0xFFFFFF, under);
                ++checked;
                if (!testgame::near(frame.at(x, y), expected) && ++failures <= 5)
                    ADD_FAILURE() << "button alpha " << alpha << " at (" << x << "," << y
                                  << "): " << testgame::hex(frame.at(x, y)) << " expected " << testgame::hex(expected);
            }
        return checked;
    }

    video::IImage* art = nullptr;
    std::string folder;
};

TEST_F(TitlePixels, BackgroundBandAndArtwork)
{
    testgame::tick();
    const testgame::Grab frame = testgame::grab();
    ASSERT_EQ(frame.width, layout.side);
    struct Spot {
        int x, y;
        uint32_t expected;
    };
    const Spot spots[] = {
        {20, 40, background}, {840, 40, background}, {20, 300, bandOverBackground()}, {840, 700, bandOverBackground()}};
    for (const Spot& s : spots)
        EXPECT_TRUE(testgame::near(frame.at(s.x, s.y), s.expected))
            << "(" << s.x << "," << s.y << "): " << testgame::hex(frame.at(s.x, s.y)) << " expected "
            << testgame::hex(s.expected);

    // The artwork is opaque where its texels are not the colour key.
    const core::rect<s32> src(0, 52, 512, 177);
    const core::rect<s32> dest(layout.artX1, layout.artY1, layout.artX2, layout.artY2);
    int checked = 0, failures = 0;
    for (int y = dest.UpperLeftCorner.Y; y < dest.LowerRightCorner.Y; y += 3)
        for (int x = dest.UpperLeftCorner.X; x < dest.LowerRightCorner.X; x += 3) {
            uint32_t t;
            if (!stretchedTexel(src, dest, x, y, t))
                continue;
            const uint32_t under = y >= layout.bandTop ? bandOverBackground() : background;
            const uint32_t expected = keyed(t) ? under : t;
            ++checked;
            if (!testgame::near(frame.at(x, y), expected) && ++failures <= 5)
                ADD_FAILURE() << "artwork at (" << x << "," << y << "): " << testgame::hex(frame.at(x, y))
                              << " expected " << testgame::hex(expected);
        }
    EXPECT_GT(checked, 100) << "too few evenly coloured artwork spots to check";
}

TEST_F(TitlePixels, StartButtonIdleAndHoveredWhileCoolingDown)
{
    testgame::tick();
    EXPECT_GT(checkButton(testgame::grab(), 155), 100);

    // Held over the button while the cooldown runs: it lights up but nothing starts.
    testgame::pointAt(layout.bx + 150, layout.by + 37);
    testgame::leftButton(true);
    inputCooldown = 5;
    testgame::tick();
    EXPECT_EQ(activeScreen, 0);
    EXPECT_GT(checkButton(testgame::grab(), 255), 100);
}

TEST_F(TitlePixels, ArrowsIdleAndHovered)
{
    const core::rect<s32> rightSrc(430, 480, 470, 510), leftSrc(380, 480, 420, 510);
    const int drawY = layout.ay + layout.dy;
    testgame::tick();
    testgame::Grab frame = testgame::grab();
    EXPECT_EQ(unscaledMismatches(frame, rightSrc, layout.ax, drawY, 0x6EFFFFFF, layout.side, 0, nullptr), 0);
    EXPECT_EQ(unscaledMismatches(frame, leftSrc, layout.ax - 130, drawY, 0x6EFFFFFF, layout.side, 0, nullptr), 0);

    testgame::pointAt(layout.ax + 20, layout.ay + 15);
    testgame::tick();
    frame = testgame::grab();
    EXPECT_EQ(unscaledMismatches(frame, rightSrc, layout.ax, drawY, 0xFFFFFFFF, layout.side, 0, nullptr), 0);
    EXPECT_EQ(unscaledMismatches(frame, leftSrc, layout.ax - 130, drawY, 0x6EFFFFFF, layout.side, 0, nullptr), 0);

    testgame::pointAt(layout.ax - 110, layout.ay + 15);
    testgame::tick();
    frame = testgame::grab();
    EXPECT_EQ(unscaledMismatches(frame, rightSrc, layout.ax, drawY, 0x6EFFFFFF, layout.side, 0, nullptr), 0);
    EXPECT_EQ(unscaledMismatches(frame, leftSrc, layout.ax - 130, drawY, 0xFFFFFFFF, layout.side, 0, nullptr), 0);
}

TEST_F(TitlePixels, EmblemSitsInTheLowerRightCorner)
{
    testgame::tick();
    const testgame::Grab frame = testgame::grab();
    // Left of the emblem's right part the faint credit may overlap it, and the bottom rows are edge-shaded.
    const int creditEnd = 1 + static_cast<int>(uiFont->getDimension(infoLabel->getText()).Width);
    int visible = 0;
    EXPECT_EQ(unscaledMismatches(frame, core::rect<s32>(380, 395, 500, 433), layout.side - 125, layout.side - 36,
                                 0x37FFFFFF, layout.side - 12, creditEnd + 1, &visible),
              0);
    EXPECT_GT(visible, 20) << "the emblem hardly differs from the band, so its position is not tested";
}

} // namespace
