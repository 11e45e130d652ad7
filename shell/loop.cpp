// The main loop: turns the engine's millisecond clock into 17 ms ticks, draws one frame per tick, and waits between
// them for the window system: until the next tick, or until input while nothing moves.
#include "shell/shell.h"
#include "platform/platform.h"

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

u32 msUntilTick(u32 timeMs, u32 lastTick)
{
    return timeMs / tickLengthMs == lastTick ? (lastTick + 1) * tickLengthMs - timeMs : 0;
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

bool runTick()
{
    captureFrameTime();
    // The scene is begun, drawn and ended by showPicture, from what this tick paints.
    startPicture(video::SColor(0xFFB482C7));
    // One query of the pointer: on X11 each is a round trip to the server.
    const core::position2d<s32> pointer = device->getCursorControl()->getPosition();
    mouseX = pointer.X;
    mouseY = pointer.Y;
    paintRectangle(video::SColor(0xC8FFFFFF), core::rect<s32>(mouseX + 3, mouseY + 3, mouseX + 5, mouseY + 5));
    if (activeScreen == 0)
        titleScreenFrame();
    // Read again: a start from the title screen shows play in this same tick.
    if (activeScreen == 1)
        playScreenFrame();
    shadeEdges();
    const bool drew = showPicture();  // the labels on top, then the scene ends
    updateWindowCaption();
    inputSeenByTick();
    return drew;
}

bool gameAtRest(bool pictureChanged)
{
    // What a tick does without input: it counts the cooldowns down (the key cooldown only in play, where a new
    // game sets it again), steps the cell timers on every tick whose time is a multiple of 3, counts the banner
    // down, blinks the selection under the pointer, and acts on held keys and buttons. With none of these, it
    // changes nothing. (A pending game never outlasts its tick, and a shift pulse comes with the key cooldown.)
    // Every key or button that acts while held sets a cooldown; held input still keeps the game awake, so that one
    // given a use one day cannot be missed.
    return !pictureChanged && !cellTimersRunning() && inputCooldown == 0 &&
           (keyCooldown == 0 || activeScreen != 1) && playState != playGameOver && !selectionBlinkShown() &&
           !inputHeld();
}

// The loop's clock: the tick number last run, and whether the game rests until input.
static u32 lastTick = 1;
static bool resting = false;

int loopPass()
{
    ITimer* timer = device->getTimer();
    const u32 now = timer->getTime(), realAtPass = timer->getRealTime();
    const int news = takeWindowNews();
    // Input ends a rest. Each tick skipped while resting would have changed nothing, the one of this tick number
    // included, which would have run at its start, before the input came: the next tick, at the next tick
    // boundary, is the first to see it, as when no tick is skipped.
    if (resting && (inputSinceTick() || (news & pointerCrossed))) {
        resting = false;
        lastTick = now / tickLengthMs;
    }
    bool drew = false;
    if (!resting && tickDue(now, lastTick)) {
        // Both ends of the tick: a tick paints before it steps the timers, so a step can leave the picture behind
        // the state, and only the next tick, which changes nothing, shows where it ends.
        const bool restedBefore = gameAtRest(false);
        drew = runTick();
        resting = restedBefore && gameAtRest(drew);
    }
    if ((news & windowUncovered) && !drew)
        repairShownPicture();
    if (resting)
        return -1;
    // The engine's time stands still between passes; the tick took real time since.
    return static_cast<int>(msUntilTick(now + (timer->getRealTime() - realAtPass), lastTick));
}

int runMainLoop()
{
    if (!device->run())
        return 0;
    watchWindow(driver->getExposedVideoData());
    do
        waitForWindow(loopPass());
    while (device->run());
    return 0;
}

void quitGame()
{
    device->closeDevice();
    device->drop();
    std::exit(0);
}
