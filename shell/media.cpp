// Checks on the media files before the engine loads them: its loaders trust what they read, so a damaged
// file could crash the game or show garbage instead of being refused.
#include "shell/shell.h"
#include "platform/platform.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
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
    // Rows are padded to four bytes; all of them must be in the file, and so must the data size the header
    // claims (0: the rest of the file), or the engine shows what happened to be in its buffer.
    const std::int64_t pixelBytes = (width * bits / 8 + 3) / 4 * 4 * height;
    if (dataOffset < static_cast<std::int64_t>(sizeof header) || dataOffset + pixelBytes > size)
        return false;
    return dataSize == 0 || (dataSize >= pixelBytes && dataOffset + dataSize <= size);
}

static bool pngFileIntact(const std::string& path)
{
    static const unsigned char start[16] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    std::string bytes;
    // The signature, then the header chunk with a sane size.
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

// The value of name="..." in one tag, or "" when it has none.
static std::string attribute(const std::string& tag, const std::string& name)
{
    const std::size_t at = tag.find(" " + name + "=\"");
    if (at == std::string::npos)
        return std::string();
    const std::size_t begin = at + name.size() + 3, end = tag.find('"', begin);
    return end == std::string::npos ? std::string() : tag.substr(begin, end - begin);
}

bool fontFileIntact(const char* path)
{
    std::string text;
    if (!readWholeFile(path, text))
        return false;
    // Plain text that is a whole font file. The engine's XML reader runs past the end of a file cut inside a
    // tag, and a file that is no font at all is handed to the image loaders.
    for (unsigned char c : text)
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return false;
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    const std::string end = "</font>";
    if (text.compare(0, 5, "<?xml") != 0 || last == std::string::npos || last + 1 < end.size() ||
        text.compare(last + 1 - end.size(), end.size(), end) != 0)
        return false;

    const std::string file(path);
    const std::string folder = file.substr(0, file.rfind('/') + 1);
    bool textures = false;
    for (std::size_t open = text.find('<'); open != std::string::npos; open = text.find('<', open + 1)) {
        const std::size_t close = text.find('>', open);
        if (close == std::string::npos || text.find('<', open + 1) < close)
            return false;
        const std::string tag = text.substr(open, close - open + 1);
        // A character without its c attribute makes the engine read through a null pointer.
        if (tag.compare(0, 3, "<c ") == 0 && tag.find(" c=\"") == std::string::npos)
            return false;
        if (tag.compare(0, 9, "<Texture ") == 0) {
            const std::string picture = attribute(tag, "filename");
            if (picture.empty() || !pngFileIntact(folder + picture))
                return false;
            textures = true;
        }
    }
    return textures;
}
