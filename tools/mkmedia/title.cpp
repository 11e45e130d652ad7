// The title image media/title.bmp (artwork, start button, arrows, emblem) and the desktop icon.
#include "tools/mkmedia/font.h"
#include "tools/mkmedia/media.h"

#include <cmath>

Colour bandOnBackground()
{
    return over(rgb(bandColour, bandAlpha), rgb(titleBackground));
}

static const Colour ink = rgb(0x181230);  // outlines and shadows of the title's words

// The deep indigo of the artwork strip and the icon tile.
static Paint nightGradient(float top, float bottom)
{
    return verticalGradient(top, rgb(0x3E3578), bottom, rgb(0x1F1940));
}

// Out-of-focus lights in the ball colours, each with a slightly brighter rim, so the strip has depth.
struct Bokeh {
    float x, y, radius, opacity;
};

static void drawBokeh(Image& image, const Bokeh* lights, int count)
{
    for (int i = 0; i < count; ++i) {
        const Bokeh& b = lights[i];
        const Colour colour = mix(rgb(ballColours[i % ballColourCount]), white, 0.15f);
        const Mask disc = blurred(shapeMask(image.width, image.height, [&](float x, float y) {
            return circleDistance(x, y, b.x, b.y, b.radius);
        }), 1.2f);
        const Mask rim = shapeMask(image.width, image.height, [&](float x, float y) {
            return std::fabs(circleDistance(x, y, b.x, b.y, b.radius - 1.5f)) - 1.0f;
        });
        fillMask(image, disc, 0, 0, solid(colour), b.opacity);
        fillMask(image, blurred(rim, 1.0f), 0, 0, solid(colour), b.opacity * 0.5f);
    }
}

// A four-pointed glint.
static void drawSparkle(Image& image, float x, float y, float size, float opacity)
{
    const std::vector<Point> star = starCorners(x, y, size, size * 0.18f, 4, 0);
    fillShape(image, [&](float px, float py) { return polygonDistance(px, py, star); }, solid(white), opacity);
}

// A soft elliptic light, strongest at its centre.
static void drawGlow(Image& image, float cx, float cy, float rx, float ry, Colour colour, float opacity)
{
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            const float falloff = 1 - smoothstep(0.0f, 1.0f, std::sqrt(dx * dx + dy * dy));
            blendPixel(image, x, y, colour, opacity * falloff * falloff);
        }
}

// A word with a dark outline and a soft shadow, filled top to bottom from one colour to another.
static void drawTitleWord(Image& image, FT_Face face, int pixelSize, const char* word, int tracking, float cx,
                          float top, Colour upper, Colour lower, float outline)
{
    const int pad = 8;
    const Mask text = textMask(face, pixelSize, word, pad, tracking);
    const int ox = static_cast<int>(cx - text.width / 2.0f), oy = static_cast<int>(top) - pad;
    const Mask rim = grown(text, outline);
    fillMask(image, blurred(rim, outline * 1.2f), ox + 2, oy + 3, solid(rgb(0x000000)), 0.55f);
    fillMask(image, rim, ox, oy, solid(ink));
    fillMask(image, text, ox, oy, verticalGradient(oy + pad, upper, oy + text.height - pad, lower));
}

