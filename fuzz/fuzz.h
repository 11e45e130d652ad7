// What the fuzz targets share: a scratch run folder with a copy of the media, the input written into it, and the
// game started there on the null driver with both screens ticked.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "shell/shell.h"

namespace fuzz {

inline std::string scratch;

// Once per process: a fresh folder to run in, gone at exit; with a copy of the font the smaller sizes use when
// asked. The pictures are left out unless fuzzed: decoding the real ones would take most of every run.
inline void enterScratchFolder(int argc, char** argv, bool withFont)
{
    // libFuzzer opens the inputs named on its command line only after this.
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] != '-')
            argv[i] = strdup(std::filesystem::absolute(argv[i]).c_str());
    char pattern[] = "/tmp/quintet-fuzz.XXXXXX";
    if (!mkdtemp(pattern) || chdir(pattern) != 0)
        std::abort();
    scratch = pattern;
    std::atexit([] { std::filesystem::remove_all(scratch); });
    if (!withFont)
        return;
    std::filesystem::create_directory("media");
    for (const char* file : {"Swiss12.xml", "Swiss12_0.png"})
        std::filesystem::copy_file(std::string(MEDIA_DIR "/") + file, std::string("media/") + file);
    // The engine logs every device and every load: on a terminal that would be most of the time spent.
    if (!std::freopen("/dev/null", "w", stdout))
        std::abort();
}

inline void writeFile(const std::string& path, const std::string& bytes)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() || std::fclose(out) != 0)
        std::abort();
}

inline std::string readFile(const std::string& path)
{
    std::string bytes;
    std::FILE* in = std::fopen(path.c_str(), "rb");
    char chunk[65536];
    for (std::size_t n; in && (n = std::fread(chunk, 1, sizeof chunk, in)) > 0;)
        bytes.append(chunk, n);
    if (in)
        std::fclose(in);
    return bytes;
}

// A failed check is a crash to libFuzzer, which keeps the input that made it.
inline void require(bool kept, const char* fault)
{
    if (!kept) {
        std::fprintf(stderr, "fault: %s\n", fault);
        std::abort();
    }
}

// The start-up steps after the config read on the null driver, the font as the game loads it but without ending
// the process when it is refused; then a tick of the title screen at every size (each shows its own size name and
// credit) and two of play, the second with every digit in the score.
inline void startAndTick(int mode)
{
    resetGameState();
    sizeMode = appliedSizeMode = mode;
    screenWidth = screenHeight = windowSideBySize[mode];
    createVideoDeviceWith(video::EDT_NULL);
    uiFont = openFont(fontFileFor(mode));
    if (uiFont) {
        guiEnv->getSkin()->setFont(uiFont);
        loadTextures();
        createLabels();
        setStartCounters();
        device->getTimer()->stop();
        for (int shown = 0; shown < sizeModeCount; ++shown) {
            sizeMode = appliedSizeMode = shown;
            runTick();
        }
        activeScreen = 1;
        playState = playNewPending;
        runTick();
        score = 1234567890;
        runTick();
    }
    device->drop();
    forgetShownPicture();
}

} // namespace fuzz
