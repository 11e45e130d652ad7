// What differs between Windows and POSIX: the video driver, the window, wide formatting, files and starting the
// launcher.
#pragma once

#include <cstddef>
#include <cstdio>
#include <irrlicht.h>

// The hardware driver start-up asks for: Direct3D 9 on Windows, OpenGL elsewhere.
irr::video::E_DRIVER_TYPE preferredDriver();

// Right after the device is made. On X11: the window's class (quintet / Quintet), pid, machine and icon, and a
// size window managers keep (minimum = maximum = width x height). On Windows: the program's own icon (resource 1)
// in the title bar, the taskbar and Alt-Tab, and the window moved off the taskbar into the work area where the
// engine's centring on the screen put it partly under. Nothing without a window.
void identifyWindow(const irr::video::SExposedVideoData& data, int width, int height);

// Formats into a wide buffer of the given size, like swprintf_s; the result is always terminated.
int formatWide(wchar_t* buffer, std::size_t size, const wchar_t* format, ...);

// The launcher's file name: "start" plus the platform's executable suffix.
const char* launcherName();

// Starts the launcher beside the running executable, never one from the working folder or PATH, and does not
// wait for it; false when it is missing or could not be started.
bool startLauncher();

// The file calls below take the game's own relative ASCII names ("config.cfg", "media/..."): Windows joins them
// to the working folder in its wide form, so their narrow calls reach a folder named in any script.

// True when anything at all has this name, a dangling symlink included; false only when nothing does.
bool pathExists(const char* path);
// True for a regular file or a symlink to one; false for folders, FIFOs, devices and what is not there.
bool isRegularFile(const char* path);
// Pushes a written file's data to the disk (after fflush), so that a rename after it cannot expose an empty file.
bool syncFile(std::FILE* file);
// Puts the file from in the place of to in one step, replacing what is there; false when it could not.
bool replaceFile(const char* from, const char* to);

// The canvas (shell/paint.cpp) on OpenGL: whether its steps exist here (never on Windows, whose Direct3D paints
// straight onto the window); after the engine binds the canvas, rows counted from the top as in the window; after
// it binds the window again, the canvas of width x height copied into the window's top-left corner, whatever the
// window's height (one a window manager forced on it).
bool canvasStepsAvailable();
void beginCanvasPainting();
void copyCanvasToWindow(int width, int height, int windowHeight);
// Painting straight on a window of another size than the picture (one a window manager forced on it): the
// viewport of width x height in the window's top-left corner, where the engine would put it at the bottom-left.
void placeViewportTopLeft(int width, int height, int windowHeight);

// The loop's wait (wait.cpp). watchWindow, once the window is shown, has the window system report what the loop
// acts on besides the engine's input events: parts of the window uncovered, whose picture is then lost, and the
// pointer leaving or entering it, which the engine does not pass on. takeWindowNews returns what came since its last
// call. Nothing without a window.
const int windowUncovered = 1, pointerCrossed = 2;
void watchWindow(const irr::video::SExposedVideoData& data);
int takeWindowNews();
// Blocks until the window system has something for the game or timeoutMs have passed (-1: no time limit; without a
// window, one tick's length). Returns at once when something already waits. On Windows the system timer runs at
// 1 ms while a timed wait lies ahead, so that a tick starts on time, and at its default rate while the game rests.
void waitForWindow(int timeoutMs);

// The room on the screen (screen.cpp), asked once before the device is made: the largest side in pixels of a
// square window whose whole window, frame and title bar included, fits the work area (the screen less its panels
// and taskbars) of the screen it will open on; at least 1. Without a window manager (X11) the screen itself is
// the limit. 0 when nothing limits it: no display to ask.
int largestWindowSide();

// The browser only (platform/web.cpp): runs the game's loop as passes of the page's event loop, each waiting until
// the next tick is due or input comes; main ends there, and the page keeps the game running.
[[noreturn]] void runLoopInPage();
