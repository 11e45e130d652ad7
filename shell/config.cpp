// config.cfg and the size table: reads or creates the record and derives the window size from its first byte.
#include "shell/shell.h"

#include <cstdio>
#include <cstring>

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

void readConfig()
{
    screenWidth = 1024;
    screenHeight = 768;

    ConfigRecord record;
    std::memset(record.bytes, 0, sizeof record.bytes);

    bool opened = false;
    if (FILE* in = std::fopen(configFileName, "rb")) {
        // A short or empty file leaves the rest of the record as it was: byte 0 stays 0.
        size_t got = std::fread(record.bytes, 1, configRecordSize, in);
        (void)got;
        // Some systems open a folder for reading; it is no config file all the same.
        opened = !std::ferror(in);
        std::fclose(in);
    }
    if (!opened) {
        record = configRecordFor(1);
        sizeMode = 1;
        if (FILE* out = std::fopen(configFileName, "wb")) {
            std::fwrite(record.bytes, 1, configRecordSize, out);
            std::fclose(out);
        } else {
            // A read-only folder (or a folder in the file's place): play on at size S, just without the file.
            std::printf("could not write config.cfg, using size S\n");
        }
    }

    const int value = record.bytes[0] | record.bytes[1] << 8 | record.bytes[2] << 16 | record.bytes[3] << 24;
    std::printf("w cfg = %c    %d    ", value, value);
    std::printf("icfg= %c  \n", record.bytes[0]);
    std::fflush(stdout);

    const unsigned char digit = record.bytes[0];
    if (digit >= '0' && digit <= '4') {
        sizeMode = digit - '0';
        screenWidth = screenHeight = windowSideBySize[sizeMode];
    }
    appliedSizeMode = sizeMode;
    scanRowOverlay = false;
}
