// Start-up: game state, random seed, the engine device, font, textures and the two labels.
#include "shell/shell.h"
#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

void resetGameState()
{
    sizeMode = 0;
    for (int col = 0; col < boardSize; ++col)
        for (int row = 0; row < boardSize; ++row)
            board[col][row] = appearTimer[col][row] = removeTimer[col][row] = 0;
    selectedCol = selectedRow = -1;
    score = 0;
}

void seedRandom()
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

void createVideoDevice()
{
    createVideoDeviceWith(preferredDriver());
}

void createVideoDeviceWith(video::E_DRIVER_TYPE type)
{
    SIrrlichtCreationParameters params;
    params.DeviceType = EIDT_BEST;
    params.DriverType = type;
    params.WindowSize = core::dimension2d<u32>(screenWidth, screenHeight);
    params.Bits = 32;
    params.ZBufferBits = 32;
    params.Fullscreen = false;
    params.Stencilbuffer = false;
    params.Vsync = false;
    params.AntiAlias = 0;
    params.HandleSRGB = false;
    params.WithAlphaChannel = false;
    params.Doublebuffer = true;
    params.IgnoreInput = false;
    params.Stereobuffer = false;
    params.HighPrecisionFPU = false;
    params.EventReceiver = &receiver;
    params.WindowId = nullptr;
    params.LoggingLevel = ELL_INFORMATION;
    params.DisplayAdapter = 0;
    params.DriverMultithreaded = false;
    params.UsePerformanceTimer = true;
    // SDK_version_do_not_use is const and already holds IRRLICHT_SDK_VERSION.

    device = createDeviceEx(params);
    if (!device) {
        std::printf("cannot create video device.. ");
        std::exit(1);
    }
    driver = device->getVideoDriver();
    guiEnv = device->getGUIEnvironment();
    identifyWindow(driver->getExposedVideoData(), screenWidth, screenHeight);

    driver->setTextureCreationFlag(video::ETCF_OPTIMIZED_FOR_QUALITY, true);
    driver->setTextureCreationFlag(video::ETCF_ALWAYS_32_BIT, true);
    video::SMaterial& material2D = driver->getMaterial2D();
    material2D.TextureLayer[0].BilinearFilter = true;
    material2D.AntiAliasing = video::EAAM_FULL_BASIC;
}

gui::IGUIFont* openFont(const char* file)
{
    // A damaged font file counts as missing: the engine is not to see it.
    return fontFileIntact(file) ? guiEnv->getFont(file) : nullptr;
}

void loadFont()
{
    activeScreen = 0;
    gui::IGUISkin* skin = guiEnv->getSkin();
    const char* file = fontFileFor(sizeMode);
    uiFont = openFont(file);
    if (!uiFont) {
        // The message names the file without its folder.
        std::printf(" sorry, font file not found:  %s  !!! \n", file + sizeof "media/" - 1);
        std::exit(1);
    }
    skin->setFont(uiFont, gui::EGDF_DEFAULT);
}

void loadTextures()
{
    driver->setAllowZWriteOnTransparent(true);
    const video::SColor colourKey(0x00FF00FF);
    // A missing or damaged image leaves its texture null; drawing with a null texture does nothing.
    const char* sheetFile = "media/exp.bmp";
    spriteSheet = bitmapFileIntact(sheetFile) ? driver->getTexture(sheetFile) : nullptr;
    if (spriteSheet)
        driver->makeColorKeyTexture(spriteSheet, colourKey, false);
    const char* titleFile = "media/title.bmp";
    titleTexture = bitmapFileIntact(titleFile) ? driver->getTexture(titleFile) : nullptr;
    if (titleTexture)
        driver->makeColorKeyTexture(titleTexture, colourKey, false);
}

void createLabels()
{
    const core::rect<s32> area(0, 0, screenWidth - 10, 40);
    infoLabel = guiEnv->addStaticText(L"  ", area, false, false, nullptr, -1, false);
    infoLabel->setOverrideFont(nullptr);
    infoLabel->setOverrideColor(video::SColor(0xFF000000));
    sizeLabel = guiEnv->addStaticText(L"  ", area, false, false, nullptr, -1, false);
    sizeLabel->setOverrideFont(uiFont);
    sizeLabel->setOverrideColor(video::SColor(0xFF000000));
    device->getCursorControl()->setVisible(true);
}

void setStartCounters()
{
    inputCooldown = 22;
    keyCooldown = 22;
    activeScreen = 0;
    playState = playRunning;
}

void startUp()
{
    resetGameState();
    windowSideLimit = largestWindowSide();
    readConfig();
    seedRandom();
    createVideoDevice();
    loadFont();
    loadTextures();
    createLabels();
    setStartCounters();
}
