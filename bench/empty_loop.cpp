// The game's main loop with nothing in its tick but a clear and a swap: the yardstick for the idle title screen's
// CPU share. Usage: empty_loop SIDE (a square window of SIDE pixels, made as the game makes its own).
#include "shell/shell.h"

#include <cstdlib>

int main(int argc, char** argv)
{
    const int side = argc == 2 ? std::atoi(argv[1]) : 0;
    if (side <= 0)
        return 2;
    screenWidth = screenHeight = side;
    createVideoDeviceWith(video::EDT_OPENGL);
    u32 lastTick = 1;
    while (device->run()) {
        if (tickDue(device->getTimer()->getTime(), lastTick)) {
            driver->beginScene(true, true, video::SColor(0xFFB482C7), video::SExposedVideoData(), nullptr);
            driver->endScene();
        }
        device->sleep(1, false);
    }
    device->drop();
    return 0;
}
