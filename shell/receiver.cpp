// The event receiver: turns engine events into the held-key and button state the screens poll each tick.
#include "shell/shell.h"

#include <cstring>
#include <type_traits>

// What the device reports as held this moment, and whether a press came that no tick has read yet. What the
// screens see follows the device, except that a press stays until a tick has read it: a click or tap released
// between two ticks is seen by one tick, as if held for it.
static bool keyHeldNow[KEY_KEY_CODES_COUNT];
static bool keyPressUnread[KEY_KEY_CODES_COUNT];
static s32 lastKeyNow = 0;
static bool lastKeyUnread = false;
static bool leftHeldNow = false, leftPressUnread = false;
static bool rightHeldNow = false, rightPressUnread = false;
static bool inputUnread = false;  // any key or mouse event since the last tick

// A press shows at once; a release shows at once only when a tick has read the press.
static void recordPress(bool pressed, bool& seen, bool& heldNow, bool& pressUnread)
{
    heldNow = pressed;
    if (pressed)
        pressUnread = true;
    if (pressed || !pressUnread)
        seen = pressed;
}

MyEventReceiver::MyEventReceiver() : lastKeyDown(0)
{
    for (int i = 0; i < KEY_KEY_CODES_COUNT; ++i)
        keyDown[i] = false;
}

bool MyEventReceiver::OnEvent(const SEvent& event)
{
    if (event.EventType == EET_KEY_INPUT_EVENT || event.EventType == EET_MOUSE_INPUT_EVENT)
        inputUnread = true;
    if (event.EventType == EET_KEY_INPUT_EVENT) {
        // Read as raw bits: a code outside the enumeration cannot even be loaded as an EKEY_CODE.
        std::underlying_type<EKEY_CODE>::type key;
        std::memcpy(&key, &event.KeyInput.Key, sizeof key);
        // The table has one entry per engine key code; anything else is not ours to record.
        if (key < KEY_KEY_CODES_COUNT) {
            const bool pressed = event.KeyInput.PressedDown;
            recordPress(pressed, keyDown[key], keyHeldNow[key], keyPressUnread[key]);
            // Any release clears the last key, but not before a tick has read the key last pressed.
            lastKeyNow = pressed ? key : 0;
            if (pressed)
                lastKeyUnread = true;
            if (pressed || !lastKeyUnread)
                lastKeyDown = lastKeyNow;
        }
    }
    if (event.EventType == EET_MOUSE_INPUT_EVENT) {
        switch (event.MouseInput.Event) {
        case EMIE_LMOUSE_PRESSED_DOWN: recordPress(true, leftButtonDown, leftHeldNow, leftPressUnread); break;
        case EMIE_LMOUSE_LEFT_UP: recordPress(false, leftButtonDown, leftHeldNow, leftPressUnread); break;
        case EMIE_RMOUSE_PRESSED_DOWN: recordPress(true, rightButtonDown, rightHeldNow, rightPressUnread); break;
        case EMIE_RMOUSE_LEFT_UP: recordPress(false, rightButtonDown, rightHeldNow, rightPressUnread); break;
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

void inputSeenByTick()
{
    // Every press has been read: from now on the screens see what the device holds.
    for (int i = 0; i < KEY_KEY_CODES_COUNT; ++i) {
        receiver.keyDown[i] = keyHeldNow[i];
        keyPressUnread[i] = false;
    }
    receiver.lastKeyDown = lastKeyNow;
    lastKeyUnread = false;
    leftButtonDown = leftHeldNow;
    rightButtonDown = rightHeldNow;
    leftPressUnread = rightPressUnread = false;
    inputUnread = false;
}

bool inputSinceTick()
{
    return inputUnread;
}

bool inputHeld()
{
    for (int i = 0; i < KEY_KEY_CODES_COUNT; ++i)
        if (receiver.keyDown[i])
            return true;
    return receiver.lastKeyDown != 0 || leftButtonDown || rightButtonDown;
}
