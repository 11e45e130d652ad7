/* Test support: a window of the tests' own on the display. "dock": a panel along the bottom of the screen that
   reserves its 40 rows (_NET_WM_STRUT_PARTIAL), as desktop panels and taskbars do, until killed. "cover X Y WIDTH
   HEIGHT MILLISECONDS": a red window over the screen for a time, then gone, as a dialog or a menu that covers part
   of the game and closes; override-redirect, so no window manager moves or decorates it. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    Display* display = XOpenDisplay(NULL);
    const int dock = argc == 2 && !strcmp(argv[1], "dock");
    if (!display || (!dock && (argc != 7 || strcmp(argv[1], "cover"))))
        return 2;
    const long width = dock ? DisplayWidth(display, 0) : atoi(argv[4]), height = dock ? 40 : atoi(argv[5]);
    XSetWindowAttributes attributes = {0};
    attributes.override_redirect = !dock;
    attributes.background_pixel = dock ? 0 : 0xFF0000; /* red, which the game never shows in flat areas */
    const Window window = XCreateWindow(display, DefaultRootWindow(display), dock ? 0 : atoi(argv[2]),
                                        dock ? DisplayHeight(display, 0) - height : atoi(argv[3]), width, height, 0,
                                        CopyFromParent, InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel,
                                        &attributes);
    if (dock) {
        Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False);
        /* left, right, top, bottom, then where each runs along its edge: the bottom from x 0 to the last column. */
        long strut[12] = {0, 0, 0, height, 0, 0, 0, 0, 0, 0, 0, width - 1};
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                        PropModeReplace, (unsigned char*)&type, 1);
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STRUT_PARTIAL", False), XA_CARDINAL, 32,
                        PropModeReplace, (unsigned char*)strut, 12);
        XMapWindow(display, window);
        for (XEvent event;;)
            XNextEvent(display, &event);
    }
    XSelectInput(display, window, ExposureMask);
    XMapRaised(display, window);
    /* Shown once the server has painted its background: its first Expose. */
    XEvent event;
    do
        XNextEvent(display, &event);
    while (event.type != Expose);
    usleep((useconds_t)atoi(argv[6]) * 1000);
    XUnmapWindow(display, window);
    XCloseDisplay(display); /* which sends the unmap first */
    return 0;
}
