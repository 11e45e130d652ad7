// Fuzz target: any bytes as one file of the font the smaller sizes use (FUZZED_FILE: its XML or its picture),
// beside the real other one: the check, the engine's font loading, and every label text drawn with it.
#include "fuzz/fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::writeFile("media/" FUZZED_FILE, data, size);
    if (fuzz::startWithFont(0))
        fuzz::startAndTick();
    device->drop();
    return 0;
}
