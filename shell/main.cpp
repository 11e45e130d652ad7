// Quintet: start-up, then the main loop until the window closes.
#include "shell/shell.h"
#include "platform/platform.h"  // runLoopInPage

int main()
{
    startUp();
#ifdef __EMSCRIPTEN__
    runLoopInPage();  // the page's event loop runs the game from here on
#endif

    const int status = runMainLoop();
    // The window was closed: release the engine before leaving.
    device->drop();
    device = nullptr;
    return status;
}
