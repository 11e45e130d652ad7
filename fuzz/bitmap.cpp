// Fuzz target: any bytes as media/exp.bmp, then as media/title.bmp: the check, the engine's loader for what passes
// it, and a tick of both screens drawing with it.
#include "fuzz/fuzz.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::enterScratchFolder(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (const char* picture : {"media/exp.bmp", "media/title.bmp"}) {
        fuzz::writeFile(picture, data, size);
        fuzz::startAndTick(1);
        std::remove(picture);
    }
    return 0;
}
