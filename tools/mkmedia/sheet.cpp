// The sprite sheet media/exp.bmp: five balls, the removal burst, the game-over banner, tooltips and button icons.
#include "tools/mkmedia/font.h"
#include "tools/mkmedia/media.h"

#include <cmath>


// The mark's outline in units of the ball's radius, centred on the ball.
static float markDistance(BallMark mark, float x, float y, float c, float r)
{
    const float u = r / 27.5f;  // the marks were drawn for the 64-pixel sprite's radius
    switch (mark) {
    case markDot:
        return circleDistance(x, y, c, c, 6.0f * u);
    case markRing:
        return std::fabs(circleDistance(x, y, c, c, 7.6f * u)) - 2.5f * u;
    case markBar:
        return roundRectDistance(x, y, c - 11 * u, c - 3.3f * u, c + 11 * u, c + 3.3f * u, 2 * u);
    case markCross:
        return std::min(roundRectDistance(x, y, c - 10.5f * u, c - 3.2f * u, c + 10.5f * u, c + 3.2f * u, 1.5f * u),
                        roundRectDistance(x, y, c - 3.2f * u, c - 10.5f * u, c + 3.2f * u, c + 10.5f * u, 1.5f * u));
    case markStar:
        return polygonDistance(x, y, starCorners(c, c + 0.6f * u, 11.5f * u, 5.0f * u, 5, 0));
    }
    return 1;
}

Image ballLayer(int colour, int size, float radius)
{
    const Colour base = rgb(ballColours[colour - 1]);
    const float c = size / 2.0f;
    Image layer = newImage(size, size);

    // A soft contact shadow down and to the right, away from the light.
    const float drop = radius * 0.07f;
    const Mask shadow = blurred(shapeMask(size, size, [&](float x, float y) {
        return circleDistance(x, y, c + drop * 0.6f, c + drop, radius * 0.97f);
    }), radius * 0.07f);
    fillMask(layer, shadow, 0, 0, solid(rgb(0x1A1010)), 0.55f);

    // The body: a lit sphere with a deep shaded side, a bounce light along the lower rim, a sharp
    // highlight spot and a dark outline that keeps the edge solid when the sprite is shrunk.
    const float outline = std::max(1.2f, radius * 0.055f);
    const Colour deep = mix(scaled(base, 0.40f), rgb(0x201040), 0.18f);
    const Colour lit = mix(base, white, 0.28f);
    const Colour edge = mix(scaled(base, 0.22f), rgb(0x100808), 0.35f);
    const float lx = -0.48f, ly = -0.62f, lz = 0.62f;  // light from the upper left, in front
    // The glint sits out towards the upper left rim, clear of the mark in the middle.
    const float hx = -0.40f, hy = -0.48f, hz = std::sqrt(1 - hx * hx - hy * hy);
    const Paint body = [=](float x, float y) {
        const float inner = radius - outline;
        const float dx = (x - c) / inner, dy = (y - c) / inner;
        const float d2 = std::min(dx * dx + dy * dy, 1.0f);
        const float nz = std::sqrt(1 - d2);
        const float diffuse = std::max(0.0f, dx * lx + dy * ly + nz * lz);
        Colour col = diffuse < 0.55f ? mix(deep, base, smoothstep(0.0f, 0.55f, diffuse))
                                     : mix(base, lit, smoothstep(0.55f, 1.0f, diffuse));
        const float bounce = smoothstep(0.2f, 0.95f, dy) * std::pow(1 - nz, 1.6f);
        col = mix(col, mix(base, white, 0.22f), 0.75f * bounce);
        const float shine = std::max(0.0f, dx * hx + dy * hy + nz * hz);
        col = mix(col, white, clamp01(0.95f * std::pow(shine, 40.0f) + 0.2f * std::pow(shine, 6.0f)));
        const float rim = smoothstep(inner - 0.6f, inner + 0.6f, std::hypot(x - c, y - c));
        return mix(col, edge, rim);
    };
    fillMask(layer, shapeMask(size, size, [&](float x, float y) { return circleDistance(x, y, c, c, radius); }), 0, 0,
             body);

    // The mark: light on the dark balls, dark on the light one, edged with a thin contrasting line
    // so it stays crisp when the sprite is shrunk.
    const BallMark mark = ballMarks[colour - 1];
    const bool lightBall = 0.3f * base.r + 0.59f * base.g + 0.11f * base.b > 0.6f;
    const Colour face = lightBall ? mix(base, rgb(0x5A3A00), 0.62f) : mix(base, white, 0.8f);
    const Colour line = lightBall ? mix(base, white, 0.55f) : scaled(base, 0.45f);
    const Mask markMask = shapeMask(size, size, [&](float x, float y) { return markDistance(mark, x, y, c, radius); });
    fillMask(layer, minus(grown(markMask, std::max(0.8f, radius * 0.035f)), markMask), 0, 0, solid(line), 0.55f);
    fillMask(layer, markMask, 0, 0, solid(face), 0.94f);
    return layer;
}

