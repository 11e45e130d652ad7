// The preview sheet for a person: every file as made, the balls at each cell size, and mock screens drawn as the engine draws.
#include "tools/mkmedia/preview.h"

#include <string>

namespace {

// 0xAARRGGBB as the game writes its colours.
Colour argb(uint32_t c)
{
    return rgb(c & 0xFFFFFF, (c >> 24) / 255.0f);
}

// The engine's 2D image draw: nearest texel, alpha 0 (the keyed texels) skipped, texel times vertex colour.
void drawImage(Image& target, const Image& texture, ImageRegion source, ImageRegion dest, uint32_t vertexColour)
{
    const Colour tint = argb(vertexColour);
    const int sw = source.x2 - source.x1, sh = source.y2 - source.y1;
    const int dw = dest.x2 - dest.x1, dh = dest.y2 - dest.y1;
    for (int y = dest.y1; y < dest.y2; ++y)
        for (int x = dest.x1; x < dest.x2; ++x) {
            const int tx = source.x1 + static_cast<int>((x - dest.x1 + 0.5f) * sw / dw);
            const int ty = source.y1 + static_cast<int>((y - dest.y1 + 0.5f) * sh / dh);
            const Colour t = pixelAt(texture, tx, ty);
            if (t.a <= 0)
                continue;
            blendPixel(target, x, y, Colour{t.r * tint.r, t.g * tint.g, t.b * tint.b, t.a * tint.a}, 1);
        }
}

// The position form: unscaled.
void drawImageAt(Image& target, const Image& texture, ImageRegion source, int x, int y, uint32_t vertexColour)
{
    drawImage(target, texture, source, ImageRegion{x, y, x + source.x2 - source.x1, y + source.y2 - source.y1},
              vertexColour);
}

void drawRect(Image& target, uint32_t colour, ImageRegion r)
{
    for (int y = r.y1; y < r.y2; ++y)
        for (int x = r.x1; x < r.x2; ++x)
            blendPixel(target, x, y, argb(colour), 1);
}

// Text as the engine's bitmap font draws a label: underhang before each glyph, width and overhang after.
void drawText(Image& target, const BitmapFont& font, const std::string& text, int x, int y, uint32_t colour)
{
    for (char c : text) {
        const GlyphBox* box = &font.glyphs[0];  // the space stands in for unknown characters
        for (const GlyphBox& g : font.glyphs)
            if (g.code == c)
                box = &g;
        x += box->underhang;
        if (c != ' ')
            drawImageAt(target, font.atlas, ImageRegion{box->x1, box->y1, box->x2, box->y2}, x, y, colour);
        x += box->x2 - box->x1 + box->overhang;
    }
}

// A picture as it is stored, on a chequer so the keyed texels show as holes.
void drawStored(Image& target, const Image& image, int ox, int oy)
{
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const bool light = ((x / 8) + (y / 8)) % 2 == 0;
            pixel(target, ox + x, oy + y) = rgb(light ? 0x505058 : 0x404048);
        }
    drawLayer(target, image, ox, oy);
}

// The title screen's layout table.
struct TitleLayout {
    int side, bandTop;
    ImageRegion artwork;
    int bx, by, ax, ay, dy, margin;
    const char* name;
};
const TitleLayout titleLayouts[5] = {
    {450, 140, {0, 40, 450, 165}, 85, 210, 276, 323, -4, 30, "XS"},
    {650, 186, {0, 60, 650, 225}, 180, 340, 380, 480, -4, 30, "S"},
    {850, 221, {0, 80, 850, 275}, 300, 430, 490, 600, -4, 30, "M"},
    {960, 261, {0, 100, 960, 325}, 360, 480, 550, 660, 5, 56, "L"},
    {1140, 355, {0, 150, 1140, 435}, 460, 580, 640, 760, 5, 56, "XL"},
};

