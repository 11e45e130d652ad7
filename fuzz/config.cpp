// Fuzz target: any bytes as config.cfg, through the reader. It must not hang, must leave the file as it was, choose
// the window the first byte gives, and echo no control byte to the terminal.
#include "fuzz/fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::writeFile("config.cfg", data, size);
    if (!std::freopen("echo.txt", "w", stdout))  // the echo is read back from here
        std::abort();
    resetGameState();
    readConfig();
    std::fflush(stdout);

    const std::string echo = fuzz::readFile("echo.txt");
    fuzz::require(fuzz::readFile("config.cfg") == std::string(reinterpret_cast<const char*>(data), size),
                  "config.cfg was changed");
    const int first = size ? data[0] : 0, side = first >= '0' && first <= '4' ? windowSideBySize[first - '0'] : 0;
    fuzz::require(screenWidth == (side ? side : 1024) && screenHeight == (side ? side : 768) &&
                      sizeMode == (side ? first - '0' : 0) && appliedSizeMode == sizeMode,
                  "the window is not the size table's for the first byte");
    fuzz::require(!echo.empty() && echo.find('\n') == echo.size() - 1, "the echo is not one line");
    for (std::size_t i = 0; i + 1 < echo.size(); ++i)
        fuzz::require(echo[i] >= 0x20 && echo[i] <= 0x7E, "a control byte in the echo");
    return 0;
}
