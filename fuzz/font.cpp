// Fuzz target: any bytes as one file of the font the smaller sizes use (FUZZED_FILE: its XML or its picture),
// beside the real other one: the check, the engine's font loading, and every label text drawn with it.
#include "fuzz/fuzz.h"

static const std::string fuzzed = std::string("media/") + FUZZED_FILE;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::enterScratchFolder(*argc, *argv, true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::writeFile(fuzzed, std::string(reinterpret_cast<const char*>(data), size));
    fuzz::startAndTick(0);
    return 0;
}
