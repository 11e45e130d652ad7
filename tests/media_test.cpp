// The generated media as the engine loads them: picture layout and colour key, both bitmap fonts, and reproducibility.
#include <gtest/gtest.h>
#include <irrlicht.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <unistd.h>

using namespace irr;

namespace {

const std::string mediaDir = MEDIA_DIR;
const u32 keyRgb = 0xFF00FF;

// Where the game draws from, as its screens pass the rectangles to the engine (x2, y2 one past the last texel).
enum Fill {
    disc,    // a ball: the disc of radius 26 around the centre has no keyed texel
    plate,   // a picture on a plate: everything inside the inset margin is opaque
    marks    // strokes on transparency: some texel near the centre and a fair share of the area are opaque
};
struct Region {
    const char* name;
    int x1, y1, x2, y2;
    Fill fill;
    int inset;
};
const Region sheetRegions[] = {
    {"ball 1", 39, 3, 103, 67, disc, 0},        {"ball 2", 39, 70, 103, 134, disc, 0},
    {"ball 3", 39, 137, 103, 201, disc, 0},     {"ball 4", 39, 204, 103, 268, disc, 0},
    {"ball 5", 39, 271, 103, 335, disc, 0},     {"removal 1", 110, 3, 174, 67, marks, 0},
    {"removal 2", 110, 70, 174, 134, marks, 0}, {"removal 3", 110, 137, 174, 201, marks, 0},
    {"removal 4", 110, 204, 174, 268, marks, 0}, {"removal 5", 110, 271, 174, 335, marks, 0},
    {"game-over banner", 288, 365, 443, 390, plate, 4},
    {"overlay tooltip", 40, 405, 125, 430, plate, 4},
    {"back tooltip", 40, 445, 125, 470, plate, 4},
    {"overlay icon", 65, 475, 125, 501, marks, 0},
    {"back icon", 189, 475, 249, 501, marks, 0},
};
const Region titleRegions[] = {
    {"title artwork", 0, 52, 512, 177, plate, 0},
    {"start button", 180, 400, 380, 460, plate, 15},
    {"left arrow", 380, 480, 420, 510, marks, 0},
    {"right arrow", 430, 480, 470, 510, marks, 0},
    {"corner emblem", 380, 395, 500, 433, marks, 0},
};

// What the game prints: the score, the size names, and credit lines of any printable ASCII.
std::wstring printableAscii()
{
    std::wstring text;
    for (wchar_t c = L' '; c <= L'~'; ++c)
        text += c;
    return text;
}
const std::wstring gameTexts[] = {L"SCORE: 0123456789  ", L"XS", L"S", L"M", L"L", L"XL", L"  ", printableAscii()};

IrrlichtDevice* device = nullptr;
video::IVideoDriver* driver = nullptr;

class MediaTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        device = createDevice(video::EDT_NULL);
        ASSERT_NE(device, nullptr);
        device->getLogger()->setLogLevel(ELL_ERROR);
        driver = device->getVideoDriver();
    }
    static void TearDownTestSuite()
    {
        device->drop();
        device = nullptr;
    }
};

u32 rgbAt(video::IImage* image, int x, int y)
{
    return image->getPixel(x, y).color & 0xFFFFFF;
}

bool inside(const Region& r, int x, int y)
{
    return x >= r.x1 && x < r.x2 && y >= r.y1 && y < r.y2;
}

