// What the fuzz targets share: libFuzzer's set-up in a scratch run folder, files read and written whole, and the game
// started there on the null driver with both screens ticked.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "shell/shell.h"

namespace fuzz {

inline std::string scratch;

inline std::string readFile(const char* path)
{
    return std::string(std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {});
}

inline void writeFile(const char* path, const std::uint8_t* data, std::size_t size)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), size);
}

// A failed check is a crash to libFuzzer, which keeps the input that made it.
inline void require(bool kept, const char* fault)
{
    if (!kept)
        std::fprintf(stderr, "fault: %s\n", fault), std::abort();
}

// The start-up steps after the config read up to the font on the null driver, the font as the game loads it but
// without ending the process when it is refused; false then. The engine's log goes nowhere.
inline bool startWithFont(int mode)
{
    if (!std::freopen("/dev/null", "w", stdout))
        std::abort();
    resetGameState();
    scanRowTexture = canvasTexture = nullptr;  // the last device's, if any
    sizeMode = appliedSizeMode = mode;
    screenWidth = screenHeight = windowSideBySize[mode];
    createVideoDeviceWith(video::EDT_NULL);
    uiFont = openFont(fontFileFor(mode));
    if (uiFont)
        guiEnv->getSkin()->setFont(uiFont);
    return uiFont != nullptr;
}

// The rest of start-up, then a tick of the title screen at every size (each shows its own size name and credit)
// and two of play, the second with every digit in the score.
inline void startAndTick()
{
    const int mode = sizeMode;
    loadTextures();
    createLabels();
    setStartCounters();
    device->getTimer()->stop();
    forgetShownPicture();
    for (int shown = 0; shown < sizeModeCount; ++shown) {
        sizeMode = appliedSizeMode = shown;
        runTick();
    }
    activeScreen = 1;
    playState = playNewPending;
    runTick();
    score = 1234567890;
    runTick();
    sizeMode = appliedSizeMode = mode;
}

} // namespace fuzz

// Once per process, for every target: a fresh folder to run in, gone at exit, with a copy of the font the smaller
// sizes use. The pictures are left out unless fuzzed: decoding the real ones would take most of every run. A target
// that fuzzes what is read after the device start (ONE_DEVICE_SIZE) starts its one device here.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // libFuzzer opens the inputs named on its command line only after this.
    for (int i = 1; i < *argc; ++i)
        if ((*argv)[i][0] != '-')
            (*argv)[i] = strdup(std::filesystem::absolute((*argv)[i]).c_str());
    // In memory where there is such a place: on a disk that builds share, a file cut and written again on every run
    // waits for the disk now and then, over a second.
    char pattern[] = "/dev/shm/quintet-fuzz.XXXXXX", fallback[] = "/tmp/quintet-fuzz.XXXXXX";
    char* folder = mkdtemp(pattern) ? pattern : mkdtemp(fallback);
    if (!folder || chdir(folder) != 0)
        std::abort();
    fuzz::scratch = folder;
    std::atexit([] { std::filesystem::remove_all(fuzz::scratch); });
    std::filesystem::create_directory("media");
    for (const char* file : {"Swiss12.xml", "Swiss12_0.png"})
        std::filesystem::copy_file(std::string(MEDIA_DIR "/") + file, std::string("media/") + file);
#ifdef ONE_DEVICE_SIZE
    if (!fuzz::startWithFont(ONE_DEVICE_SIZE))
        std::abort();
#endif
    return 0;
}
