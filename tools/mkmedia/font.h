// Text through FreeType: words drawn into the art, and the game's bitmap fonts (glyph atlas plus the engine's XML).
#pragma once

#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "tools/mkmedia/raster.h"

// The fonts the media use, opened once from the paths the build found (Debian packages).
extern FT_Face labelFace;     // Swiss12: DejaVu Sans, a crisp sans for the small windows
extern FT_Face humanistFace;  // humn28: Open Sans Semibold, a humanist sans for L and XL
extern FT_Face boldFace;      // words on the sprite sheet and the buttons
extern FT_Face titleFace;     // the game's name on the title artwork
void openFaces();

// A word's coverage, cropped to its ink plus padding on every side; tracking adds pixels between letters.
Mask textMask(FT_Face face, int pixelSize, const std::string& text, int padding = 0, int tracking = 0);

// One character of a bitmap font: its texel rectangle in the atlas (x2, y2 one past the last texel)
// and the engine's underhang (pixels before it) and overhang (pixels after it).
struct GlyphBox {
    char code;
    int x1, y1, x2, y2;
    int underhang, overhang;
};

struct BitmapFont {
    std::string name;        // "Swiss12": the XML is name.xml, the atlas name_0.png
    Image atlas;             // white glyphs, coverage in alpha
    std::vector<GlyphBox> glyphs;
    int lineHeight = 0;      // every glyph rectangle is this tall, so the engine's text height
};

// Renders the space and every printable ASCII character at a pixel size into one atlas.
BitmapFont makeBitmapFont(const std::string& name, FT_Face face, int pixelSize);
std::string fontXml(const BitmapFont& font);
void writeBitmapFont(const std::string& folder, const BitmapFont& font);
