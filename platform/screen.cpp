// The room on the screen: the largest square window that fits the work area, frame and title bar included.
#include "platform/platform.h"

#include <algorithm>

#ifdef _WIN32

#include <windows.h>

int largestWindowSide()
{
    // The engine centres its window on the primary screen: that monitor's work area (less the taskbar).
    const POINT origin = {0, 0};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return 0;
    // The frame of the engine's windowed style (CIrrDeviceWin32: no sizing border, no menu).
    RECT frame = {0, 0, 0, 0};
    if (!AdjustWindowRectEx(&frame, WS_SYSMENU | WS_BORDER | WS_CAPTION | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, FALSE, 0))
        return 0;
    const RECT& work = monitor.rcWork;
    const int side = std::min(work.right - work.left - (frame.right - frame.left),
                              work.bottom - work.top - (frame.bottom - frame.top));
    return std::max(side, 1);
}

#else

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <poll.h>

namespace {

// A window manager that gives no frame extents: room for a title bar above and a border around.
const int assumedTitleBar = 40, assumedBorder = 8;
// How long the window manager may take to tell the frame of a window that was never mapped.
const int frameAnswerMs = 500;

struct Box { long x, y, width, height; };

Box intersection(const Box& a, const Box& b)
{
    const long x = std::max(a.x, b.x), y = std::max(a.y, b.y);
    return {x, y, std::max(0L, std::min(a.x + a.width, b.x + b.width) - x),
            std::max(0L, std::min(a.y + a.height, b.y + b.height) - y)};
}

// A window's 32-bit property as up to count longs (as Xlib hands them); the number read, 0 when it has none.
int cardinals(Display* display, Window window, const char* name, Atom type, long* values, int count)
{
    Atom gotType;
    int format;
    unsigned long got = 0, after;
    unsigned char* data = nullptr;
    const Atom atom = XInternAtom(display, name, False);
    if (XGetWindowProperty(display, window, atom, 0, count, False, type, &gotType, &format, &got, &after, &data) !=
            Success || !data)
        return 0;
    const int n = format == 32 && gotType == type ? static_cast<int>(std::min<unsigned long>(got, count)) : 0;
    for (int i = 0; i < n; ++i)
        values[i] = reinterpret_cast<long*>(data)[i];
    XFree(data);
    return n;
}

int ignoreErrors(Display*, XErrorEvent*) { return 0; }

// A window manager runs when the root names a check window that names itself: a manager that left without
// tidying up leaves the root naming a window that is gone.
bool windowManagerRuns(Display* display, Window root)
{
    long check = 0, self = 0;
    if (cardinals(display, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, &check, 1) != 1)
        return false;
    XErrorHandler previous = XSetErrorHandler(ignoreErrors);
    const bool named = cardinals(display, static_cast<Window>(check), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, &self, 1);
    XSync(display, False);
    XSetErrorHandler(previous);
    return named && self == check;
}

// The monitor the window will open on: the primary one where RandR marks one, else the one at the screen's origin,
// where the engine puts its window.
Box monitorOf(Display* display, Window root)
{
    Box screen = {0, 0, DisplayWidth(display, DefaultScreen(display)), DisplayHeight(display, DefaultScreen(display))};
    int eventBase, errorBase, major = 0, minor = 0, count = 0;
    // Monitors came with RandR 1.5; an older server would refuse the request, which ends the program.
    if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor) ||
        major * 100 + minor < 105)
        return screen;
    XRRMonitorInfo* monitors = XRRGetMonitors(display, root, True, &count);
    for (int i = 0; i < count; ++i) {
        const Box box = {monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height};
        if (monitors[i].primary || (box.x <= 0 && box.y <= 0 && box.x + box.width > 0 && box.y + box.height > 0))
            screen = box;
        if (monitors[i].primary)
            break;
    }
    if (monitors)
        XRRFreeMonitors(monitors);
    return screen;
}

// The frame the window manager would put around a window of the game's kind (fixed in size): left, right, top,
// bottom. Asked of a small window that is never mapped; a manager that does not answer in time gets the margin.
void frameExtents(Display* display, Window root, long frame[4])
{
    frame[0] = frame[1] = frame[3] = assumedBorder;
    frame[2] = assumedTitleBar;
    XSetWindowAttributes attributes = {};
    attributes.event_mask = PropertyChangeMask;
    const Window probe = XCreateWindow(display, root, 0, 0, 100, 100, 0, CopyFromParent, InputOutput, CopyFromParent,
                                       CWEventMask, &attributes);
    XSizeHints* hints = XAllocSizeHints();
    if (hints) {
        hints->flags = PMinSize | PMaxSize;
        hints->min_width = hints->max_width = hints->min_height = hints->max_height = 100;
        XSetWMNormalHints(display, probe, hints);
        XFree(hints);
    }
    XEvent request = {};
    request.xclient.type = ClientMessage;
    request.xclient.window = probe;
    request.xclient.message_type = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    request.xclient.format = 32;
    XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
    XFlush(display);

    const Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
    pollfd connection = {ConnectionNumber(display), POLLIN, 0};
    for (int waited = 0; waited < frameAnswerMs;) {
        if (!XPending(display)) {
            poll(&connection, 1, 20);
            waited += 20;
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        long answer[4];
        if (event.type == PropertyNotify && event.xproperty.window == probe && event.xproperty.atom == extents &&
            cardinals(display, probe, "_NET_FRAME_EXTENTS", XA_CARDINAL, answer, 4) == 4) {
            std::copy(answer, answer + 4, frame);
            break;
        }
    }
    XDestroyWindow(display, probe);
}

} // namespace

int largestWindowSide()
{
    // A connection of its own, gone before the engine makes its device.
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 0;
    const Window root = DefaultRootWindow(display);
    Box room = monitorOf(display, root);
    long frame[4] = {0, 0, 0, 0};
    // Without a window manager nothing frames or places the window, and no panel reserves its room: the screen is
    // the limit. A work area left behind by a manager that has gone means nothing.
    if (windowManagerRuns(display, root)) {
        // x, y, width and height for each desktop in turn: the current one's.
        const int desktops = 32;
        long area[4 * desktops], desktop = 0;
        cardinals(display, root, "_NET_CURRENT_DESKTOP", XA_CARDINAL, &desktop, 1);
        const int n = cardinals(display, root, "_NET_WORKAREA", XA_CARDINAL, area, 4 * desktops);
        if (desktop >= 0 && desktop < desktops && 4 * desktop + 4 <= n) {
            const long* a = area + 4 * desktop;
            room = intersection(room, {a[0], a[1], a[2], a[3]});
        }
        frameExtents(display, root, frame);
    }
    XCloseDisplay(display);
    const long side = std::min(room.width - frame[0] - frame[1], room.height - frame[2] - frame[3]);
    return static_cast<int>(std::max(side, 1L));
}

#endif