// Checks one picture file against its regions; failures name the region and the texel.
template <size_t N>
void checkLayout(const std::string& file, const Region (&regions)[N])
{
    SCOPED_TRACE(file);
    video::IImage* image = driver->createImageFromFile((mediaDir + "/" + file).c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->getColorFormat(), video::ECF_R8G8B8) << "24-bit BMP expected";
    ASSERT_EQ(image->getDimension(), core::dimension2d<u32>(512, 512));

    for (const Region& r : regions) {
        SCOPED_TRACE(r.name);
        const float cx = (r.x1 + r.x2) / 2.0f, cy = (r.y1 + r.y2) / 2.0f;
        int opaque = 0, nearCentre = 0;
        for (int y = r.y1; y < r.y2; ++y)
            for (int x = r.x1; x < r.x2; ++x) {
                const bool keyed = rgbAt(image, x, y) == keyRgb;
                opaque += !keyed;
                if (std::abs(x + 0.5f - cx) <= 3 && std::abs(y + 0.5f - cy) <= 3)
                    nearCentre += !keyed;
                const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
                if (r.fill == disc && d <= 26) {
                    ASSERT_FALSE(keyed) << "keyed texel inside the ball at " << x << "," << y;
                }
                const bool inner = x >= r.x1 + r.inset && x < r.x2 - r.inset && y >= r.y1 + r.inset &&
                                   y < r.y2 - r.inset;
                if (r.fill == plate && inner) {
                    ASSERT_FALSE(keyed) << "keyed texel inside the plate at " << x << "," << y;
                }
            }
        EXPECT_GT(nearCentre, 0) << "nothing drawn around the centre";
        const int area = (r.x2 - r.x1) * (r.y2 - r.y1);
        EXPECT_GE(opaque * 10, area) << "less than a tenth of the region is drawn";
    }

    int strays = 0;
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) {
            bool inRegion = false;
            for (const Region& r : regions)
                inRegion = inRegion || inside(r, x, y);
            if (!inRegion && rgbAt(image, x, y) != keyRgb && strays++ < 5)
                ADD_FAILURE() << "texel outside every region is not the key: " << x << "," << y;
        }
    image->drop();
}

TEST_F(MediaTest, SpriteSheetFillsItsRegionsAndKeysTheRest)
{
    checkLayout("exp.bmp", sheetRegions);
}

TEST_F(MediaTest, TitleImageFillsItsRegionsAndKeysTheRest)
{
    checkLayout("title.bmp", titleRegions);
}

// The five colours must tell apart at a glance: their average body colours lie far apart.
TEST_F(MediaTest, BallColoursAreClearlyDifferent)
{
    video::IImage* image = driver->createImageFromFile((mediaDir + "/exp.bmp").c_str());
    ASSERT_NE(image, nullptr);
    float mean[5][3] = {};
    for (int k = 0; k < 5; ++k) {
        const Region& r = sheetRegions[k];
        int count = 0;
        for (int y = r.y1; y < r.y2; ++y)
            for (int x = r.x1; x < r.x2; ++x)
                if (std::hypot(x + 0.5f - (r.x1 + 32), y + 0.5f - (r.y1 + 32)) <= 20) {
                    const video::SColor c = image->getPixel(x, y);
                    mean[k][0] += c.getRed();
                    mean[k][1] += c.getGreen();
                    mean[k][2] += c.getBlue();
                    ++count;
                }
        for (float& channel : mean[k])
            channel /= count;
    }
    for (int a = 0; a < 5; ++a)
        for (int b = a + 1; b < 5; ++b) {
            const float d = std::sqrt(std::pow(mean[a][0] - mean[b][0], 2) + std::pow(mean[a][1] - mean[b][1], 2) +
                                      std::pow(mean[a][2] - mean[b][2], 2));
            EXPECT_GT(d, 60) << "balls " << a + 1 << " and " << b + 1 << " look alike";
        }
    image->drop();
}

// The game keys texels hard (opaque or gone), so a ball's round edge only looks smooth when its
// outermost texels were blended onto the cell colour drawn beneath it, instead of being the dark rim.
float rgbDistance(u32 a, u32 b)
{
    float sum = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const float d = static_cast<float>((a >> shift) & 0xFF) - static_cast<float>((b >> shift) & 0xFF);
        sum += d * d;
    }
    return std::sqrt(sum);
}

