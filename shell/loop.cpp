// The main loop: turns the engine's millisecond clock into 17 ms ticks and draws one frame per tick.
#include "shell/shell.h"

#include <cstdlib>

static const char captionBanner[] = "Quintet - line up five of a colour";

void captureFrameTime()
{
    frameTime = static_cast<int>(device->getTimer()->getTime());
}

void updateWindowCaption()
{
    // One blank, then the banner widened byte by byte.
    wchar_t caption[sizeof captionBanner + 1];
    caption[0] = L' ';
    for (unsigned i = 0; i < sizeof captionBanner; ++i)
        caption[i + 1] = static_cast<wchar_t>(static_cast<unsigned char>(captionBanner[i]));
    device->setWindowCaption(caption);
}

bool tickDue(u32 timeMs, u32& lastTick)
{
    // At most one tick per new tick number: a slow tick is not made up for.
    const u32 tick = timeMs / tickLengthMs;
    if (tick == lastTick)
        return false;
    lastTick = tick;
    return true;
}

static void shadeEdges()
{
    for (int k = 0; k < 12; ++k) {
        const video::SColor shade((50 - 4 * k) << 24);
        paintRectangle(shade, core::rect<s32>(0, k, screenWidth, k + 1));
        // The bottom band is the mirror shifted by one: its darkest step lies just below the window.
        paintRectangle(shade, core::rect<s32>(0, screenHeight - k, screenWidth, screenHeight - k + 1));
    }
}

void runTick()
{
    captureFrameTime();
    // The scene is begun, drawn and ended by showPicture, from what this tick paints.
    startPicture(video::SColor(0xFFB482C7));
    mouseX = device->getCursorControl()->getPosition().X;
    mouseY = device->getCursorControl()->getPosition().Y;
    paintRectangle(video::SColor(0xC8FFFFFF), core::rect<s32>(mouseX + 3, mouseY + 3, mouseX + 5, mouseY + 5));
    if (activeScreen == 0)
        titleScreenFrame();
    // Read again: a start from the title screen shows play in this same tick.
    if (activeScreen == 1)
        playScreenFrame();
    shadeEdges();
    showPicture();  // the labels on top, then the scene ends
    updateWindowCaption();
    inputSeenByTick();
}

int runMainLoop()
{
    u32 lastTick = 1;
    if (!device->run())
        return 0;
    do {
        if (tickDue(device->getTimer()->getTime(), lastTick))
            runTick();
        device->sleep(1, false);
    } while (device->run());
    return 0;
}

void quitGame()
{
    device->closeDevice();
    device->drop();
    std::exit(0);
}