Image titleScreen(const Image& title, const BitmapFont& font, int mode, bool hovered)
{
    const TitleLayout& l = titleLayouts[mode];
    Image screen = newImage(l.side, l.side, rgb(0x000000));
    drawRect(screen, 0xFFD1E8CA, ImageRegion{0, 0, l.side, l.side});
    drawRect(screen, 0xD4A896A4, ImageRegion{0, l.bandTop, l.side, l.side});
    drawImage(screen, title, artworkRegion, l.artwork, 0xFFFFFFFF);
    drawText(screen, font, l.name, l.ax - 58, l.ay - 1, 0xE9F4EBDC);
    drawImageAt(screen, title, rightArrowRegion, l.ax, l.ay + l.dy, hovered ? 0xFFFFFFFF : 0x6EFFFFFF);
    drawImageAt(screen, title, leftArrowRegion, l.ax - 130, l.ay + l.dy, 0x6EFFFFFF);
    drawImage(screen, title, startRegion, ImageRegion{l.bx + 5, l.by + 4, l.bx + 305, l.by + 79}, 0x63373737);
    drawImage(screen, title, startRegion, ImageRegion{l.bx, l.by, l.bx + 300, l.by + 75},
              hovered ? 0xFFFFFFFF : 0x9BFFFFFF);
    drawText(screen, font, mode == 0 ? "Quintet - line up five" : "Quintet 1.0 - line up five of a colour",
             1, l.side - l.margin, 0x58FFFFFF);
    drawImageAt(screen, title, emblemRegion, l.side - 125, l.side - 36, 0x37FFFFFF);
    return screen;
}

const int playGeometry[5][3] = {{28, 36, 44}, {30, 40, 66}, {32, 40, 88}, {32, 50, 100}, {33, 52, 119}};

// A mid-game board: digits are colours, lower-case letters a..e are balls being removed (frame by column).
const char* const mockBoard[9] = {
    "1..3..5..", ".2..4....", "..3.1..2.", "5...aaaaa", "..4..3...",
    ".1....2..", "3..5...4.", "..2..1...", "4.....3.5"};

Image playScreen(const Image& sheet, const BitmapFont& font, int mode, bool gameOver, bool overlay)
{
    const int side = titleLayouts[mode].side;
    const int ox = playGeometry[mode][0], oy = playGeometry[mode][1], pitch = playGeometry[mode][2];
    Image screen = newImage(side, side, rgb(0x000000));
    drawRect(screen, 0xFFAC918C, ImageRegion{0, 0, side, side});
    for (int col = 0; col < 9; ++col)
        for (int row = 0; row < 9; ++row) {
            const ImageRegion cell{ox + col * pitch, oy + row * pitch, ox + (col + 1) * pitch - 1, oy + (row + 1) * pitch - 1};
            drawRect(screen, 0xFF817878, cell);
            const char code = mockBoard[row][col];
            if (code == '.')
                continue;
            const bool removing = code >= 'a';
            const int colour = removing ? 1 + (code - 'a') : code - '0';
            // One ball still fading in, to show the appear ramp.
            const uint32_t alpha = (row == 7 && col == 0) ? 0x9B : 0xFF;
            drawImage(screen, sheet, ballRegion(colour), cell, (alpha << 24) | 0xFFFFFF);
            if (removing)
                drawImage(screen, sheet, removalRegion(9 - col), cell, 0x4DFFFFFF);
        }
    // The selected ball, on its blink.
    drawRect(screen, 0x58817878, ImageRegion{ox + 2 * pitch, oy + 2 * pitch, ox + 3 * pitch - 1, oy + 3 * pitch - 1});
    if (overlay)
        for (int y = 0; y < side - 1; y += 4) {
            drawRect(screen, 0x1E000000, ImageRegion{0, y, side, y + 3});
            drawRect(screen, 0x50000000, ImageRegion{0, y + 1, side, y + 2});
        }
    if (gameOver) {
        drawImageAt(screen, sheet, bannerRegion, side / 2 - 64, side / 2 - 95, 0x63010101);
        drawImageAt(screen, sheet, bannerRegion, side / 2 - 68, side / 2 - 100, 0xFFFFFFFF);
    }
    drawText(screen, font, "SCORE: 0000150  ", 30, mode <= 2 ? 10 : 3, 0xC7FFFAE1);
    // The back button hovered with its tooltip, the overlay button idle.
    const int mx = side - 70, my = 20;
    drawImageAt(screen, sheet, backTipRegion, mx, my + 20, 0xFFFFFFFF);
    drawRect(screen, 0x7AFFFFFF, ImageRegion{side - 100, 4, side - 40, 33});
    drawImageAt(screen, sheet, backIconRegion, side - 100, 6, 0x7BFFFFFF);
    drawRect(screen, 0x63373737, ImageRegion{side - 180, 4, side - 120, 33});
    drawImageAt(screen, sheet, overlayIconRegion, side - 180, 6, overlay ? 0xFFFFFFFF : 0x7BFFFFFF);
    return screen;
}