TEST_F(MediaTest, BallEdgesAreBlendedOntoTheCellColour)
{
    const u32 cell = 0x817878;
    video::IImage* image = driver->createImageFromFile((mediaDir + "/exp.bmp").c_str());
    ASSERT_NE(image, nullptr);
    for (int k = 0; k < 5; ++k) {
        const Region& r = sheetRegions[k];
        SCOPED_TRACE(r.name);
        float total = 0;
        int edges = 0;
        for (int y = r.y1; y < r.y2; ++y)
            for (int x = r.x1; x < r.x2; ++x) {
                if (rgbAt(image, x, y) == keyRgb)
                    continue;
                if (rgbAt(image, x - 1, y) == keyRgb || rgbAt(image, x + 1, y) == keyRgb ||
                    rgbAt(image, x, y - 1) == keyRgb || rgbAt(image, x, y + 1) == keyRgb) {
                    total += rgbDistance(rgbAt(image, x, y), cell);
                    ++edges;
                }
            }
        ASSERT_GT(edges, 0);
        EXPECT_LT(total / edges, 60) << "the outermost texels stand out from the cell colour";
    }
    image->drop();
}

// The removal frames show at alpha 0x4D over the ball, so each needs a good share of bright texels.
TEST_F(MediaTest, RemovalFramesAreBrightEnoughToShowFaded)
{
    video::IImage* image = driver->createImageFromFile((mediaDir + "/exp.bmp").c_str());
    ASSERT_NE(image, nullptr);
    for (int k = 5; k < 10; ++k) {
        const Region& r = sheetRegions[k];
        SCOPED_TRACE(r.name);
        int bright = 0;
        for (int y = r.y1; y < r.y2; ++y)
            for (int x = r.x1; x < r.x2; ++x) {
                const video::SColor c = image->getPixel(x, y);
                bright += (c.color & 0xFFFFFF) != keyRgb && c.getLuminance() > 200;
            }
        EXPECT_GE(bright * 12, (r.x2 - r.x1) * (r.y2 - r.y1)) << "under a twelfth of the frame is bright";
    }
    image->drop();
}

TEST_F(MediaTest, AppIconIsASquarePictureWithTransparentCorners)
{
    video::IImage* icon = driver->createImageFromFile((mediaDir + "/quintet.png").c_str());
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->getDimension(), core::dimension2d<u32>(256, 256));
    EXPECT_EQ(icon->getPixel(0, 0).getAlpha(), 0u);
    EXPECT_EQ(icon->getPixel(255, 255).getAlpha(), 0u);
    EXPECT_EQ(icon->getPixel(128, 128).getAlpha(), 255u);
    icon->drop();
}

struct FontCase {
    const char* file;
    u32 minHeight, maxHeight;  // the text height the engine reports
};
const FontCase fontCases[] = {{"Swiss12.xml", 12, 20}, {"humn28.xml", 28, 40}};

TEST_F(MediaTest, BothFontsMapEveryPrintedCharacterAndFitTheLabels)
{
    gui::IGUIEnvironment* gui = device->getGUIEnvironment();
    for (const FontCase& fc : fontCases) {
        SCOPED_TRACE(fc.file);
        gui::IGUIFont* font = gui->getFont((mediaDir + "/" + fc.file).c_str());
        ASSERT_NE(font, nullptr);
        ASSERT_EQ(font->getType(), gui::EGFT_BITMAP);
        gui::IGUIFontBitmap* bitmap = static_cast<gui::IGUIFontBitmap*>(font);

        // An unmapped character falls back to the space's sprite, so each must have its own.
        std::set<u32> sprites{bitmap->getSpriteNoFromChar(L" ")};
        for (wchar_t c = L'!'; c <= L'~'; ++c) {
            const wchar_t text[2] = {c, 0};
            EXPECT_TRUE(sprites.insert(bitmap->getSpriteNoFromChar(text)).second)
                << "character '" << static_cast<char>(c) << "' is not mapped";
        }
        for (const std::wstring& text : gameTexts) {
            const core::dimension2d<u32> size = font->getDimension(text.c_str());
            EXPECT_GE(size.Height, fc.minHeight) << "text " << core::stringc(text.c_str()).c_str();
            EXPECT_LE(size.Height, fc.maxHeight) << "text " << core::stringc(text.c_str()).c_str();
        }
        EXPECT_GT(font->getDimension(L"SCORE: 0000000").Width, font->getDimension(L"SCORE").Width);
    }
}