static Image artworkLayer()
{
    const int w = artworkRegion.x2 - artworkRegion.x1, h = artworkRegion.y2 - artworkRegion.y1;
    // Fully opaque and edge to edge: the game stretches it over the window's width, where a keyed
    // outline would turn ragged; straight top and bottom edges stay clean at any scale.
    Image layer = newImage(w, h, Colour());
    fillShape(layer, [&](float x, float y) { return roundRectDistance(x, y, -10, 0, w + 10.0f, float(h), 0); },
              nightGradient(0, float(h)));
    drawGlow(layer, w / 2.0f, 48, 230, 70, rgb(0x8C7AE6), 0.45f);
    const Bokeh lights[] = {{38, 34, 22, 0.16f},  {92, 92, 13, 0.14f}, {470, 30, 18, 0.16f}, {428, 96, 11, 0.14f},
                            {18, 100, 9, 0.12f},  {146, 22, 8, 0.10f}, {494, 88, 8, 0.12f},  {372, 18, 10, 0.10f},
                            {120, 58, 6, 0.12f},  {398, 60, 6, 0.12f}};
    drawBokeh(layer, lights, 10);
    // Rims: light along the top, dark along the bottom, a full pixel each so they survive shrinking.
    fillShape(layer, [&](float x, float y) { return roundRectDistance(x, y, -4, 0, w + 4.0f, 2, 0); },
              solid(rgb(0x9A8FE0)), 0.8f);
    fillShape(layer, [&](float x, float y) { return roundRectDistance(x, y, -4, h - 2.0f, w + 4.0f, float(h), 0); },
              solid(rgb(0x0C0A1C)));

    drawTitleWord(layer, titleFace, 64, "QUINTET", 4, w / 2.0f, 9, rgb(0xFFFFFF), rgb(0xFFD36A), 2.6f);
    drawSparkle(layer, 118, 16, 7, 0.85f);
    drawSparkle(layer, 398, 62, 5, 0.7f);

    // A run of five, the game's goal, under the name.
    const int size = 42;
    for (int k = 1; k <= ballColourCount; ++k) {
        const int cx = w / 2 + (k - 3) * 44;
        drawLayer(layer, ballLayer(k, size, 17), cx - size / 2, 101 - size / 2);
    }
    return layer;
}

static Image startButtonLayer()
{
    const int w = startRegion.x2 - startRegion.x1, h = startRegion.y2 - startRegion.y1;
    Image layer = newImage(w, h);
    const float radius = 15;
    fillShape(layer, [&](float x, float y) { return roundRectDistance(x, y, 1, 1, w - 1.0f, h - 1.0f, radius); },
              solid(rgb(0x7A2A0C)));
    fillShape(layer,
              [&](float x, float y) { return roundRectDistance(x, y, 3, 3, w - 3.0f, h - 3.0f, radius - 2); },
              verticalGradient(3, rgb(0xFFA94A), h - 3.0f, rgb(0xE5531F)));
    // Gloss over the upper half.
    fillShape(layer,
              [&](float x, float y) { return roundRectDistance(x, y, 7, 5, w - 7.0f, h * 0.5f, radius - 5); },
              verticalGradient(5, rgb(0xFFFFFF, 0.45f), h * 0.5f, rgb(0xFFFFFF, 0.05f)));

    // A play triangle and the word, centred together.
    const Mask word = textMask(boldFace, 30, "PLAY", 0, 3);
    const int triangle = 22, gap = 12;
    const int total = triangle + gap + word.width;
    const int left = (w - total) / 2;
    const float cy = h / 2.0f;
    const std::vector<Point> play{{left + 0.0f, cy - 12}, {left + float(triangle), cy}, {left + 0.0f, cy + 12}};
    const Mask playMask = shapeMask(w, h, [&](float x, float y) { return polygonDistance(x, y, play) + 1.0f; });
    const int wx = left + triangle + gap, wy = static_cast<int>(cy - word.height / 2.0f);
    // A dark edge keeps the white readable when the game shows the button faded (alpha 155).
    const Colour edge = rgb(0x5A1804);
    fillMask(layer, grown(playMask, 1.6f), 1, 1, solid(edge), 0.9f);
    fillMask(layer, grown(word, 1.6f), wx + 1, wy + 1, solid(edge), 0.9f);
    fillMask(layer, playMask, 0, 0, solid(white));
    fillMask(layer, word, wx, wy, solid(white));
    return layer;
}

