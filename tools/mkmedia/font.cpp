// Text through FreeType: word masks for the art, and the bitmap fonts the game loads with getFont.
#include "tools/mkmedia/font.h"

#include <algorithm>
#include <climits>
#include <fstream>
#include <sstream>

FT_Face labelFace = nullptr;
FT_Face humanistFace = nullptr;
FT_Face boldFace = nullptr;
FT_Face titleFace = nullptr;

static FT_Library freetype = nullptr;

static FT_Face openFace(const char* path)
{
    FT_Face face = nullptr;
    if (FT_New_Face(freetype, path, 0, &face) != 0)
        fail(std::string("cannot open font ") + path);
    return face;
}

void openFaces()
{
    if (FT_Init_FreeType(&freetype) != 0)
        fail("cannot start FreeType");
    // The build passes absolute paths of files from Debian's font packages.
    labelFace = openFace(MKMEDIA_FONT_LABEL);
    humanistFace = openFace(MKMEDIA_FONT_HUMANIST);
    boldFace = openFace(MKMEDIA_FONT_BOLD);
    titleFace = openFace(MKMEDIA_FONT_TITLE);
}

// Small text is hinted to the pixel grid; large text keeps the outline's true shape.
static FT_Int32 loadFlags(int pixelSize)
{
    return FT_LOAD_RENDER | (pixelSize < 20 ? FT_LOAD_TARGET_LIGHT : FT_LOAD_NO_HINTING);
}

static void loadGlyph(FT_Face face, int pixelSize, char c, FT_Int32 flags)
{
    FT_Set_Pixel_Sizes(face, 0, pixelSize);
    if (FT_Load_Char(face, static_cast<unsigned char>(c), flags) != 0)
        fail(std::string("no glyph for '") + c + "' in " + face->family_name);
}

Mask textMask(FT_Face face, int pixelSize, const std::string& text, int padding, int tracking)
{
    struct Placed {
        Mask coverage;
        int x, y;  // top left, relative to the pen start on the baseline
    };
    std::vector<Placed> placed;
    const FT_Int32 flags = loadFlags(pixelSize);
    long pen = 0;  // 26.6 fixed point
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    FT_UInt previous = 0;
    for (char c : text) {
        loadGlyph(face, pixelSize, c, flags);
        const FT_UInt index = FT_Get_Char_Index(face, static_cast<unsigned char>(c));
        if (previous && FT_HAS_KERNING(face)) {
            FT_Vector kern;
            FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kern);
            pen += kern.x;
        }
        previous = index;
        const FT_GlyphSlot g = face->glyph;
        Placed p{newMask(g->bitmap.width, g->bitmap.rows), static_cast<int>((pen + 32) >> 6) + g->bitmap_left,
                 -g->bitmap_top};
        for (int y = 0; y < static_cast<int>(g->bitmap.rows); ++y)
            for (int x = 0; x < static_cast<int>(g->bitmap.width); ++x)
                value(p.coverage, x, y) = g->bitmap.buffer[y * g->bitmap.pitch + x] / 255.0f;
        if (p.coverage.width > 0) {
            left = std::min(left, p.x);
            top = std::min(top, p.y);
            right = std::max(right, p.x + p.coverage.width);
            bottom = std::max(bottom, p.y + p.coverage.height);
        }
        placed.push_back(p);
        pen += g->advance.x + tracking * 64;
    }
    if (left > right)
        return newMask(2 * padding, 2 * padding);
    Mask mask = newMask(right - left + 2 * padding, bottom - top + 2 * padding);
    for (const Placed& p : placed)
        for (int y = 0; y < p.coverage.height; ++y)
            for (int x = 0; x < p.coverage.width; ++x) {
                float& v = value(mask, p.x - left + padding + x, p.y - top + padding + y);
                v = std::min(1.0f, v + maskAt(p.coverage, x, y));
            }
    return mask;
}

