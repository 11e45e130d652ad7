// The loop's wait between ticks: blocks on the window system (the X connection, or the Windows message queue) for
// at most the time to the next tick, or until input while the game rests, and notes what the engine drops: a window
// uncovered, the pointer leaving it.
#include "platform/platform.h"

// With no window to wait on, a rest lasts one tick, the loop's own period.
static const int restWithoutWindowMs = 17;
static int news = 0;

int takeWindowNews()
{
    const int taken = news;
    news = 0;
    return taken;
}

#ifdef _WIN32

#include <windows.h>
#include <mmsystem.h>

static HWND watched = nullptr;
static WNDPROC engineProcedure = nullptr;
static bool trackingLeave = false;
static bool fineTimer = false;

// In front of the engine's window procedure, which validates a WM_PAINT and does nothing else with it.
static LRESULT CALLBACK watchProcedure(HWND window, UINT message, WPARAM w, LPARAM l)
{
    switch (message) {
    case WM_PAINT:
        news |= windowUncovered;
        break;
    case WM_MOUSEMOVE:
        // Windows tells of the pointer leaving only when asked, once per entry. (Wine finds it out by polling the
        // pointer some 20 to 50 times a second while it is over the window, even at rest.)
        if (!trackingLeave) {
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
            trackingLeave = TrackMouseEvent(&track) != 0;
        }
        break;
    case WM_MOUSELEAVE:
        trackingLeave = false;
        news |= pointerCrossed;
        break;
    default:
        break;
    }
    return CallWindowProcW(engineProcedure, window, message, w, l);
}

void watchWindow(const irr::video::SExposedVideoData& data)
{
    // Both Windows drivers keep the window handle at this place of the data.
    watched = static_cast<HWND>(data.D3D9.HWnd);
    if (!watched)
        return;
    engineProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(watched, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&watchProcedure)));
    if (!engineProcedure)
        watched = nullptr;
}

void waitForWindow(int timeoutMs)
{
    // Sleep and timed waits end on the system timer, every 15.6 ms by default: a tick would start up to a whole
    // period late. The finer rate costs power, so it holds only while ticks are due.
    const bool timed = timeoutMs >= 0;
    if (timed != fineTimer) {
        if (timed)
            timeBeginPeriod(1);
        else
            timeEndPeriod(1);
        fineTimer = timed;
    }
    if (timeoutMs == 0)
        return;
    if (!watched) {
        Sleep(timed ? static_cast<DWORD>(timeoutMs) : restWithoutWindowMs);
        return;
    }
    MsgWaitForMultipleObjectsEx(0, nullptr, timed ? static_cast<DWORD>(timeoutMs) : INFINITE, QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
}

#else

#include <X11/Xlib.h>
#include <X11/Xlibint.h>
#include <poll.h>
#include <unistd.h>

typedef Bool (*WireToEvent)(Display*, XEvent*, xEvent*);

static Display* display = nullptr;
static Window watched = 0;
static WireToEvent xlibExpose = nullptr, xlibEnter = nullptr, xlibLeave = nullptr;

// Xlib turns every event read from the server into an XEvent through these, whoever reads it: the engine's loop,
// which drops these three kinds, or a round trip of the GL driver's.
static Bool noteExpose(Display* d, XEvent* event, xEvent* wire)
{
    const Bool queued = xlibExpose(d, event, wire);
    if (event->xany.window == watched)
        news |= windowUncovered;
    return queued;
}

static Bool noteEnter(Display* d, XEvent* event, xEvent* wire)
{
    const Bool queued = xlibEnter(d, event, wire);
    if (event->xany.window == watched)
        news |= pointerCrossed;
    return queued;
}

static Bool noteLeave(Display* d, XEvent* event, xEvent* wire)
{
    const Bool queued = xlibLeave(d, event, wire);
    if (event->xany.window == watched)
        news |= pointerCrossed;
    return queued;
}

void watchWindow(const irr::video::SExposedVideoData& data)
{
    display = static_cast<Display*>(data.OpenGLLinux.X11Display);
    watched = static_cast<Window>(data.OpenGLLinux.X11Window);
    if (!display || !watched) {
        display = nullptr;
        return;
    }
    xlibExpose = XESetWireToEvent(display, Expose, noteExpose);
    xlibEnter = XESetWireToEvent(display, EnterNotify, noteEnter);
    xlibLeave = XESetWireToEvent(display, LeaveNotify, noteLeave);
    // The engine asks for motion inside the window only: the pointer leaving it would go unseen until it moved in
    // again, and a hovered button would stay lit.
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, watched, &attributes))
        XSelectInput(display, watched, attributes.your_event_mask | EnterWindowMask | LeaveWindowMask);
}

void waitForWindow(int timeoutMs)
{
    if (timeoutMs == 0)
        return;
    if (!display) {
        usleep(static_cast<useconds_t>(timeoutMs < 0 ? restWithoutWindowMs : timeoutMs) * 1000);
        return;
    }
    // Events Xlib has already read would wait on a quiet connection for ever. XPending also sends the requests it
    // still holds, which the server may be answering.
    if (XPending(display) > 0)
        return;
    pollfd connection = {ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, timeoutMs);
}

#endif
