// Drawing toolkit of the media generator: colours, shapes, masks, layers and the BMP and PNG writers.
#include "tools/mkmedia/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <png.h>

Colour rgb(uint32_t hex, float alpha)
{
    return Colour{((hex >> 16) & 0xFF) / 255.0f, ((hex >> 8) & 0xFF) / 255.0f, (hex & 0xFF) / 255.0f, alpha};
}

Colour mix(Colour a, Colour b, float t)
{
    return Colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Colour scaled(Colour c, float factor)
{
    return Colour{clamp01(c.r * factor), clamp01(c.g * factor), clamp01(c.b * factor), c.a};
}

Colour over(Colour top, Colour bottom)
{
    const float a = top.a + bottom.a * (1 - top.a);
    if (a <= 0)
        return Colour();
    const float wb = bottom.a * (1 - top.a);
    return Colour{(top.r * top.a + bottom.r * wb) / a, (top.g * top.a + bottom.g * wb) / a,
                  (top.b * top.a + bottom.b * wb) / a, a};
}

float clamp01(float v)
{
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

float smoothstep(float edge0, float edge1, float x)
{
    const float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

Image newImage(int width, int height, Colour fill)
{
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<size_t>(width) * height, fill);
    return image;
}

Colour& pixel(Image& image, int x, int y)
{
    return image.pixels[static_cast<size_t>(y) * image.width + x];
}

Colour pixelAt(const Image& image, int x, int y)
{
    if (x < 0 || y < 0 || x >= image.width || y >= image.height)
        return Colour();
    return image.pixels[static_cast<size_t>(y) * image.width + x];
}

void blendPixel(Image& image, int x, int y, Colour c, float coverage)
{
    if (x < 0 || y < 0 || x >= image.width || y >= image.height || coverage <= 0)
        return;
    c.a *= clamp01(coverage);
    Colour& p = pixel(image, x, y);
    p = over(c, p);
}

Mask newMask(int width, int height)
{
    Mask mask;
    mask.width = width;
    mask.height = height;
    mask.values.assign(static_cast<size_t>(width) * height, 0.0f);
    return mask;
}

float& value(Mask& mask, int x, int y)
{
    return mask.values[static_cast<size_t>(y) * mask.width + x];
}

float maskAt(const Mask& mask, int x, int y)
{
    if (x < 0 || y < 0 || x >= mask.width || y >= mask.height)
        return 0;
    return mask.values[static_cast<size_t>(y) * mask.width + x];
}

float circleDistance(float x, float y, float cx, float cy, float radius)
{
    return std::hypot(x - cx, y - cy) - radius;
}

float roundRectDistance(float x, float y, float x0, float y0, float x1, float y1, float radius)
{
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const float hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
    const float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

float segmentDistance(float x, float y, Point a, Point b)
{
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float length2 = dx * dx + dy * dy;
    const float t = length2 > 0 ? clamp01(((x - a.x) * dx + (y - a.y) * dy) / length2) : 0;
    return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy));
}

float polygonDistance(float x, float y, const std::vector<Point>& corners)
{
    float best = 1e9f;
    bool inside = false;
    for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const Point a = corners[j], b = corners[i];
        best = std::min(best, segmentDistance(x, y, a, b));
        if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y))
            inside = !inside;
    }
    return inside ? -best : best;
}

std::vector<Point> starCorners(float cx, float cy, float outer, float inner, int points, float turn)
{
    std::vector<Point> corners;
    const float pi = 3.14159265f;
    for (int i = 0; i < points * 2; ++i) {
        const float angle = turn + pi * i / points;
        const float r = (i % 2) ? inner : outer;
        corners.push_back(Point{cx + r * std::sin(angle), cy - r * std::cos(angle)});
    }
    return corners;
}

