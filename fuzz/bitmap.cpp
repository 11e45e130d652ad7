// Fuzz target: any bytes as media/exp.bmp, then as media/title.bmp, beside the real other one: the check, the
// engine's loader for what passes it, and a tick of both screens drawing with it.
#include "fuzz/fuzz.h"

static const char* const pictures[] = {"media/exp.bmp", "media/title.bmp"};
static std::string originals[2];

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::enterScratchFolder(true);
    for (int i = 0; i < 2; ++i)
        originals[i] = fuzz::readFile(pictures[i]);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (int i = 0; i < 2; ++i) {
        fuzz::writeFile(pictures[i], std::string(reinterpret_cast<const char*>(data), size));
        fuzz::startAndTick(1);
        fuzz::writeFile(pictures[i], originals[i]);
    }
    return 0;
}