BitmapFont makeBitmapFont(const std::string& name, FT_Face face, int pixelSize)
{
    // Hinted for crisp stems: the engine draws glyphs 1:1 at whole pixels.
    const FT_Int32 flags = FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT;
    int ascent = 0, descent = 0;
    for (char c = ' '; c <= '~'; ++c) {
        loadGlyph(face, pixelSize, c, flags);
        ascent = std::max(ascent, face->glyph->bitmap_top);
        descent = std::max(descent, static_cast<int>(face->glyph->bitmap.rows) - face->glyph->bitmap_top);
    }
    BitmapFont font;
    font.name = name;
    font.lineHeight = ascent + descent;

    // Shelf packing in character order, one clear texel between glyphs so none bleeds into another.
    const int atlasWidth = 256;
    std::vector<std::vector<float>> coverage;
    int x = 1, y = 1;
    for (char c = ' '; c <= '~'; ++c) {
        loadGlyph(face, pixelSize, c, flags);
        const FT_GlyphSlot g = face->glyph;
        const int advance = static_cast<int>((g->advance.x + 32) >> 6);
        // The space has no ink: its box is its advance, so the engine's fallback glyph is a plain gap.
        const int width = c == ' ' ? advance : static_cast<int>(g->bitmap.width);
        if (x + width + 1 > atlasWidth) {
            x = 1;
            y += font.lineHeight + 1;
        }
        GlyphBox box{c, x, y, x + width, y + font.lineHeight, 0, 0};
        if (c != ' ') {
            box.underhang = g->bitmap_left;
            box.overhang = advance - g->bitmap_left - width;
        }
        std::vector<float> pixels(static_cast<size_t>(width) * font.lineHeight, 0.0f);
        if (c != ' ')
            for (int row = 0; row < static_cast<int>(g->bitmap.rows); ++row)
                for (int col = 0; col < width; ++col)
                    pixels[static_cast<size_t>(ascent - g->bitmap_top + row) * width + col] =
                        g->bitmap.buffer[row * g->bitmap.pitch + col] / 255.0f;
        coverage.push_back(pixels);
        font.glyphs.push_back(box);
        x += width + 1;
    }
    int atlasHeight = 16;
    while (atlasHeight < y + font.lineHeight + 1)
        atlasHeight *= 2;  // powers of two load without rescaling on every driver

    // White everywhere, so tinted text has no dark fringe; the glyph lives in the alpha channel.
    font.atlas = newImage(atlasWidth, atlasHeight, Colour{1, 1, 1, 0});
    for (size_t i = 0; i < font.glyphs.size(); ++i) {
        const GlyphBox& box = font.glyphs[i];
        const int width = box.x2 - box.x1;
        for (int row = 0; row < font.lineHeight; ++row)
            for (int col = 0; col < width; ++col)
                pixel(font.atlas, box.x1 + col, box.y1 + row).a = coverage[i][static_cast<size_t>(row) * width + col];
    }
    return font;
}

// The character as an XML attribute value; the engine's reader knows these four entities.
static std::string attributeText(char c)
{
    switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    default: return std::string(1, c);
    }
}

std::string fontXml(const BitmapFont& font)
{
    std::ostringstream xml;
    xml << "<?xml version=\"1.0\"?>\n<font type=\"bitmap\">\n";
    // Relative to the XML file: the engine loads the textures from the font's own folder.
    xml << "  <Texture index=\"0\" filename=\"" << font.name << "_0.png\" hasAlpha=\"true\" />\n";
    for (const GlyphBox& box : font.glyphs) {
        xml << "  <c c=\"" << attributeText(box.code) << "\" r=\"" << box.x1 << ", " << box.y1 << ", " << box.x2 << ", "
            << box.y2 << "\"";
        if (box.overhang)
            xml << " o=\"" << box.overhang << "\"";
        if (box.underhang)
            xml << " u=\"" << box.underhang << "\"";
        xml << " />\n";
    }
    xml << "</font>\n";
    return xml.str();
}

void writeBitmapFont(const std::string& folder, const BitmapFont& font)
{
    writePng(folder + "/" + font.name + "_0.png", font.atlas);
    const std::string path = folder + "/" + font.name + ".xml";
    std::ofstream out(path, std::ios::binary);
    out << fontXml(font);
    if (!out.flush())
        fail("cannot write " + path);
}