// The balls at one cell size: the five colours, each removal frame over its ball, two fade-in steps,
// the selection blink and the tooltips, on the play background.
Image ballStrip(const Image& sheet, int pitch)
{
    const int cells = 14;
    Image strip = newImage(cells * pitch + 8, pitch + 8, rgb(0xAC918C));
    for (int i = 0; i < cells; ++i) {
        const ImageRegion cell{4 + i * pitch, 4, 4 + (i + 1) * pitch - 1, 4 + pitch - 1};
        drawRect(strip, 0xFF817878, cell);
        const int colour = i < 5 ? i + 1 : (i < 10 ? i - 4 : 1 + i % 5);
        const uint32_t alpha = i == 10 ? 0x37 : (i == 11 ? 0x9B : 0xFF);
        drawImage(strip, sheet, ballRegion(colour), cell, (alpha << 24) | 0xFFFFFF);
        if (i >= 5 && i < 10)
            drawImage(strip, sheet, removalRegion(10 - i), cell, 0x4DFFFFFF);
        if (i == 12)
            drawRect(strip, 0x58817878, cell);
        if (i == 13)  // how the removal frames look alone, brightened for judging their shapes
            drawImage(strip, sheet, removalRegion(3), cell, 0xFFFFFFFF);
    }
    return strip;
}

} // namespace

Image makePreview(const Image& sheet, const Image& title, const Image& icon, const BitmapFont& small,
                  const BitmapFont& large)
{
    const int width = 2120;
    Image canvas = newImage(width, 3060, rgb(0x2A2A30));

    // The files as stored.
    drawStored(canvas, sheet, 10, 10);
    drawStored(canvas, title, 532, 10);
    drawStored(canvas, icon, 1054, 10);
    drawStored(canvas, small.atlas, 1320, 10);
    drawStored(canvas, large.atlas, 1320, 10 + small.atlas.height + 10);

    // Both fonts in every colour the labels use, on the backgrounds they show on.
    int y = 290;
    const uint32_t backs[3] = {0xFFAC918C, 0xFFAFA4AA, 0xFFD1E8CA};
    const uint32_t inks[3] = {0xC7FFFAE1, 0xE9F4EBDC, 0x58FFFFFF};
    const std::string sample = "SCORE: 0123456789  XS S M L XL  Quintet - line up five! {[(&@#%)]}";
    for (int i = 0; i < 3; ++i) {
        drawRect(canvas, backs[i], ImageRegion{1054, y, width - 10, y + 40 + 4 + small.lineHeight});
        drawText(canvas, large, sample, 1060, y + 2, inks[i]);
        drawText(canvas, small, sample, 1060, y + 4 + large.lineHeight, inks[i]);
        y += 48 + small.lineHeight;
    }

    // Balls at the five cell sizes.
    y = 540;
    const int pitches[5] = {44, 66, 88, 100, 119};
    for (int pitch : pitches) {
        drawLayer(canvas, ballStrip(sheet, pitch), 10, y);
        y += pitch + 16;
    }

    // Mock screens: title and play at XS and L, the play screens with the banner or the overlay.
    y = 1040;
    drawLayer(canvas, titleScreen(title, small, 0, false), 10, y);
    drawLayer(canvas, playScreen(sheet, small, 0, true, false), 470, y);
    drawLayer(canvas, titleScreen(title, small, 2, true), 930, y);
    y += 870;
    drawLayer(canvas, titleScreen(title, large, 4, false), 10, y);
    drawLayer(canvas, playScreen(sheet, large, 3, false, true), 1160, y);
    return canvas;
}
