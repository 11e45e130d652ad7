// Every shared global of the game, declared once: the rules' state, the window, the engine objects and the input.
#pragma once

#include <irrlicht.h>
#include "board/board.h"
#include "shell/regions.h"

using namespace irr;

// Window and size choice.
extern int screenWidth, screenHeight;  // window size in pixels, fixed for the run
extern int sizeMode;                   // chosen size mode 0..4 ("XS" .. "XL"); the title screen changes it
extern int appliedSizeMode;            // size mode the open window was made with

// The tick.
const int tickLengthMs = 17;
extern int frameTime;                  // engine time in ms at the start of the tick
extern int mouseX, mouseY;             // pointer in window pixels, read once per tick

// Play screen extras that outlive a game.
extern bool scanRowOverlay;            // the darkening scan-row overlay is on
extern bool shiftPulse[2];             // one-tick pulses of the left [0] and right [1] shift keys

// A picture's place in its texture, as the engine's source rectangle.
inline core::rect<s32> sourceRect(const ImageRegion& r) { return core::rect<s32>(r.x1, r.y1, r.x2, r.y2); }

// Engine objects; the engine owns them, only the device is ever dropped.
extern IrrlichtDevice* device;
extern video::IVideoDriver* driver;
extern gui::IGUIEnvironment* guiEnv;
extern gui::IGUIFont* uiFont;
extern video::ITexture* spriteSheet;   // media/exp.bmp
extern video::ITexture* titleTexture;  // media/title.bmp
// Made by the game itself for the device, when first needed; gone with the device.
extern video::ITexture* scanRowTexture;  // the play screen's overlay, four rows repeated
extern video::ITexture* canvasTexture;   // the window's picture, painted in parts (null: painted on the window)
extern gui::IGUIStaticText* infoLabel; // credit on the title screen, score in play
extern gui::IGUIStaticText* sizeLabel; // size name on the title screen
const int textBufferSize = 255;
extern wchar_t textBuffer[textBufferSize];

// Records held keys, the last key pressed and the mouse buttons; acts on nothing itself.
class MyEventReceiver : public IEventReceiver {
public:
    MyEventReceiver();
    virtual ~MyEventReceiver() {}
    virtual bool OnEvent(const SEvent& event);
    virtual bool isKeyDown(EKEY_CODE code) const;

    // Both keep a press until a tick has read it, so a tap shorter than a tick is seen once.
    s32 lastKeyDown;                   // latest key pressed, 0 after any release
    bool keyDown[KEY_KEY_CODES_COUNT]; // held keys by engine key code
};
extern MyEventReceiver receiver;
// The tick's end: every press has been read, so a key or button let go before the tick saw it now reads released.
void inputSeenByTick();
// True when a key or mouse event (a move too) came after the last tick's end.
bool inputSinceTick();
// True when any key or mouse button is held, as the last tick left them.
bool inputHeld();

// The size table: window side and font for modes 0..4.
const int sizeModeCount = 5;
const int windowSideBySize[sizeModeCount] = {450, 650, 850, 960, 1140};
const wchar_t* const sizeModeNames[sizeModeCount] = {L"XS", L"S", L"M", L"L", L"XL"};  // as the title shows them
const char* fontFileFor(int mode);     // "media/Swiss12.xml" or "media/humn28.xml"

// Only sizes whose window fits the screen are opened and offered. windowSideLimit is the largest side that fits
// (largestWindowSide), measured by main before the config read; 0, where nothing limits it, lets every size fit.
// Tests set it.
extern int windowSideLimit;
bool sizeModeFits(int mode, int limit);      // XS always fits: there is nothing smaller
int fittingSizeMode(int mode, int limit);    // mode itself when it fits, else the largest that does
int nextFittingSizeMode(int mode, int step, int limit);  // step +1 up, -1 down, wrapping within the fitting sizes

// config.cfg: a 36-byte record whose byte 0 is the size digit '0'..'4'.
const char configFileName[] = "config.cfg";  // in the working directory
const int configRecordSize = 36;
struct ConfigRecord {
    unsigned char bytes[configRecordSize];
};
ConfigRecord configRecordFor(int mode); // the record a writer stores for a mode; bytes 4..35 zero
bool writeConfigRecord(const ConfigRecord& record);  // stores it whole or not at all; false when not stored

// Start-up: startUp runs the steps below in this order, as the game starts.
void startUp();
void resetGameState();
void readConfig();           // reads or creates config.cfg, echoes it, sets sizeMode and the window size
bool bitmapFileIntact(const char* path);  // media checks, before the engine's loaders see a file
bool fontFileIntact(const char* path);
void seedRandom();
void createVideoDevice();    // fills device, driver and guiEnv or ends with status 1
void createVideoDeviceWith(video::E_DRIVER_TYPE type);  // the same with a chosen driver (tests: the null one)
gui::IGUIFont* openFont(const char* file);  // the engine's font from a file that passes the check, or null
void loadFont();             // ends with status 1 when the font is missing
void loadTextures();
void createLabels();
void setStartCounters();

// Painting (paint.cpp). Images are drawn with their texture's alpha channel and no clip; a stretched image has
// one colour at all four corners. Inside a tick these are recorded and shown by showPicture, else drawn at once.
void paintRectangle(video::SColor colour, const core::rect<s32>& area);
void paintImage(video::ITexture* texture, const core::position2d<s32>& at, const core::rect<s32>& source,
                video::SColor colour);
void paintImageInto(video::ITexture* texture, const core::rect<s32>& area, const core::rect<s32>& source,
                    video::SColor colour);
void startPicture(video::SColor clear);  // a tick's picture begins: cleared to this colour
// Draws the picture and the GUI and presents them, unless they are what the window already shows; true when it
// drew. On OpenGL the picture is kept in a canvas, where a tick paints again only the parts that changed.
bool showPicture();
// The shown picture put on the window again, after the window system lost it (a window that covered it went):
// the canvas copied to the window, or without one the whole picture painted.
void repairShownPicture();
void forgetShownPicture();               // the next picture is drawn whatever it shows (a new device, a benchmark)
void showPictureWhole();                 // the shown picture again, painted whole (tests: against one in parts)

// The loop.
bool tickDue(u32 timeMs, u32& lastTick);  // true once per new tick number, and moves lastTick on
u32 msUntilTick(u32 timeMs, u32 lastTick); // 0 when a tick is due at timeMs, else the time until the next one
bool runTick();                            // true when the tick drew a new picture
// True when a tick, with no new input, would change no global (frameTime aside, which every tick sets first);
// pictureChanged is whether the tick just run drew a new picture. The game rests after a tick that began and ended
// at rest and drew nothing new: each tick after it, without input, paints the same picture.
bool gameAtRest(bool pictureChanged);
// After device->run(): runs the tick if one is due and repairs a window the window system reports uncovered.
// Returns how long to wait for the window system before the next pass, in ms; -1 while the game rests: until input.
int loopPass();
int runMainLoop();
void captureFrameTime();
void updateWindowCaption();
[[noreturn]] void quitGame();

// The screens.
void titleScreenFrame();
void playScreenFrame();
bool selectionBlinkShown();  // the play screen shows the selection, whose highlight blinks with the clock
// Stores sizeMode in config.cfg, starts the launcher and exits with -1; returns only when the file cannot be written.
void relaunchWithSize();
