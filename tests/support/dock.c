/* A panel for the end-to-end tests: a dock window along the bottom of the screen that reserves its height
   (_NET_WM_STRUT_PARTIAL), as desktop panels and taskbars do. Runs until killed. Usage: dock [HEIGHT] */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv)
{
    Display* display = XOpenDisplay(NULL);
    if (!display)
        return fputs("dock: no display\n", stderr), 1;
    const long height = argc > 1 ? atol(argv[1]) : 40;
    const int screen = DefaultScreen(display);
    const long width = DisplayWidth(display, screen), bottom = DisplayHeight(display, screen);
    Window dock = XCreateSimpleWindow(display, RootWindow(display, screen), 0, bottom - height, width, height, 0, 0,
                                      BlackPixel(display, screen));
    Atom dockType = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False);
    XChangeProperty(display, dock, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
                    (unsigned char*)&dockType, 1);
    /* left, right, top, bottom, then the start and end of each along its edge: the bottom from x 0 to the width. */
    long strut[12] = {0, 0, 0, height, 0, 0, 0, 0, 0, 0, 0, width - 1};
    XChangeProperty(display, dock, XInternAtom(display, "_NET_WM_STRUT_PARTIAL", False), XA_CARDINAL, 32,
                    PropModeReplace, (unsigned char*)strut, 12);
    XChangeProperty(display, dock, XInternAtom(display, "_NET_WM_STRUT", False), XA_CARDINAL, 32, PropModeReplace,
                    (unsigned char*)strut, 4);
    XMapWindow(display, dock);
    for (XEvent event;;)
        XNextEvent(display, &event);
}
