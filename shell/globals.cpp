// Definitions of the shell's globals; their meaning is written beside the declarations in shell.h.
#include "shell/shell.h"

int screenWidth = 1024, screenHeight = 768;
int sizeMode = 0;
int appliedSizeMode = 0;
int windowSideLimit = 0;
int frameTime = 0;
int mouseX = 0, mouseY = 0;
bool scanRowOverlay = false;
bool shiftPulse[2] = {false, false};

IrrlichtDevice* device = nullptr;
video::IVideoDriver* driver = nullptr;
gui::IGUIEnvironment* guiEnv = nullptr;
gui::IGUIFont* uiFont = nullptr;
video::ITexture* spriteSheet = nullptr;
video::ITexture* titleTexture = nullptr;
video::ITexture* scanRowTexture = nullptr;
video::ITexture* canvasTexture = nullptr;
gui::IGUIStaticText* infoLabel = nullptr;
gui::IGUIStaticText* sizeLabel = nullptr;
wchar_t textBuffer[textBufferSize];

MyEventReceiver receiver;