// One frame of the burst, drawn by the game at alpha 0x4D over the ball: progress 0 is the first
// frame shown (frame 5), 1 the last (frame 1). Cracks open, the core flares, shards fly off.
static Image removalLayer(int frame)
{
    const float p = (5 - frame) / 4.0f;
    const float c = spriteSize / 2.0f, r = 27.5f;
    Image layer = newImage(spriteSize, spriteSize);
    const float pi = 3.14159265f;
    const int crackCount = 6;

    // The bright core: a star that grows into a flash over the whole ball.
    const float outer = r * (0.7f + 0.42f * p), inner = outer * (0.5f + 0.3f * p);
    const Mask core = shapeMask(spriteSize, spriteSize, [&](float x, float y) {
        return polygonDistance(x, y, starCorners(c, c, outer, inner, 8, 0.2f * frame));
    });
    fillMask(layer, core, 0, 0, solid(rgb(0xFFFBE8)));

    // Dark cracks from the centre, longer each frame, each a zigzag of three strokes.
    if (frame >= 2) {
        const float reach = r * (0.65f + 0.4f * p);
        const Mask cracks = shapeMask(spriteSize, spriteSize, [&](float x, float y) {
            float best = 1e9f;
            for (int i = 0; i < crackCount; ++i) {
                const float a = 0.4f + 2 * pi * i / crackCount + 0.3f * std::sin(i * 2.1f);
                const float length = reach * (0.75f + 0.25f * std::sin(i * 1.7f + 0.5f));
                Point from{c, c};
                for (int step = 0; step < 3; ++step) {
                    const float turn = a + ((i + step) % 2 ? 0.32f : -0.32f);
                    const Point to{from.x + std::sin(turn) * length / 3, from.y - std::cos(turn) * length / 3};
                    best = std::min(best, segmentDistance(x, y, from, to));
                    from = to;
                }
            }
            return best - 0.9f;
        });
        fillMask(layer, cracks, 0, 0, solid(rgb(0x140A06)));
    }

    // Shards flying out past the rim in the later frames, each a bright wedge with a dark edge.
    if (frame <= 3) {
        // Kept inside the sprite: the game scales it to the whole cell, so a clipped shard would show.
        const float distance = r * (0.72f + 0.36f * (p - 0.5f));
        const float size = 6.5f - 3.0f * (p - 0.5f);
        const Shape shards = [&](float x, float y) {
            float best = 1e9f;
            for (int i = 0; i < 8; ++i) {
                const float a = 2 * pi * (i + 0.5f) / 8 + 0.3f * p;
                const float sx = c + std::sin(a) * distance, sy = c - std::cos(a) * distance;
                const float tx = std::sin(a), ty = -std::cos(a);  // outward
                const std::vector<Point> wedge{
                    {sx + tx * size, sy + ty * size},
                    {sx - tx * size * 0.6f + ty * size * 0.7f, sy - ty * size * 0.6f - tx * size * 0.7f},
                    {sx - tx * size * 0.6f - ty * size * 0.7f, sy - ty * size * 0.6f + tx * size * 0.7f}};
                best = std::min(best, polygonDistance(x, y, wedge));
            }
            return best;
        };
        const Mask shardMask = shapeMask(spriteSize, spriteSize, shards);
        fillMask(layer, grown(shardMask, 1.0f), 0, 0, solid(rgb(0x140A06)));
        fillMask(layer, shardMask, 0, 0, solid(white));
    }
    return layer;
}

// A plate with a bevelled rim: the shape of the banner and the tooltips.
static void drawPlate(Image& layer, float radius, Colour top, Colour bottom, Colour rim)
{
    const float w = static_cast<float>(layer.width), h = static_cast<float>(layer.height);
    fillShape(layer, [&](float x, float y) { return roundRectDistance(x, y, 0, 0, w, h, radius); }, solid(rim));
    fillShape(layer, [&](float x, float y) { return roundRectDistance(x, y, 1, 1, w - 1, h - 1, radius - 1); },
              verticalGradient(1, top, h - 1, bottom));
    // A thin highlight along the top edge.
    fillShape(layer, [&](float x, float y) { return roundRectDistance(x, y, 2, 1, w - 2, 2, 0.5f); },
              solid(rgb(0xFFFFFF, 0.35f)));
}

