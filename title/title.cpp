// The title screen: artwork, start button, size selector and credit; starts play, changes the size or quits.
#include "title/title.h"
#include "platform/platform.h"

const TitleLayout titleLayouts[sizeModeCount] = {
    {140, 0, 40, 450, 165, 85, 210, 276, 323, -4, 30},
    {186, 0, 60, 650, 225, 180, 340, 380, 480, -4, 30},
    {221, 0, 80, 850, 275, 300, 430, 490, 600, -4, 30},
    {261, 0, 100, 960, 325, 360, 480, 550, 660, 5, 56},
    {355, 0, 150, 1140, 435, 460, 580, 640, 760, 5, 56},
};

// One credit line in three lengths, each fitting its mode's label at that mode's font.
static const wchar_t creditFull[] = L"Quintet 1.0 - five in a row, made with the Irrlicht Engine 1.8";
static const wchar_t creditMiddle[] = L"Quintet - made with the Irrlicht Engine";
static const wchar_t creditShort[] = L"Quintet - made with Irrlicht";

static const wchar_t* creditFor(int mode)
{
    if (mode == 0)
        return creditShort;
    if (mode == 3)
        return creditMiddle;
    return creditFull;
}

// Regions of media/title.bmp.
static const core::rect<s32> artworkSource = sourceRect(artworkRegion);
static const core::rect<s32> buttonSource = sourceRect(startRegion);
static const core::rect<s32> leftArrowSource = sourceRect(leftArrowRegion);
static const core::rect<s32> rightArrowSource = sourceRect(rightArrowRegion);
static const core::rect<s32> emblemSource = sourceRect(emblemRegion);

static const int buttonWidth = 300, buttonHeight = 75;
static const int arrowWidth = 40, arrowHeight = 30;
static const int leftArrowOffset = 130;  // the left arrow's box starts this far left of the anchor

static bool keyPressed(EKEY_CODE code)
{
    return receiver.keyDown[code] && inputCooldown == 0;
}

// Strict on all four sides: the border belongs to the outside.
static bool pointerInside(int x1, int y1, int x2, int y2)
{
    return x1 < mouseX && mouseX < x2 && y1 < mouseY && mouseY < y2;
}

// Only through the sizes that fit this screen.
static int modeAbove(int mode) { return nextFittingSizeMode(mode, 1, windowSideLimit); }
static int modeBelow(int mode) { return nextFittingSizeMode(mode, -1, windowSideLimit); }

// A textured image stretched into a rectangle, all four corners in one colour.
static void drawStretched(const core::rect<s32>& dest, const core::rect<s32>& source, video::SColor colour)
{
    paintImageInto(titleTexture, dest, source, colour);
}

static void drawAt(int x, int y, const core::rect<s32>& source, video::SColor colour)
{
    paintImage(titleTexture, core::position2d<s32>(x, y), source, colour);
}

void titleScreenFrame()
{
    const TitleLayout& shown = titleLayouts[sizeMode];
    paintRectangle(video::SColor(0xFFD1E8CA), core::rect<s32>(0, 0, screenWidth, screenHeight));
    paintRectangle(video::SColor(0xD4A896A4), core::rect<s32>(0, shown.bandTop, screenWidth, screenHeight));
    drawStretched(core::rect<s32>(shown.artX1, shown.artY1, shown.artX2, shown.artY2), artworkSource,
                  video::SColor(0xFFFFFFFF));

    formatWide(textBuffer, textBufferSize, L"%ls", sizeModeNames[sizeMode]);
    sizeLabel->setText(textBuffer);
    sizeLabel->setOverrideColor(video::SColor(0xE9F4EBDC));

    // Left first: it sets the cooldown, so Right held with it does nothing.
    if (keyPressed(KEY_LEFT)) {
        sizeMode = modeBelow(sizeMode);
        inputCooldown = 11;
    }
    if (keyPressed(KEY_RIGHT)) {
        sizeMode = modeAbove(sizeMode);
        inputCooldown = 11;
    }

    // The selector stays where this mode puts it for the rest of the tick, even if a click changes the mode.
    const TitleLayout& selector = titleLayouts[sizeMode];
    const int ax = selector.anchorX, ay = selector.anchorY;
    sizeLabel->setRelativePosition(core::rect<s32>(ax - 58, ay - 1, ax - 2, ay + 40));

    u32 rightAlpha = 110, leftAlpha = 110;
    if (ay < mouseY && mouseY < ay + arrowHeight) {
        if (pointerInside(ax, ay, ax + arrowWidth, ay + arrowHeight)) {
            rightAlpha = 255;
            if (leftButtonDown && inputCooldown == 0) {
                sizeMode = modeAbove(sizeMode);
                inputCooldown = 9;
            }
        }
        const int lx = ax - leftArrowOffset;
        if (pointerInside(lx, ay, lx + arrowWidth, ay + arrowHeight)) {
            leftAlpha = 255;
            if (leftButtonDown && inputCooldown == 0) {
                sizeMode = modeBelow(sizeMode);
                inputCooldown = 9;
            }
        }
    }
    drawAt(ax, ay + selector.arrowDy, rightArrowSource, video::SColor(rightAlpha, 255, 255, 255));
    drawAt(ax - leftArrowOffset, ay + selector.arrowDy, leftArrowSource, video::SColor(leftAlpha, 255, 255, 255));

    if (sizeMode != appliedSizeMode) {
        const int windowMode = appliedSizeMode;
        appliedSizeMode = sizeMode;
        relaunchWithSize();
        // Still here: config.cfg could not be written. The open window keeps its size, so the choice goes back
        // to it; the tick ends as a relaunching tick would, and the cooldown just set keeps a held key or
        // button from retrying on every tick.
        sizeMode = appliedSizeMode = windowMode;
        return;
    }

    const TitleLayout& current = titleLayouts[sizeMode];
    const int bx = current.buttonX, by = current.buttonY;
    drawStretched(core::rect<s32>(bx + 5, by + 4, bx + buttonWidth + 5, by + buttonHeight + 4), buttonSource,
                  video::SColor(0x63373737));
    const bool buttonHovered = pointerInside(bx, by, bx + buttonWidth, by + buttonHeight);
    if (buttonHovered && leftButtonDown && inputCooldown == 0) {
        activeScreen = 1;
        playState = playNewPending;
        return;
    }
    drawStretched(core::rect<s32>(bx, by, bx + buttonWidth, by + buttonHeight), buttonSource,
                  video::SColor(buttonHovered ? 255 : 155, 255, 255, 255));

    const int m = current.creditMargin;
    infoLabel->setRelativePosition(core::rect<s32>(1, screenHeight - m, screenWidth - m - 50, screenHeight - 1));
    infoLabel->setOverrideColor(video::SColor(0x58FFFFFF));
    formatWide(textBuffer, textBufferSize, L"%ls", creditFor(sizeMode));
    infoLabel->setText(textBuffer);

    drawAt(screenWidth - 125, screenHeight - 36, emblemSource, video::SColor(0x37FFFFFF));

    if (inputCooldown > 0)
        --inputCooldown;

    // Space is tested first, so holding Escape with it starts a game rather than quitting.
    if (keyPressed(KEY_SPACE)) {
        inputCooldown = 22;
        activeScreen = 1;
        playState = playNewPending;
    } else if (keyPressed(KEY_ESCAPE)) {
        quitGame();
    }
}