Mask shapeMask(int width, int height, const Shape& shape)
{
    Mask mask = newMask(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            // A point far from the edge needs no samples.
            const float d = shape(x + 0.5f, y + 0.5f);
            if (d > 1.0f)
                continue;
            if (d < -1.0f) {
                value(mask, x, y) = 1;
                continue;
            }
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    hits += shape(x + (sx + 0.5f) / 4, y + (sy + 0.5f) / 4) <= 0;
            value(mask, x, y) = hits / 16.0f;
        }
    return mask;
}

Paint solid(Colour c)
{
    return [c](float, float) { return c; };
}

Paint verticalGradient(float y0, Colour top, float y1, Colour bottom)
{
    return [=](float, float y) { return mix(top, bottom, clamp01((y - y0) / (y1 - y0))); };
}

void fillMask(Image& image, const Mask& mask, int ox, int oy, const Paint& paint, float opacity)
{
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            const float m = maskAt(mask, x, y) * opacity;
            if (m > 0)
                blendPixel(image, ox + x, oy + y, paint(ox + x + 0.5f, oy + y + 0.5f), m);
        }
}

void fillShape(Image& image, const Shape& shape, const Paint& paint, float opacity)
{
    fillMask(image, shapeMask(image.width, image.height, shape), 0, 0, paint, opacity);
}

void drawLayer(Image& image, const Image& layer, int ox, int oy, float opacity)
{
    for (int y = 0; y < layer.height; ++y)
        for (int x = 0; x < layer.width; ++x)
            blendPixel(image, ox + x, oy + y, pixelAt(layer, x, y), opacity);
}

// One box pass along rows (step 1) or columns (step width).
static void boxPass(std::vector<float>& v, int count, int lines, int step, int lineStep, int k)
{
    std::vector<float> line(count);
    for (int l = 0; l < lines; ++l) {
        for (int i = 0; i < count; ++i)
            line[i] = v[static_cast<size_t>(l) * lineStep + static_cast<size_t>(i) * step];
        for (int i = 0; i < count; ++i) {
            float sum = 0;
            for (int j = i - k; j <= i + k; ++j)
                sum += (j >= 0 && j < count) ? line[j] : 0;
            v[static_cast<size_t>(l) * lineStep + static_cast<size_t>(i) * step] = sum / (2 * k + 1);
        }
    }
}

Mask blurred(const Mask& mask, float radius)
{
    // Three box passes of half-width k have variance k(k+1).
    const int k = std::max(1, static_cast<int>(std::lround((-1 + std::sqrt(1 + 4 * radius * radius)) / 2)));
    Mask out = mask;
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(out.values, out.width, out.height, 1, out.width, k);
        boxPass(out.values, out.height, out.width, out.width, 1, k);
    }
    return out;
}

Mask grown(const Mask& mask, float radius)
{
    Mask out = newMask(mask.width, mask.height);
    const int reach = static_cast<int>(std::ceil(radius));
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            float best = 0;
            for (int dy = -reach; dy <= reach; ++dy)
                for (int dx = -reach; dx <= reach; ++dx) {
                    const float weight = clamp01(radius + 0.5f - std::hypot(float(dx), float(dy)));
                    best = std::max(best, maskAt(mask, x + dx, y + dy) * weight);
                }
            value(out, x, y) = best;
        }
    return out;
}

Mask alphaOf(const Image& image)
{
    Mask mask = newMask(image.width, image.height);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        mask.values[i] = image.pixels[i].a;
    return mask;
}

Mask minus(const Mask& a, const Mask& b)
{
    Mask out = a;
    for (size_t i = 0; i < out.values.size(); ++i)
        out.values[i] = clamp01(a.values[i] - b.values[i]);
    return out;
}

void flattenInto(Image& keyed, const Image& layer, int ox, int oy, Colour backdrop, float cutoff)
{
    for (int y = 0; y < layer.height; ++y)
        for (int x = 0; x < layer.width; ++x) {
            const Colour p = pixelAt(layer, x, y);
            if (p.a < cutoff)
                continue;
            Colour c = backdrop.a > 0 ? over(p, backdrop) : p;
            c.a = 1;
            pixel(keyed, ox + x, oy + y) = c;
        }
}

