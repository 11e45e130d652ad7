// Fuzz target: any bytes as config.cfg, through the reader. It must not hang, must leave the file as it was, choose
// the window the first byte gives, and echo no control byte to the terminal.
#include "fuzz/fuzz.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::enterScratchFolder(*argc, *argv, false);
    // The echo is read back from here.
    if (!std::freopen("echo.txt", "w", stdout))
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fuzz::writeFile("config.cfg", bytes);
    if (std::fflush(stdout) != 0 || ftruncate(fileno(stdout), 0) != 0)
        std::abort();
    std::rewind(stdout);
    resetGameState();
    readConfig();
    std::fflush(stdout);

    const std::string echo = fuzz::readFile("echo.txt");
    fuzz::require(fuzz::readFile("config.cfg") == bytes, "config.cfg was changed");
    const unsigned char first = size ? data[0] : 0;
    const bool digit = first >= '0' && first <= '4';
    fuzz::require(screenWidth == (digit ? windowSideBySize[first - '0'] : 1024) &&
                      screenHeight == (digit ? windowSideBySize[first - '0'] : 768) &&
                      sizeMode == (digit ? first - '0' : 0) && appliedSizeMode == sizeMode,
                  "the window is not the size table's for the first byte");
    fuzz::require(!echo.empty() && echo.find('\n') == echo.size() - 1, "the echo is not one line");
    for (std::size_t i = 0; i + 1 < echo.size(); ++i)
        fuzz::require(echo[i] >= 0x20 && echo[i] <= 0x7E, "a control byte in the echo");
    return 0;
}
