// Test support: a window of one colour mapped over the screen at X Y for a time, then gone, as a dialog or a menu
// that covers part of the game and closes. Override-redirect, so no window manager moves or decorates it.
// Usage: cover_window X Y WIDTH HEIGHT MILLISECONDS
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char** argv)
{
    Display* display = XOpenDisplay(nullptr);
    if (argc != 6 || !display) {
        std::fprintf(stderr, "usage: cover_window X Y WIDTH HEIGHT MILLISECONDS, with a display\n");
        return 2;
    }
    XSetWindowAttributes attributes = {};
    attributes.override_redirect = True;
    attributes.background_pixel = 0xFF0000;  // red, which the game never shows in flat areas
    const Window cover = XCreateWindow(display, DefaultRootWindow(display), std::atoi(argv[1]), std::atoi(argv[2]),
                                       std::atoi(argv[3]), std::atoi(argv[4]), 0, CopyFromParent, InputOutput,
                                       CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XSelectInput(display, cover, ExposureMask);
    XMapRaised(display, cover);
    // Shown once the server has painted its background: its first Expose.
    XEvent event;
    do
        XNextEvent(display, &event);
    while (event.type != Expose);
    XSync(display, False);
    usleep(static_cast<useconds_t>(std::atoi(argv[5])) * 1000);
    XUnmapWindow(display, cover);
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