// The glyph texture: every character's rectangle lies inside it and holds ink (the space none);
// the ink is white so the labels' colours tint it.
TEST_F(MediaTest, GlyphTexturesHoldWhiteInkInsideEveryRectangle)
{
    gui::IGUIEnvironment* gui = device->getGUIEnvironment();
    for (const FontCase& fc : fontCases) {
        SCOPED_TRACE(fc.file);
        gui::IGUIFont* font = gui->getFont((mediaDir + "/" + fc.file).c_str());
        ASSERT_NE(font, nullptr);
        gui::IGUISpriteBank* bank = static_cast<gui::IGUIFontBitmap*>(font)->getSpriteBank();
        ASSERT_EQ(bank->getTextureCount(), 1u);
        ASSERT_NE(bank->getTexture(0), nullptr);
        // The null driver keeps no pixels: read the file the texture was loaded from.
        const std::string name = bank->getTexture(0)->getName().getPath().c_str();
        const std::string path = name[0] == '/' ? name : mediaDir + "/" + name;
        video::IImage* atlas = driver->createImageFromFile(path.c_str());
        ASSERT_NE(atlas, nullptr) << path;
        ASSERT_EQ(atlas->getColorFormat(), video::ECF_A8R8G8B8);
        const core::dimension2d<u32> size = atlas->getDimension();

        for (wchar_t c = L' '; c <= L'~'; ++c) {
            const wchar_t text[2] = {c, 0};
            const gui::SGUISprite& sprite = bank->getSprites()[static_cast<gui::IGUIFontBitmap*>(font)->getSpriteNoFromChar(text)];
            const core::rect<s32> r = bank->getPositions()[sprite.Frames[0].rectNumber];
            ASSERT_TRUE(r.UpperLeftCorner.X >= 0 && r.UpperLeftCorner.Y >= 0 &&
                        r.LowerRightCorner.X <= static_cast<s32>(size.Width) &&
                        r.LowerRightCorner.Y <= static_cast<s32>(size.Height))
                << "rectangle of '" << static_cast<char>(c) << "' leaves the texture";
            u32 ink = 0;
            for (s32 y = r.UpperLeftCorner.Y; y < r.LowerRightCorner.Y; ++y)
                for (s32 x = r.UpperLeftCorner.X; x < r.LowerRightCorner.X; ++x) {
                    const video::SColor p = atlas->getPixel(x, y);
                    ink += p.getAlpha();
                    if (p.getAlpha() > 0) {
                        ASSERT_EQ(p.color & 0xFFFFFF, 0xFFFFFFu) << "'" << static_cast<char>(c) << "' ink not white";
                    }
                }
            if (c == L' ')
                EXPECT_EQ(ink, 0u) << "the space holds ink";
            else
                EXPECT_GT(ink, 0u) << "'" << static_cast<char>(c) << "' has no ink";
        }
        atlas->drop();
    }
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Two runs of the generator write byte-identical files, the same as the build's.
TEST(MediaGenerator, TwoRunsWriteTheSameBytes)
{
    char first[] = "/tmp/quintet-media.XXXXXX", second[] = "/tmp/quintet-media.XXXXXX";
    ASSERT_NE(mkdtemp(first), nullptr);
    ASSERT_NE(mkdtemp(second), nullptr);
    for (const char* folder : {first, second})
        ASSERT_EQ(std::system((std::string("\"") + MKMEDIA_PROGRAM + "\" " + folder).c_str()), 0);

    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(first))
        names.insert(entry.path().filename().string());
    EXPECT_GE(names.size(), 7u);
    for (const std::string& name : names) {
        const std::string bytes = readFile(std::string(first) + "/" + name);
        EXPECT_FALSE(bytes.empty()) << name;
        EXPECT_EQ(bytes, readFile(std::string(second) + "/" + name)) << name << " differs between runs";
        EXPECT_EQ(bytes, readFile(mediaDir + "/" + name)) << name << " differs from the build's";
    }
    std::filesystem::remove_all(first);
    std::filesystem::remove_all(second);
}

} // namespace
