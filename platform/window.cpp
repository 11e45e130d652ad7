// The window's identity: on X11 its class, pid, icon, fixed size and close request, which window managers, taskbars
// and docks read from it; on Windows its icon, which the engine leaves generic, and its place in the work area.
#include "platform/platform.h"

#ifdef _WIN32

#include <windows.h>

void identifyWindow(const irr::video::SExposedVideoData& data, int, int)
{
    // Both Windows drivers keep the window handle at this place of the data; the engine's window has no sizing
    // frame, so its size needs nothing.
    const HWND window = static_cast<HWND>(data.D3D9.HWnd);
    if (!window)
        return;
    // The program's own icon (resource 1) at each size the system draws, so Windows picks the nearest picture
    // instead of shrinking a big one.
    const HINSTANCE self = GetModuleHandleW(nullptr);
    const struct { WPARAM which; int width, height; } icons[] = {
        {ICON_BIG, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)},
        {ICON_SMALL, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)},
    };
    for (const auto& icon : icons) {
        const HANDLE picture = LoadImageW(self, MAKEINTRESOURCEW(1), IMAGE_ICON, icon.width, icon.height, 0);
        if (picture)
            SendMessageW(window, WM_SETICON, icon.which, reinterpret_cast<LPARAM>(picture));
    }

    // The engine centres the window on the whole screen: a window that fits the work area (largestWindowSide) can
    // still reach under the taskbar. Such a one goes to the middle of the work area.
    RECT box;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetWindowRect(window, &box) ||
        !GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    if (box.left >= work.left && box.top >= work.top && box.right <= work.right && box.bottom <= work.bottom)
        return;
    const LONG left = work.left + (work.right - work.left - (box.right - box.left)) / 2,
               top = work.top + (work.bottom - work.top - (box.bottom - box.top)) / 2;
    SetWindowPos(window, nullptr, left > work.left ? left : work.left, top > work.top ? top : work.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

#else

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <climits>
#include <unistd.h>

namespace {

// _NET_WM_ICON at 16, 32, 48, 64 and 128 pixels, each as width, height, then its pixels as 0xAARRGGBB; generated
// from the artwork by tools/mkmedia. Xlib takes 32-bit properties as longs.
const unsigned long iconData[] = {
#include "quintet-icon.inc"
};

void setCardinals(Display* display, Window window, const char* name, const unsigned long* values, int count)
{
    XChangeProperty(display, window, XInternAtom(display, name, False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values), count);
}

} // namespace

void identifyWindow(const irr::video::SExposedVideoData& data, int width, int height)
{
    Display* display = static_cast<Display*>(data.OpenGLLinux.X11Display);
    const Window window = static_cast<Window>(data.OpenGLLinux.X11Window);
    if (!display || !window)
        return;  // no X window: the null driver

    // Minimum = maximum, so window managers neither offer nor perform a resize or a maximise. Set on the mapped
    // window, which they follow at once; the engine's setResizable would unmap and map it again, a visible blink.
    XSizeHints* hints = XAllocSizeHints();
    if (hints) {
        hints->flags = PMinSize | PMaxSize | PBaseSize;
        hints->min_width = hints->max_width = hints->base_width = width;
        hints->min_height = hints->max_height = hints->base_height = height;
        XSetWMNormalHints(display, window, hints);
        XFree(hints);
    }

    // The class ties the window to the menu entry (StartupWMClass), whatever its caption says.
    char name[] = "quintet", className[] = "Quintet";
    XClassHint classHint = {name, className};
    XSetClassHint(display, window, &classHint);

    // A pid means something only together with the machine it runs on.
    char host[HOST_NAME_MAX + 1] = {};
    if (gethostname(host, sizeof host - 1) == 0) {
        char* hosts[] = {host};
        XTextProperty machine;
        if (XStringListToTextProperty(hosts, 1, &machine)) {
            XSetWMClientMachine(display, window, &machine);
            XFree(machine.value);
        }
    }
    // The engine asks for the close button's message only if some client has named WM_DELETE_WINDOW before it:
    // on a display where the game starts first, a window manager could then only cut its connection (status 1).
    Atom closeRequest = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &closeRequest, 1);

    const unsigned long pid = static_cast<unsigned long>(getpid());
    setCardinals(display, window, "_NET_WM_PID", &pid, 1);
    setCardinals(display, window, "_NET_WM_ICON", iconData, static_cast<int>(sizeof iconData / sizeof iconData[0]));
    XFlush(display);
}

#endif
