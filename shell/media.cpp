// Checks on the media files before the engine loads them: its loaders trust what they read, so a damaged
// file could crash the game or show garbage instead of being refused.
#include "shell/shell.h"
#include "platform/platform.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <regex>
#include <sstream>
#include <string>

// No picture of ours comes near this; a larger header is damage, and would ask the engine for a huge image.
static const std::int64_t largestImageSide = 4096;

static std::uint32_t littleEndian(const unsigned char* p, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

static std::uint32_t bigEndian(const unsigned char* p)
{
    return static_cast<std::uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

// The whole file, if it is a regular one (a FIFO would block the read) and can be read.
static bool readWholeFile(const std::string& path, std::string& bytes)
{
    if (!isRegularFile(path.c_str()))
        return false;
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in)
        return false;
    char chunk[65536];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, in)) > 0;)
        bytes.append(chunk, n);
    const bool read = !std::ferror(in);
    std::fclose(in);
    return read;
}

bool bitmapFileIntact(const char* path)
{
    if (!isRegularFile(path))
        return false;
    std::FILE* in = std::fopen(path, "rb");
    if (!in)
        return false;
    unsigned char header[54];
    const bool headerRead = std::fread(header, 1, sizeof header, in) == sizeof header;
    const long size = std::fseek(in, 0, SEEK_END) == 0 ? std::ftell(in) : -1;
    std::fclose(in);
    if (!headerRead || size < 0 || header[0] != 'B' || header[1] != 'M')
        return false;

    const std::int64_t dataOffset = littleEndian(header + 10, 4);
    const std::int64_t width = static_cast<std::int32_t>(littleEndian(header + 18, 4));
    const std::int64_t height = static_cast<std::int32_t>(littleEndian(header + 22, 4));
    const std::uint32_t bits = littleEndian(header + 28, 2), compression = littleEndian(header + 30, 4);
    const std::int64_t dataSize = littleEndian(header + 34, 4);
    // Only what the engine reads safely: no compression and no palette (it decodes both past its buffers),
    // stored bottom up (a negative height becomes a huge one), of a sane size.
    if (compression != 0 || (bits != 16 && bits != 24 && bits != 32))
        return false;
    if (width < 1 || width > largestImageSide || height < 1 || height > largestImageSide)
        return false;
    // After each row of 16-bit pixels the engine skips twice the padding (counted in pixels, not bytes): with an
    // odd width, which has some, it reads past the data and shows the rows skewed.
    if (bits == 16 && width % 2 != 0)
        return false;
    // Rows are padded to four bytes; all of them must be in the file, and so must the data size the header
    // claims (0: the rest of the file), or the engine shows what happened to be in its buffer.
    const std::int64_t pixelBytes = (width * bits / 8 + 3) / 4 * 4 * height;
    if (dataOffset < static_cast<std::int64_t>(sizeof header) || dataOffset + pixelBytes > size)
        return false;
    return dataSize == 0 || (dataSize >= pixelBytes && dataOffset + dataSize <= size);
}

static bool pngFileIntact(const std::string& path)
{
    // The signature, then the header chunk with a sane size.
    static const unsigned char start[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    std::string bytes;
    if (!readWholeFile(path, bytes) || bytes.size() < 24 || std::memcmp(bytes.data(), start, sizeof start) != 0)
        return false;
    const auto* header = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::uint32_t width = bigEndian(header + 16), height = bigEndian(header + 20);
    if (width < 1 || width > largestImageSide || height < 1 || height > largestImageSide)
        return false;
    // A picture the engine's PNG decoder refuses goes to every other image loader in turn, and then the font file
    // itself is tried as a picture: some of those loaders read past their data. So the decoder must take it.
    io::IReadFile* file = device->getFileSystem()->createAndOpenFile(path.c_str());
    video::IImage* image = nullptr;
    for (u32 i = 0; file && !image && i < driver->getImageLoaderCount(); ++i)
        if (driver->getImageLoader(i)->isALoadableFileExtension("picture.png"))
            image = driver->getImageLoader(i)->loadImage(file);
    if (file)
        file->drop();
    if (image)
        image->drop();
    return image != nullptr;
}

// A font file must be, line by line, what tools/mkmedia writes, with small numbers. The engine reads anything else
// in ways that go wrong: past the end of a file cut inside a tag, through a null pointer for a character without
// its letter, with sums that overflow for long numbers, and a file it cannot take for a bitmap font it tries as a
// picture with every image loader in turn.
bool fontFileIntact(const char* path)
{
    static const std::regex header(R"re(<\?xml version="1\.0"\?>)re"), start(R"re(<font type="bitmap">)re"),
        texture(R"re(<Texture index="0" filename="(\w+\.png)" hasAlpha="(true|false)" />)re"),
        character(R"re(<c c="([ !#-%'-;=?-~]|&(quot|amp|lt|gt|apos);)" r="\d{1,4}, \d{1,4}, \d{1,4}, \d{1,4}")re"
                  R"re(( o="-?\d{1,3}")?( u="-?\d{1,3}")? />)re");
    std::string text;
    if (!readWholeFile(path, text))
        return false;
    const std::string file(path), folder = file.substr(0, file.rfind('/') + 1);
    std::istringstream lines(text);
    int read = 0;  // lines that were not blank
    for (std::string line; std::getline(lines, line);) {
        const std::size_t first = line.find_first_not_of(" \t\r"), last = line.find_last_not_of(" \t\r");
        if (first == std::string::npos)
            continue;
        line = line.substr(first, last + 1 - first);
        std::smatch picture;
        bool fits;
        if (read == 0)
            fits = std::regex_match(line, header);
        else if (read == 1)
            fits = std::regex_match(line, start);
        else if (read == 2)
            fits = std::regex_match(line, picture, texture) && pngFileIntact(folder + picture[1].str());
        else if (line == "</font>")
            return read > 3 && (lines >> std::ws).eof();  // at least one character, and nothing after the end
        else
            fits = std::regex_match(line, character);
        if (!fits)
            return false;
        ++read;
    }
    return false;
}
