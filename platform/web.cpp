// The platform layer in the browser: Burning's Video in the page's canvas, the loop as timed passes of the page's
// event loop, config.cfg kept in IndexedDB, the relaunch as a reload of the page.
#include "platform/platform.h"
#include "shell/shell.h"

#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

irr::video::E_DRIVER_TYPE preferredDriver()
{
    // The engine's software renderer, shown through the SDL device's 2D canvas: its pictures come closer to the
    // desktop's than the engine's OpenGL driver over the browser's GL emulation, which lacks calls the driver uses.
    return irr::video::EDT_BURNINGSVIDEO;
}

// The page has no window to name: its title is the caption the game sets each tick.
void identifyWindow(const irr::video::SExposedVideoData&, int, int) {}

// No OpenGL canvas here: every picture is painted whole into the software renderer's image.
bool canvasStepsAvailable() { return false; }
void beginCanvasPainting() {}
void copyCanvasToWindow(int, int, int) {}
void placeViewportTopLeft(int, int, int) {}

// The loop's news of the window: the canvas keeps its picture, so nothing is ever uncovered; the pointer's leaving
// or entering it the page notes (web/index.html). The page's passes wait in the browser, never in waitForWindow,
// which only the desktop's runMainLoop calls.
EM_JS(int, pointerCrossedCanvas, (), {
    var crossed = Module.quintetPointerCrossed;
    Module.quintetPointerCrossed = false;
    return crossed ? 1 : 0;
});
void watchWindow(const irr::video::SExposedVideoData&) {}
int takeWindowNews() { return pointerCrossedCanvas() ? pointerCrossed : 0; }
void waitForWindow(int) {}

// The largest square window side that fits the screen: in the page, its viewport.
EM_JS(int, viewportSide, (), { return Math.min(window.innerWidth, window.innerHeight); });
int largestWindowSide() { return viewportSide(); }

// The page's side of the storage and the end (web/index.html).
EM_JS(void, storeConfigInPage, (), { Module.quintetStore(); });
EM_JS(void, reloadPageWhenStored, (), {
    Module.quintetRelaunching = true;
    Module.quintetStore().then(function() { window.location.reload(); });
});

namespace {

bool resting = false;      // no pass is due until input comes
double passMs = 0;         // time spent in the loop's passes, and their count, since the page last asked
int passCount = 0;

// The saved copy of config.cfg, in IndexedDB under this folder, which the page mounts and copies into the game's
// folder before the game starts (web/index.html): only the record goes into the browser's storage, not the media
// beside it.
const char savedConfig[] = "/saved/config.cfg";

void copyFile(const char* from, const char* to)
{
    std::FILE* in = std::fopen(from, "rb");
    if (!in)
        return;
    std::FILE* out = std::fopen(to, "wb");
    char bytes[256];
    size_t n;
    while (out && (n = std::fread(bytes, 1, sizeof bytes, in)) > 0)
        std::fwrite(bytes, 1, n, out);
    if (out)
        std::fclose(out);
    std::fclose(in);
}

void pass(void*);

void schedule(int ms)
{
    resting = ms < 0;
    if (!resting)
        emscripten_async_call(pass, nullptr, ms);
}

void pass(void*)
{
    // The device closes only when the game quits, which ends the program as exit() does: the page says so.
    if (!device->run())
        std::exit(0);
    const double start = emscripten_get_now();
    const int wait = loopPass();
    passMs += emscripten_get_now() - start;
    ++passCount;
    schedule(wait);
}

}  // namespace

// Called by the page's input listeners: a resting game takes its next pass now, which ends the rest.
extern "C" EMSCRIPTEN_KEEPALIVE void quintetWake()
{
    if (resting)
        schedule(0);
}

void runLoopInPage()
{
    watchWindow(driver->getExposedVideoData());
    schedule(0);
    // main ends here; the runtime stays, and the page's event loop runs the passes.
    emscripten_exit_with_live_runtime();
}

// For the figures of docs/web.md (bench/web_bench.js): the mean cost in ms of a tick of the screen as it stands,
// painted whole (whole != 0) or as the game paints it, over that many ticks.
extern "C" EMSCRIPTEN_KEEPALIVE double quintetTickCost(int ticks, int whole)
{
    const double start = emscripten_get_now();
    for (int i = 0; i < ticks; ++i) {
        if (whole)
            forgetShownPicture();
        runTick();
    }
    return (emscripten_get_now() - start) / ticks;
}

// The mean cost in ms of the loop's passes since the last call, nearly each of which runs a tick (0 when none ran).
extern "C" EMSCRIPTEN_KEEPALIVE double quintetRunningTickCost()
{
    const double mean = passCount ? passMs / passCount : 0;
    passMs = 0;
    passCount = 0;
    return mean;
}

bool replaceFile(const char* from, const char* to)
{
    if (std::rename(from, to) != 0)
        return false;
    // The copy in IndexedDB follows every write of config.cfg, so a reload finds the size chosen last.
    if (std::strcmp(to, "config.cfg") == 0) {
        copyFile(to, savedConfig);
        storeConfigInPage();
    }
    return true;
}

bool startLauncher()
{
    // The game starts again in the page at the new size: a reload once config.cfg is in IndexedDB. The exit()
    // that follows leaves the page as it is until then.
    reloadPageWhenStored();
    return true;
}
