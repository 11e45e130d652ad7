// config.cfg and the size table: reads or creates the record, stores it whole, derives the window size from it.
#include "shell/shell.h"
#include "platform/platform.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

// The record is written here first and only then put in config.cfg's place.
static const char configTempName[] = "config.cfg.tmp";

bool sizeModeFits(int mode, int limit)
{
    return mode == 0 || limit == 0 || windowSideBySize[mode] <= limit;
}

int fittingSizeMode(int mode, int limit)
{
    while (!sizeModeFits(mode, limit))
        --mode;
    return mode;
}

int nextFittingSizeMode(int mode, int step, int limit)
{
    do
        mode = (mode + step + sizeModeCount) % sizeModeCount;
    while (!sizeModeFits(mode, limit));
    return mode;
}

const char* fontFileFor(int mode)
{
    return (mode == 3 || mode == 4) ? "media/humn28.xml" : "media/Swiss12.xml";
}

ConfigRecord configRecordFor(int mode)
{
    ConfigRecord record;
    std::memset(record.bytes, 0, sizeof record.bytes);
    // Stored as a little-endian 32-bit integer holding the digit's character code.
    record.bytes[0] = static_cast<unsigned char>('0' + mode);
    return record;
}

bool writeConfigRecord(const ConfigRecord& record)
{
    // A full disk or a crash must leave the old config.cfg whole, never empty or short: so the new record
    // replaces it only once it is completely on the disk.
    std::FILE* out = std::fopen(configTempName, "wb");
    if (!out)
        return false;
    bool written = std::fwrite(record.bytes, 1, configRecordSize, out) == static_cast<size_t>(configRecordSize);
    written = written && std::fflush(out) == 0 && syncFile(out);
    written = std::fclose(out) == 0 && written;
    if (written && replaceFile(configTempName, configFileName))
        return true;
    std::remove(configTempName);
    return false;
}

// Reads config.cfg into record; false when it is no regular file or cannot be read.
static bool readConfigRecord(ConfigRecord& record)
{
    // The type before any open: opening a FIFO would hold start-up until something writes into it.
    if (!isRegularFile(configFileName))
        return false;
    std::FILE* in = std::fopen(configFileName, "rb");
    if (!in)
        return false;
    // A short or empty file leaves the rest of the record as it was: byte 0 stays 0.
    size_t got = std::fread(record.bytes, 1, configRecordSize, in);
    (void)got;
    const bool read = !std::ferror(in);
    std::fclose(in);
    return read;
}

void readConfig()
{
    screenWidth = 1024;
    screenHeight = 768;

    ConfigRecord record;
    std::memset(record.bytes, 0, sizeof record.bytes);

    if (!pathExists(configFileName)) {
        record = configRecordFor(1);
        sizeMode = 1;
        // A read-only folder or a full disk: play on at size S, just without the file.
        if (!writeConfigRecord(record))
            std::printf("could not write config.cfg, using size S\n");
    } else if (!readConfigRecord(record)) {
        // Whatever stands there (a folder, a FIFO, a device, a file we may not read, a dangling link) is the
        // player's: it is left alone.
        record = configRecordFor(1);
        sizeMode = 1;
        std::printf("could not read config.cfg, using size S\n");
    }

    const std::uint32_t value = record.bytes[0] | record.bytes[1] << 8 | record.bytes[2] << 16 |
                                static_cast<std::uint32_t>(record.bytes[3]) << 24;
    // Byte 0 goes to the terminal only when printable: a NUL or an escape sequence from the file must not.
    const unsigned char digit = record.bytes[0];
    const char shown = digit >= 0x20 && digit <= 0x7E ? static_cast<char>(digit) : '?';
    std::printf("w cfg = %c    %d    ", shown, static_cast<int>(value));
    std::printf("icfg= %c  \n", shown);
    std::fflush(stdout);

    if (digit >= '0' && digit <= '4') {
        sizeMode = fittingSizeMode(digit - '0', windowSideLimit);
        // The stored choice stays in config.cfg: on a larger screen the same file opens it again.
        if (sizeMode != digit - '0')
            std::printf("%ls does not fit this screen, using size %ls\n", sizeModeNames[digit - '0'],
                        sizeModeNames[sizeMode]);
        screenWidth = screenHeight = windowSideBySize[sizeMode];
        std::fflush(stdout);
    }
    appliedSizeMode = sizeMode;
    scanRowOverlay = false;
}
