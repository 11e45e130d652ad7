/* A panel for the end-to-end tests: a dock along the bottom of the screen that reserves its 40 rows
   (_NET_WM_STRUT_PARTIAL), as desktop panels and taskbars do. Runs until killed. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>

int main(void)
{
    Display* display = XOpenDisplay(NULL);
    if (!display)
        return 1;
    const long width = DisplayWidth(display, 0), height = 40;
    Window dock = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, DisplayHeight(display, 0) - height,
                                      width, height, 0, 0, 0);
    Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False);
    /* left, right, top, bottom, then where each runs along its edge: the bottom from x 0 to the last column. */
    long strut[12] = {0, 0, 0, height, 0, 0, 0, 0, 0, 0, 0, width - 1};
    XChangeProperty(display, dock, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
                    (unsigned char*)&type, 1);
    XChangeProperty(display, dock, XInternAtom(display, "_NET_WM_STRUT_PARTIAL", False), XA_CARDINAL, 32,
                    PropModeReplace, (unsigned char*)strut, 12);
    XMapWindow(display, dock);
    for (XEvent event;;)
        XNextEvent(display, &event);
}
