// Test support: see testgame.h.
#include "tests/support/testgame.h"

#include <unistd.h>

#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool) would break its headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace testgame {

void open(video::E_DRIVER_TYPE type, int mode, const char* folder)
{
    ASSERT_EQ(chdir(folder), 0) << "run folder " << folder;
    resetGameState();
    releaseAll();
    sizeMode = appliedSizeMode = mode;
    screenWidth = screenHeight = windowSideBySize[mode];
    scanRowOverlay = false;
    shiftPulse[0] = shiftPulse[1] = false;

    createVideoDeviceWith(type);
    ASSERT_NE(device, nullptr);
    loadFont();
    loadTextures();
    createLabels();
    setStartCounters();
    // Let a real window map before anything is drawn into it.
    if (type != video::EDT_NULL)
        for (int i = 0; i < 20; ++i) {
            device->run();
            usleep(5000);
        }
    setTime(1000);
}

void close()
{
    if (device) {
        device->closeDevice();
        device->run();
        device->drop();
    }
    forgetShownPicture();
    // The rest start-up sets again; these two are made on first use, by the next device.
    device = nullptr;
    scanRowTexture = canvasTexture = nullptr;
}

void setTime(u32 ms)
{
    ITimer* timer = device->getTimer();
    timer->setTime(ms);
    if (!timer->isStopped())
        timer->stop();
}

void key(EKEY_CODE code, bool down)
{
    SEvent event = {};
    event.EventType = EET_KEY_INPUT_EVENT;
    event.KeyInput.Key = code;
    event.KeyInput.PressedDown = down;
    receiver.OnEvent(event);
}

static void mouse(EMOUSE_INPUT_EVENT what)
{
    SEvent event = {};
    event.EventType = EET_MOUSE_INPUT_EVENT;
    event.MouseInput.Event = what;
    receiver.OnEvent(event);
}

void pointAt(int x, int y)
{
    device->getCursorControl()->setPosition(x, y);
    mouseX = x;
    mouseY = y;
    // As a real window reports the move, so that it ends a rest.
    mouse(EMIE_MOUSE_MOVED);
}

void leftButton(bool down) { mouse(down ? EMIE_LMOUSE_PRESSED_DOWN : EMIE_LMOUSE_LEFT_UP); }
void rightButton(bool down) { mouse(down ? EMIE_RMOUSE_PRESSED_DOWN : EMIE_RMOUSE_LEFT_UP); }

void releaseAll()
{
    for (int code = 0; code < KEY_KEY_CODES_COUNT; ++code)
        key(static_cast<EKEY_CODE>(code), false);
    leftButton(false);
    rightButton(false);
    inputSeenByTick();  // or a press no tick has read would still show
}

std::string grab()
{
    const video::SExposedVideoData& data = driver->getExposedVideoData();
    Display* display = static_cast<Display*>(data.OpenGLLinux.X11Display);
    XImage* image = nullptr;
    if (display) {
        XSync(display, False);
        image = XGetImage(display, static_cast<Window>(data.OpenGLLinux.X11Window), 0, 0, screenWidth, screenHeight,
                          AllPlanes, ZPixmap);
    }
    if (!image) {
        ADD_FAILURE() << "no X window to read back";
        return "";
    }
    std::string ppm = "P6\n" + std::to_string(screenWidth) + " " + std::to_string(screenHeight) + "\n255\n";
    for (int y = 0; y < screenHeight; ++y)
        for (int x = 0; x < screenWidth; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            for (unsigned long mask : {image->red_mask, image->green_mask, image->blue_mask})
                ppm += static_cast<char>((p & mask) >> __builtin_ctzl(mask));
        }
    XDestroyImage(image);
    return ppm;
}

} // namespace testgame
