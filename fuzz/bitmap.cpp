// Fuzz target: any bytes as both pictures, media/exp.bmp and media/title.bmp: the check, the engine's loader for
// what passes it (and nothing else), and a tick of both screens drawing with them. One device for all runs
// (ONE_DEVICE_SIZE), as its start is most of the time of a run, and the pictures are all that changes.
#include "fuzz/fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (const char* picture : {"media/exp.bmp", "media/title.bmp"})
        fuzz::writeFile(picture, data, size);
    fuzz::startAndTick();
    fuzz::require(bitmapFileIntact("media/exp.bmp") || (!spriteSheet && !titleTexture), "a refused picture was loaded");
    // Gone from the engine's caches, or the next run would draw with these again.
    guiEnv->clear();
    for (video::ITexture* texture : {spriteSheet, titleTexture})
        if (texture)
            driver->removeTexture(texture);
    return 0;
}