Image downscaled(const Image& image, int size)
{
    Image small = newImage(size, size);
    const float scale = static_cast<float>(image.width) / size;  // source pixels per target pixel
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            float r = 0, g = 0, b = 0, a = 0;
            const float x0 = x * scale, x1 = x0 + scale, y0 = y * scale, y1 = y0 + scale;
            for (int sy = static_cast<int>(y0); sy < y1 && sy < image.height; ++sy)
                for (int sx = static_cast<int>(x0); sx < x1 && sx < image.width; ++sx) {
                    // How much of source pixel (sx, sy) lies inside the target pixel.
                    const float w = (std::min(x1, sx + 1.0f) - std::max(x0, static_cast<float>(sx))) *
                                    (std::min(y1, sy + 1.0f) - std::max(y0, static_cast<float>(sy)));
                    const Colour c = pixelAt(image, sx, sy);
                    r += c.r * c.a * w;
                    g += c.g * c.a * w;
                    b += c.b * c.a * w;
                    a += c.a * w;
                }
            Colour& out = pixel(small, x, y);
            out.a = a / (scale * scale);
            if (a > 0)
                out = {r / a, g / a, b / a, out.a};
        }
    return small;
}

uint8_t byteOf(float v)
{
    return static_cast<uint8_t>(std::lround(clamp01(v) * 255));
}

void writeBmp(const std::string& path, const Image& image)
{
    const int rowBytes = (image.width * 3 + 3) & ~3;
    const uint32_t dataSize = static_cast<uint32_t>(rowBytes) * image.height;
    std::vector<uint8_t> file(54 + dataSize, 0);
    auto put16 = [&](size_t at, uint32_t v) { file[at] = v & 0xFF; file[at + 1] = (v >> 8) & 0xFF; };
    auto put32 = [&](size_t at, uint32_t v) { put16(at, v & 0xFFFF); put16(at + 2, v >> 16); };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);           // pixel data offset
    put32(14, 40);           // BITMAPINFOHEADER
    put32(18, static_cast<uint32_t>(image.width));
    put32(22, static_cast<uint32_t>(image.height));  // positive: rows stored bottom-up
    put16(26, 1);            // planes
    put16(28, 24);           // bits per pixel
    put32(34, dataSize);
    put32(38, 2835);         // 72 dpi
    put32(42, 2835);
    for (int y = 0; y < image.height; ++y) {
        uint8_t* row = &file[54 + static_cast<size_t>(image.height - 1 - y) * rowBytes];
        for (int x = 0; x < image.width; ++x) {
            const Colour c = pixelAt(image, x, y);
            uint8_t r = 0xFF, g = 0x00, b = 0xFF;
            if (c.a > 0) {
                r = byteOf(c.r);
                g = byteOf(c.g);
                b = byteOf(c.b);
                if (r == 0xFF && g == 0x00 && b == 0xFF)
                    g = 0x01;  // art never takes the key colour
            }
            row[x * 3] = b;
            row[x * 3 + 1] = g;
            row[x * 3 + 2] = r;
        }
    }
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out || std::fwrite(file.data(), 1, file.size(), out) != file.size() || std::fclose(out) != 0)
        fail("cannot write " + path);
}

void writePng(const std::string& path, const Image& image)
{
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        fail("cannot write " + path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png)))
        fail("libpng failed on " + path);
    png_init_io(png, out);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<uint8_t> row(static_cast<size_t>(image.width) * 4);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Colour c = pixelAt(image, x, y);
            row[x * 4] = byteOf(c.r);
            row[x * 4 + 1] = byteOf(c.g);
            row[x * 4 + 2] = byteOf(c.b);
            row[x * 4 + 3] = byteOf(c.a);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(out) != 0)
        fail("cannot write " + path);
}

void fail(const std::string& message)
{
    std::fprintf(stderr, "mkmedia: %s\n", message.c_str());
    std::exit(1);
}