// Centres a word on a layer, with a dark drop shadow under it.
static void drawWord(Image& layer, FT_Face face, int pixelSize, const char* word, Colour colour, int tracking,
                     float shadowOpacity)
{
    const Mask text = textMask(face, pixelSize, word, 0, tracking);
    const int ox = (layer.width - text.width) / 2, oy = (layer.height - text.height) / 2;
    fillMask(layer, text, ox + 1, oy + 1, solid(rgb(0x000000)), shadowOpacity);
    fillMask(layer, text, ox, oy, solid(colour));
}

static Image bannerLayer()
{
    Image layer = newImage(bannerRegion.x2 - bannerRegion.x1, bannerRegion.y2 - bannerRegion.y1);
    drawPlate(layer, 5, rgb(0xC7283A), rgb(0x7A1020), rgb(0x3A0610));
    drawWord(layer, boldFace, 17, "GAME OVER", rgb(0xFFF6E0), 2, 0.6f);
    return layer;
}

static Image tooltipLayer(const char* word)
{
    Image layer = newImage(overlayTipRegion.x2 - overlayTipRegion.x1, overlayTipRegion.y2 - overlayTipRegion.y1);
    drawPlate(layer, 4, rgb(0x3C3644), rgb(0x24202A), rgb(0x0E0C10));
    drawWord(layer, boldFace, 13, word, rgb(0xFFFFFF), 1, 0.7f);
    return layer;
}

// Icons are white on transparency with a dark outline, so they read on the dark idle button and
// on the light hovered one; the game tints them to alpha 0x7B or 0xFF.
static Image iconLayer(const Shape& symbol)
{
    Image layer = newImage(overlayIconRegion.x2 - overlayIconRegion.x1, overlayIconRegion.y2 - overlayIconRegion.y1);
    const Mask shape = shapeMask(layer.width, layer.height, symbol);
    fillMask(layer, grown(shape, 1.2f), 0, 0, solid(rgb(0x1C1820)));
    fillMask(layer, shape, 0, 0, solid(white));
    return layer;
}

// The overlay button: a small screen crossed by scan rows.
static Image overlayIconLayer()
{
    return iconLayer([](float x, float y) {
        const float frame = std::fabs(roundRectDistance(x, y, 14, 3, 46, 23, 3.5f)) - 1.2f;
        float rows = 1e9f;
        for (int i = 0; i < 3; ++i)
            rows = std::min(rows, roundRectDistance(x, y, 18.5f, 7.5f + 4.5f * i, 41.5f, 9.5f + 4.5f * i, 0.5f));
        return std::min(frame, rows);
    });
}

// The back button: an arrow that turns back to the left.
static Image backIconLayer()
{
    return iconLayer([](float x, float y) {
        const std::vector<Point> head{{13, 10.5f}, {24, 2.5f}, {24, 18.5f}};
        const float shaft = segmentDistance(x, y, Point{22, 10.5f}, Point{37, 10.5f}) - 2.5f;
        // The bend: the right half of a ring, down to a short foot back to the left.
        const float ring = std::fabs(circleDistance(x, y, 37, 16, 5.5f)) - 2.5f;
        const float bend = x >= 37 ? ring : 1e9f;
        const float foot = segmentDistance(x, y, Point{31, 21.5f}, Point{37, 21.5f}) - 2.5f;
        return std::min({polygonDistance(x, y, head), shaft, bend, foot});
    });
}

Image makeSpriteSheet()
{
    Image sheet = newImage(sheetSize, sheetSize);  // alpha 0 everywhere: the colour key
    const Colour cell = rgb(cellColour);
    const Colour unknown = Colour();
    for (int colour = 1; colour <= ballColourCount; ++colour) {
        const ImageRegion r = ballRegion(colour);
        // Balls are only ever drawn on a cell, so their soft edge and shadow are blended onto it here.
        flattenInto(sheet, ballLayer(colour, spriteSize, 27.5f), r.x1, r.y1, cell, 0.04f);
    }
    for (int frame = 1; frame <= 5; ++frame) {
        const ImageRegion r = removalRegion(frame);
        flattenInto(sheet, removalLayer(frame), r.x1, r.y1, unknown, 0.5f);
    }
    flattenInto(sheet, bannerLayer(), bannerRegion.x1, bannerRegion.y1, unknown, 0.5f);
    flattenInto(sheet, tooltipLayer("OVERLAY"), overlayTipRegion.x1, overlayTipRegion.y1, unknown, 0.5f);
    flattenInto(sheet, tooltipLayer("BACK"), backTipRegion.x1, backTipRegion.y1, unknown, 0.5f);
    flattenInto(sheet, overlayIconLayer(), overlayIconRegion.x1, overlayIconRegion.y1, unknown, 0.5f);
    flattenInto(sheet, backIconLayer(), backIconRegion.x1, backIconRegion.y1, unknown, 0.5f);
    return sheet;
}
