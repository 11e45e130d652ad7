// The event receiver: turns engine events into the held-key and button state the screens poll each tick.
#include "shell/shell.h"

#include <cstring>
#include <type_traits>

MyEventReceiver::MyEventReceiver() : lastKeyDown(0)
{
    for (int i = 0; i < KEY_KEY_CODES_COUNT; ++i)
        keyDown[i] = false;
}

bool MyEventReceiver::OnEvent(const SEvent& event)
{
    if (event.EventType == EET_KEY_INPUT_EVENT) {
        // Read as raw bits: a code outside the enumeration cannot even be loaded as an EKEY_CODE.
        std::underlying_type<EKEY_CODE>::type key;
        std::memcpy(&key, &event.KeyInput.Key, sizeof key);
        // The table has one entry per engine key code; anything else is not ours to record.
        if (key < KEY_KEY_CODES_COUNT) {
            keyDown[key] = event.KeyInput.PressedDown;
            lastKeyDown = event.KeyInput.PressedDown ? key : 0;
        }
    }
    if (event.EventType == EET_MOUSE_INPUT_EVENT) {
        switch (event.MouseInput.Event) {
        case EMIE_LMOUSE_PRESSED_DOWN: leftButtonDown = true; break;
        case EMIE_LMOUSE_LEFT_UP: leftButtonDown = false; break;
        case EMIE_RMOUSE_PRESSED_DOWN: rightButtonDown = true; break;
        case EMIE_RMOUSE_LEFT_UP: rightButtonDown = false; break;
        default: break;
        }
    }
    // Never consume: the GUI sees every event too.
    return false;
}

bool MyEventReceiver::isKeyDown(EKEY_CODE code) const
{
    return code >= 0 && code < KEY_KEY_CODES_COUNT && keyDown[code];
}
