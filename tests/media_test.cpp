// The generated media as the engine loads them: sizes, drawn regions and key, both bitmap fonts.
#include <gtest/gtest.h>
#include <irrlicht.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

using namespace irr;

const std::string mediaDir = MEDIA_DIR;

// Where the game draws from (x2, y2 one past the last texel). disc: a ball, no key within radius 26 of the
// centre; plate: no key inside the inset margin; marks: strokes on transparency. Outside them all is key.
enum Fill { disc, plate, marks };
struct Region { const char* name; int x1, y1, x2, y2; Fill fill = marks; int inset = 0; };
const std::vector<Region> sheetRegions = {
    {"ball 1", 39, 3, 103, 67, disc},     {"ball 2", 39, 70, 103, 134, disc},   {"ball 3", 39, 137, 103, 201, disc},
    {"ball 4", 39, 204, 103, 268, disc},  {"ball 5", 39, 271, 103, 335, disc},  {"removal 1", 110, 3, 174, 67},
    {"removal 2", 110, 70, 174, 134},     {"removal 3", 110, 137, 174, 201},    {"removal 4", 110, 204, 174, 268},
    {"removal 5", 110, 271, 174, 335},    {"overlay icon", 65, 475, 125, 501},  {"back icon", 189, 475, 249, 501},
    {"game-over banner", 288, 365, 443, 390, plate, 4}, {"overlay tooltip", 40, 405, 125, 430, plate, 4},
    {"back tooltip", 40, 445, 125, 470, plate, 4}};
const std::vector<Region> titleRegions = {
    {"title artwork", 0, 52, 512, 177, plate}, {"start button", 180, 400, 380, 460, plate, 15},
    {"left arrow", 380, 480, 420, 510}, {"right arrow", 430, 480, 470, 510}, {"corner emblem", 380, 395, 500, 433}};
static bool inside(const Region& r, int x, int y, int margin = 0)
{
    return x >= r.x1 + margin && x < r.x2 - margin && y >= r.y1 + margin && y < r.y2 - margin;
}

TEST(MediaTest, PicturesKeyAllButTheirRegionsAndFontsMapEveryPrintedCharacter)
{
    IrrlichtDevice* device = createDevice(video::EDT_NULL);
    ASSERT_NE(device, nullptr);
    struct { const char* file; int size; std::vector<Region> regions; } pictures[] = {
        {"exp.bmp", 512, sheetRegions}, {"title.bmp", 512, titleRegions}, {"quintet.png", 256, {}}};
    for (const auto& p : pictures) {
        SCOPED_TRACE(p.file);
        video::IImage* image = device->getVideoDriver()->createImageFromFile((mediaDir + "/" + p.file).c_str());
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->getDimension(), core::dimension2d<u32>(p.size, p.size));
        std::vector<int> drawn(p.regions.size() + 1), holes(p.regions.size());  // the last: outside every region
        for (int y = 0; !p.regions.empty() && y < 512; ++y)
            for (int x = 0; x < 512; ++x) {
                const bool key = (image->getPixel(x, y).color & 0xFFFFFF) == 0xFF00FF;
                size_t i = 0;
                while (i < p.regions.size() && !inside(p.regions[i], x, y))
                    ++i;
                drawn[i] += !key;
                if (i == p.regions.size() || !key)
                    continue;
                const Region& r = p.regions[i];
                const double fromCentre = std::hypot(x + 0.5 - (r.x1 + r.x2) / 2.0, y + 0.5 - (r.y1 + r.y2) / 2.0);
                holes[i] += (r.fill == disc && fromCentre <= 26) || (r.fill == plate && inside(r, x, y, r.inset));
            }
        EXPECT_EQ(drawn.back(), 0) << "texels outside every region are not the key";
        for (size_t i = 0; i < p.regions.size(); ++i) {
            const Region& r = p.regions[i];
            EXPECT_EQ(holes[i], 0) << r.name << ": keyed texels inside the ball or plate";
            EXPECT_GE(drawn[i] * 10, (r.x2 - r.x1) * (r.y2 - r.y1)) << r.name << ": less than a tenth is drawn";
        }
        image->drop();
    }
    for (const char* file : {"Swiss12.xml", "humn28.xml"}) {
        SCOPED_TRACE(file);
        gui::IGUIFont* font = device->getGUIEnvironment()->getFont((mediaDir + "/" + file).c_str());
        ASSERT_TRUE(font && font->getType() == gui::EGFT_BITMAP);
        // An unmapped character falls back to the space's sprite, so each must have its own.
        std::set<u32> sprites;
        std::wstring printable;
        for (wchar_t c = L' '; c <= L'~'; ++c) {
            printable += c;
            EXPECT_TRUE(sprites.insert(static_cast<gui::IGUIFontBitmap*>(font)->getSpriteNoFromChar(&c)).second)
                << "character '" << static_cast<char>(c) << "' is not mapped";
        }
        // The labels are 40 pixels tall; the score, size names and credits all use printable ASCII.
        EXPECT_LE(font->getDimension(printable.c_str()).Height, 40u);
    }
    device->drop();
}