// A rounded triangle pointing left (direction -1) or right (+1).
static Image arrowLayer(int direction)
{
    const int w = leftArrowRegion.x2 - leftArrowRegion.x1, h = leftArrowRegion.y2 - leftArrowRegion.y1;
    Image layer = newImage(w, h);
    const float cx = w / 2.0f, cy = h / 2.0f;
    const std::vector<Point> corners{
        {cx + direction * 9.0f, cy}, {cx - direction * 7.0f, cy - 10}, {cx - direction * 7.0f, cy + 10}};
    fillShape(layer, [&](float x, float y) { return polygonDistance(x, y, corners) - 3.5f; }, solid(rgb(0x4A3A48)));
    fillShape(layer, [&](float x, float y) { return polygonDistance(x, y, corners) - 2.0f; },
              verticalGradient(cy - 12, rgb(0xFFFBF2), cy + 12, rgb(0xE8DCC8)));
    return layer;
}

// The corner emblem: five dots in a die's pattern and the name, a faint signature in the corner.
static Image emblemLayer()
{
    const int w = emblemRegion.x2 - emblemRegion.x1, h = emblemRegion.y2 - emblemRegion.y1;
    Image layer = newImage(w, h);
    const float c = h / 2.0f;
    fillShape(layer, [&](float x, float y) {
        float best = circleDistance(x, y, c, c, 5);
        for (int i = 0; i < 4; ++i)
            best = std::min(best, circleDistance(x, y, c + ((i % 2) ? 10.5f : -10.5f), c + ((i / 2) ? 10.5f : -10.5f), 5));
        return best;
    }, solid(white));
    const Mask word = textMask(boldFace, 13, "QUINTET", 0, 1);
    fillMask(layer, word, h + 4, static_cast<int>(c - word.height / 2.0f), solid(white));
    return layer;
}

Image makeTitleImage()
{
    Image title = newImage(titleSize, titleSize);  // alpha 0: the colour key
    const Colour band = bandOnBackground();
    flattenInto(title, artworkLayer(), artworkRegion.x1, artworkRegion.y1, Colour(), 0.5f);
    // Button, arrows and emblem always sit on the lower band: their soft edges are blended onto it.
    flattenInto(title, startButtonLayer(), startRegion.x1, startRegion.y1, band, 0.04f);
    flattenInto(title, arrowLayer(-1), leftArrowRegion.x1, leftArrowRegion.y1, band, 0.04f);
    flattenInto(title, arrowLayer(1), rightArrowRegion.x1, rightArrowRegion.y1, band, 0.04f);
    flattenInto(title, emblemLayer(), emblemRegion.x1, emblemRegion.y1, band, 0.04f);
    return title;
}

Image makeAppIcon()
{
    const int size = 256;
    Image icon = newImage(size, size);
    const Shape tile = [&](float x, float y) { return roundRectDistance(x, y, 8, 8, size - 8.0f, size - 8.0f, 48); };
    const Mask tileMask = shapeMask(size, size, tile);
    fillMask(icon, blurred(tileMask, 4), 0, 4, solid(rgb(0x000000)), 0.4f);
    fillMask(icon, tileMask, 0, 0, nightGradient(8, size - 8.0f));
    // Keep the lights inside the tile.
    Image light = newImage(size, size);
    drawGlow(light, 128, 110, 150, 130, rgb(0x8C7AE6), 0.4f);
    for (size_t i = 0; i < light.pixels.size(); ++i)
        light.pixels[i].a *= tileMask.values[i];
    drawLayer(icon, light, 0, 0);
    fillShape(icon, [&](float x, float y) { return std::fabs(roundRectDistance(x, y, 11, 11, size - 11.0f, size - 11.0f, 45)) - 1.5f; },
              solid(rgb(0x8A7FD0)), 0.6f);
    // Five balls as on a die's face.
    const int ball = 92;
    const int centres[ballColourCount][2] = {{128, 128}, {74, 74}, {182, 74}, {74, 182}, {182, 182}};
    for (int i = 1; i <= ballColourCount; ++i) {
        const int k = i % ballColourCount + 1;  // the centre ball last, over its neighbours' shadows
        drawLayer(icon, ballLayer(k, ball, 39), centres[k - 1][0] - ball / 2, centres[k - 1][1] - ball / 2);
    }
    return icon;
}
