// The generated media as the engine loads them: sizes, drawn regions and key, both bitmap fonts, reproducibility.
#include <gtest/gtest.h>
#include <irrlicht.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

using namespace irr;

namespace {

const std::string mediaDir = MEDIA_DIR;

// Where the game draws from (x2, y2 one past the last texel). disc: a ball, no key within radius 26 of the
// centre; plate: no key inside the inset margin; marks: strokes on transparency, drawn near the centre.
enum Fill { disc, plate, marks };
struct Region { const char* name; int x1, y1, x2, y2; Fill fill; int inset; };
const std::vector<Region> sheetRegions = {
    {"ball 1", 39, 3, 103, 67, disc, 0},         {"ball 2", 39, 70, 103, 134, disc, 0},
    {"ball 3", 39, 137, 103, 201, disc, 0},      {"ball 4", 39, 204, 103, 268, disc, 0},
    {"ball 5", 39, 271, 103, 335, disc, 0},      {"removal 1", 110, 3, 174, 67, marks, 0},
    {"removal 2", 110, 70, 174, 134, marks, 0},  {"removal 3", 110, 137, 174, 201, marks, 0},
    {"removal 4", 110, 204, 174, 268, marks, 0}, {"removal 5", 110, 271, 174, 335, marks, 0},
    {"game-over banner", 288, 365, 443, 390, plate, 4}, {"overlay tooltip", 40, 405, 125, 430, plate, 4},
    {"back tooltip", 40, 445, 125, 470, plate, 4},      {"overlay icon", 65, 475, 125, 501, marks, 0},
    {"back icon", 189, 475, 249, 501, marks, 0},
};
const std::vector<Region> titleRegions = {
    {"title artwork", 0, 52, 512, 177, plate, 0}, {"start button", 180, 400, 380, 460, plate, 15},
    {"left arrow", 380, 480, 420, 510, marks, 0}, {"right arrow", 430, 480, 470, 510, marks, 0},
    {"corner emblem", 380, 395, 500, 433, marks, 0},
};

IrrlichtDevice* device = nullptr;

class MediaTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        device = createDevice(video::EDT_NULL);
        ASSERT_NE(device, nullptr);
        device->getLogger()->setLogLevel(ELL_ERROR);
    }
    static void TearDownTestSuite() { device->drop(); }
};

bool keyed(video::IImage* image, int x, int y)
{
    return (image->getPixel(x, y).color & 0xFFFFFF) == 0xFF00FF;
}

TEST_F(MediaTest, PicturesDrawTheirRegionsAndKeyEverythingElse)
{
    struct { const char* file; u32 size; const std::vector<Region>* regions; } pictures[] = {
        {"exp.bmp", 512, &sheetRegions}, {"title.bmp", 512, &titleRegions}, {"quintet.png", 256, nullptr}};
    for (const auto& p : pictures) {
        SCOPED_TRACE(p.file);
        video::IImage* image = device->getVideoDriver()->createImageFromFile((mediaDir + "/" + p.file).c_str());
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->getDimension(), core::dimension2d<u32>(p.size, p.size));
        for (const Region& r : p.regions ? *p.regions : std::vector<Region>()) {
            SCOPED_TRACE(r.name);
            const float cx = (r.x1 + r.x2) / 2.0f, cy = (r.y1 + r.y2) / 2.0f;
            int opaque = 0, nearCentre = 0, holes = 0;
            for (int y = r.y1; y < r.y2; ++y)
                for (int x = r.x1; x < r.x2; ++x) {
                    const bool key = keyed(image, x, y);
                    opaque += !key;
                    nearCentre += !key && std::abs(x + 0.5f - cx) <= 3 && std::abs(y + 0.5f - cy) <= 3;
                    const bool inner = x >= r.x1 + r.inset && x < r.x2 - r.inset && y >= r.y1 + r.inset &&
                                       y < r.y2 - r.inset;
                    holes += key && ((r.fill == disc && std::hypot(x + 0.5f - cx, y + 0.5f - cy) <= 26) ||
                                     (r.fill == plate && inner));
                }
            EXPECT_GT(nearCentre, 0) << "nothing drawn around the centre";
            EXPECT_EQ(holes, 0) << "keyed texels inside the ball or plate";
            EXPECT_GE(opaque * 10, (r.x2 - r.x1) * (r.y2 - r.y1)) << "less than a tenth of the region is drawn";
        }
        int strays = 0;
        for (int y = 0; p.regions && y < 512; ++y)
            for (int x = 0; x < 512; ++x) {
                bool inRegion = false;
                for (const Region& r : *p.regions)
                    inRegion = inRegion || (x >= r.x1 && x < r.x2 && y >= r.y1 && y < r.y2);
                if (!inRegion && !keyed(image, x, y) && strays++ == 0)
                    ADD_FAILURE() << "texel outside every region is not the key: " << x << "," << y;
            }
        image->drop();
    }
}

TEST_F(MediaTest, BothFontsMapEveryPrintedCharacterAndFitTheLabels)
{
    struct { const char* file; u32 minHeight; } fonts[] = {{"Swiss12.xml", 12}, {"humn28.xml", 28}};
    for (const auto& fc : fonts) {
        SCOPED_TRACE(fc.file);
        gui::IGUIFont* font = device->getGUIEnvironment()->getFont((mediaDir + "/" + fc.file).c_str());
        ASSERT_NE(font, nullptr);
        ASSERT_EQ(font->getType(), gui::EGFT_BITMAP);
        // An unmapped character falls back to the space's sprite, so each must have its own.
        std::set<u32> sprites;
        std::wstring printable;
        for (wchar_t c = L' '; c <= L'~'; ++c) {
            const wchar_t text[2] = {c, 0};
            printable += c;
            EXPECT_TRUE(sprites.insert(static_cast<gui::IGUIFontBitmap*>(font)->getSpriteNoFromChar(text)).second)
                << "character '" << static_cast<char>(c) << "' is not mapped";
        }
        // The labels are 40 pixels tall; the score, size names and credits all use printable ASCII.
        const u32 height = font->getDimension(printable.c_str()).Height;
        EXPECT_LE(height, 40u);
        EXPECT_GE(height, fc.minHeight);
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

}  // namespace
