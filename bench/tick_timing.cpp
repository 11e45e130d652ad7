// How late the game's ticks start: the game's own loop (loopPass and the platform wait) run for a while with the
// game-over banner blinking, so that every tick is due, and each tick's start measured against its tick boundary.
// Usage: tick_timing [SECONDS [poll]]   (in a run folder: it starts up as the game does, at the size config.cfg
// holds). With poll, the loop as it was: a tick when due, then a 1 ms sleep, for a comparison in the same run.
#include "shell/shell.h"
#include "platform/platform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    const int seconds = argc >= 2 ? std::atoi(argv[1]) : 10;
    const bool poll = argc == 3;
    startUp();
    activeScreen = 1;
    playState = playGameOver;
    turnPhase = turnGameOver;
    gameOverCountdown = 60 * seconds + 120;
    watchWindow(driver->getExposedVideoData());

    std::vector<int> late, gaps;
    int last = -1;
    const u32 end = device->getTimer()->getRealTime() + 1000u * static_cast<u32>(seconds);
    u32 lastTick = 1;
    while (device->run() && device->getTimer()->getRealTime() < end) {
        if (!poll)
            waitForWindow(loopPass());
        else if (tickDue(device->getTimer()->getTime(), lastTick))
            runTick();
        else
            device->sleep(1, false);
        if (frameTime != last) {
            // The engine's clock counts whole milliseconds: a tick on time starts in the boundary's millisecond.
            late.push_back(frameTime % tickLengthMs);
            if (last >= 0)
                gaps.push_back(frameTime - last);
            last = frameTime;
        }
    }
    device->drop();
    if (late.size() < 10)
        return 1;
    std::sort(late.begin(), late.end());
    const long onTime = std::count_if(late.begin(), late.end(), [](int ms) { return ms <= 1; });
    const long doubled = std::count_if(gaps.begin(), gaps.end(), [](int ms) { return ms >= 2 * tickLengthMs; });
    std::printf("%zu ticks: %.1f %% within 1 ms of their boundary, median %d ms late, 99th percentile %d ms, "
                "%ld gaps of two ticks or more\n",
                late.size(), 100.0 * onTime / late.size(), late[late.size() / 2], late[late.size() * 99 / 100],
                doubled);
    return 0;
}
