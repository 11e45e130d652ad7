// Drawing toolkit of the media generator: float RGBA images, anti-aliased shapes by signed distance, masks and file writers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Straight (not premultiplied) alpha, every channel 0..1, sRGB values as stored in the files.
struct Colour {
    float r = 0, g = 0, b = 0, a = 0;
};

struct Image {
    int width = 0, height = 0;
    std::vector<Colour> pixels;
};

// Coverage 0..1 per pixel: the stencil of a shape, a text or a shadow.
struct Mask {
    int width = 0, height = 0;
    std::vector<float> values;
};

struct Point {
    float x, y;
};

// Signed distance in pixels from a point to a shape's edge, negative inside.
// Pixel (x, y) is sampled at its centre (x + 0.5, y + 0.5).
using Shape = std::function<float(float x, float y)>;
// The colour a fill puts at a point.
using Paint = std::function<Colour(float x, float y)>;

const Colour white{1, 1, 1, 1};

Colour rgb(uint32_t hex, float alpha = 1.0f);
Colour mix(Colour a, Colour b, float t);
Colour scaled(Colour c, float factor);  // RGB times factor, clamped
Colour over(Colour top, Colour bottom);
float clamp01(float v);
float smoothstep(float edge0, float edge1, float x);

Image newImage(int width, int height, Colour fill = Colour());
Colour& pixel(Image& image, int x, int y);
Colour pixelAt(const Image& image, int x, int y);  // transparent outside
void blendPixel(Image& image, int x, int y, Colour c, float coverage);

Mask newMask(int width, int height);
float& value(Mask& mask, int x, int y);
float maskAt(const Mask& mask, int x, int y);  // 0 outside

// Shapes.
float circleDistance(float x, float y, float cx, float cy, float radius);
float roundRectDistance(float x, float y, float x0, float y0, float x1, float y1, float radius);
float segmentDistance(float x, float y, Point a, Point b);  // unsigned: distance to the segment
float polygonDistance(float x, float y, const std::vector<Point>& corners);
std::vector<Point> starCorners(float cx, float cy, float outer, float inner, int points, float turn);

// Coverage of a shape, box-filtered over each pixel by 4 x 4 samples.
Mask shapeMask(int width, int height, const Shape& shape);
Paint solid(Colour c);
Paint verticalGradient(float y0, Colour top, float y1, Colour bottom);

// Paints through a mask placed at (ox, oy); opacity scales the coverage.
void fillMask(Image& image, const Mask& mask, int ox, int oy, const Paint& paint, float opacity = 1.0f);
void fillShape(Image& image, const Shape& shape, const Paint& paint, float opacity = 1.0f);
// Draws a layer over an image at (ox, oy).
void drawLayer(Image& image, const Image& layer, int ox, int oy, float opacity = 1.0f);

// Gaussian-like blur (three box passes) and growth by a radius, both keeping the mask's size.
Mask blurred(const Mask& mask, float radius);
Mask grown(const Mask& mask, float radius);
Mask alphaOf(const Image& image);
Mask minus(const Mask& a, const Mask& b);

// Copies a layer into a keyed image at (ox, oy): pixels whose alpha is at least cutoff become opaque,
// blended over the backdrop when its alpha is above 0 (the colour the game will draw the picture on),
// or keeping their own colour when the backdrop is unknown; the rest stay key.
void flattenInto(Image& keyed, const Image& layer, int ox, int oy, Colour backdrop, float cutoff);

// A square image shrunk to size × size: each pixel the area-weighted mean of what it covers, alpha-weighted so
// transparent pixels lend no colour.
Image downscaled(const Image& image, int size);

// Rounds a channel to 8 bits.
uint8_t byteOf(float v);
// A 24-bit BMP: alpha 0 becomes exact magenta; any other pixel that would be exact magenta is nudged off it.
void writeBmp(const std::string& path, const Image& image);
// An 8-bit RGBA PNG, written deterministically (no time stamp).
void writePng(const std::string& path, const Image& image);
// Ends the generator with a message; used for every failure.
[[noreturn]] void fail(const std::string& message);
