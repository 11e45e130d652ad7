// The play screen around the board: score label, keys, right-click removal, overlay, banner and the two buttons.
#include "play/play.h"
#include "platform/platform.h"

static const u32 newGameSizeLabelColour = 0xFFFFFFFF;
static const u32 overlayWideBandColour = 0x1E000000;
static const u32 overlayNarrowBandColour = 0x50000000;
static const u32 bannerShadowColour = 0x63010101;
static const u32 bannerColour = 0xFFFFFFFF;
static const u32 tooltipColour = 0xFFFFFFFF;
static const u32 dimIconColour = 0x7BFFFFFF;
static const u32 litIconColour = 0xFFFFFFFF;
// alpha * 2^24 + grey * 0x010101
static const u32 idleButtonColour = 99u << 24 | 55u * 0x010101u;
static const u32 hoveredButtonColour = 122u << 24 | 255u * 0x010101u;

void prepareLabelsForPlay()
{
    formatWide(textBuffer, textBufferSize, L"  ");
    sizeLabel->setText(textBuffer);
    sizeLabel->setOverrideColor(video::SColor(newGameSizeLabelColour));
    const int top = sizeMode <= 2 ? 10 : 3;
    infoLabel->setRelativePosition(core::rect<s32>(30, top, 530, top + 40));
}

const wchar_t* scoreFormatFor(int points)
{
    // The zeros are text, not a field width: six digits up to 9, seven from 10 to 999999.
    if (points <= 99)
        return L"SCORE: 00000%d  ";
    if (points <= 999)
        return L"SCORE: 0000%d  ";
    if (points <= 9999)
        return L"SCORE: 000%d  ";
    if (points <= 99999)
        return L"SCORE: 00%d  ";
    return L"SCORE: 0%d  ";
}

void updateScoreLabel()
{
    formatWide(textBuffer, textBufferSize, scoreFormatFor(score), score);
    infoLabel->setText(textBuffer);
    infoLabel->setOverrideColor(video::SColor(scoreLabelColour));
}

void blankScoreLabel()
{
    formatWide(textBuffer, textBufferSize, L"  ");
    infoLabel->setText(textBuffer);
    infoLabel->setOverrideColor(video::SColor(leftLabelColour));
}

static bool held(EKEY_CODE code)
{
    return receiver.isKeyDown(code);
}

// Holds a click off: a cooldown already running is left as it is.
static void swallowClick()
{
    if (inputCooldown == 0)
        inputCooldown = 22;
}

void firstKeyGroup()
{
    if (held(KEY_ESCAPE) && inputCooldown == 0) {
        activeScreen = 0;
        score = 0;
        playState = playNewPending;
        inputCooldown = 44;
    }
    if (held(KEY_TAB)) {
        if (leftButtonDown)
            swallowClick();
        if (rightButtonDown)
            swallowClick();
    }
    if (held(KEY_BACK) && leftButtonDown)
        swallowClick();
}

void rightClickRemoval(int col, int row)
{
    if (!rightButtonDown || inputCooldown != 0 || !(shiftPulse[0] || shiftPulse[1]))
        return;
    inputCooldown = 22;
    if (board[col][row] == emptyCell)
        return;
    // The timers go with the ball: a marked ball's removal left running would take the next ball on this cell.
    board[col][row] = emptyCell;
    removeTimer[col][row] = 0;
    appearTimer[col][row] = 0;
}

void secondKeyGroup()
{
    static const EKEY_CODE directionKeys[] = {KEY_UP,   KEY_KEY_W, KEY_DOWN,  KEY_KEY_S,
                                              KEY_LEFT, KEY_KEY_A, KEY_RIGHT, KEY_KEY_D};
    if (inputCooldown == 0)
        for (EKEY_CODE code : directionKeys)
            if (held(code)) {
                inputCooldown = 2;
                break;
            }
    // Lets a held left button click in every frame: the next frame's countdown brings this to 0.
    if (held(KEY_COMMA) || held(KEY_PERIOD))
        inputCooldown = 1;

    if (receiver.lastKeyDown == KEY_RSHIFT && keyCooldown == 0) {
        shiftPulse[1] = true;
        keyCooldown = 16;
        shiftPulse[0] = false;
    } else {
        shiftPulse[1] = false;
        if (receiver.lastKeyDown == KEY_LSHIFT && keyCooldown == 0) {
            shiftPulse[0] = true;
            keyCooldown = 16;
        } else {
            shiftPulse[0] = false;
        }
    }

    if (held(KEY_RCONTROL) && keyCooldown == 0)
        keyCooldown = 16;
    if (held(KEY_LCONTROL) && keyCooldown == 0)
        keyCooldown = 16;
}

// Rows y, y + 1 and y + 2 of every four darkened by the wide band, row y + 1 again by the narrow one: as a picture
// of four rows repeated over the window, with the twice darkened row at the one alpha that darkens as much.
static void makeScanRowTexture()
{
    const u32 wide = overlayWideBandColour >> 24, narrow = overlayNarrowBandColour >> 24;
    const u32 alphaByRow[4] = {wide, 255 - (255 - wide) * (255 - narrow) / 255, wide, 0};
    video::IImage* image = driver->createImage(video::ECF_A8R8G8B8, core::dimension2d<u32>(4, 4));
    if (!image)
        return;
    for (u32 y = 0; y < 4; ++y)
        for (u32 x = 0; x < 4; ++x)
            image->setPixel(x, y, video::SColor(alphaByRow[y], 0, 0, 0));
    scanRowTexture = driver->addTexture("scan rows", image);
    image->drop();
}

void drawScanRowOverlay()
{
    if (!scanRowTexture)
        makeScanRowTexture();
    if (scanRowTexture) {
        paintImage(scanRowTexture, core::position2d<s32>(0, 0), core::rect<s32>(0, 0, screenWidth, screenHeight),
                   video::SColor(0xFFFFFFFF));
        return;
    }
    for (int y = 0; y < screenHeight - 1; y += 4) {
        paintRectangle(video::SColor(overlayWideBandColour), core::rect<s32>(0, y, screenWidth, y + 3));
        paintRectangle(video::SColor(overlayNarrowBandColour), core::rect<s32>(0, y + 1, screenWidth, y + 2));
    }
}

void drawGameOverBanner()
{
    if (gameOverCountdown % 20 >= 11)
        return;
    const int x = screenWidth / 2, y = screenHeight / 2;
    paintImage(spriteSheet, core::position2d<s32>(x - 64, y - 95), sourceRect(bannerRegion),
               video::SColor(bannerShadowColour));
    paintImage(spriteSheet, core::position2d<s32>(x - 68, y - 100), sourceRect(bannerRegion), video::SColor(bannerColour));
}

bool buttonHovered(int left)
{
    const int x1 = screenWidth - left;
    return x1 < mouseX && mouseX < x1 + 60 && 5 <= mouseY && mouseY <= 32;
}

static void drawTooltip(const ImageRegion& tooltip)
{
    paintImage(spriteSheet, core::position2d<s32>(mouseX, mouseY + 20), sourceRect(tooltip), video::SColor(tooltipColour));
}

static void drawButtonFace(int left, bool hovered, const ImageRegion& icon, u32 iconColour)
{
    const int x1 = screenWidth - left;
    paintRectangle(video::SColor(hovered ? hoveredButtonColour : idleButtonColour), core::rect<s32>(x1, 4, x1 + 60, 33));
    paintImage(spriteSheet, core::position2d<s32>(x1, 6), sourceRect(icon), video::SColor(iconColour));
}

void playButtons()
{
    // The icon shows the overlay as it was before this frame's toggle.
    const u32 overlayIconColour = scanRowOverlay ? litIconColour : dimIconColour;

    const bool backHovered = buttonHovered(backButtonLeft);
    if (backHovered) {
        drawTooltip(backTipRegion);
        if (leftButtonDown && inputCooldown == 0) {
            inputCooldown = 9;
            playState = playNewPending;
            activeScreen = 0;
        }
    }
    const bool overlayHovered = buttonHovered(overlayButtonLeft);
    if (overlayHovered) {
        drawTooltip(overlayTipRegion);
        if (leftButtonDown && inputCooldown == 0) {
            inputCooldown = 9;
            scanRowOverlay = !scanRowOverlay;
        }
    }
    // Faces after the tooltips, so a face covers the part of a tooltip it overlaps.
    drawButtonFace(backButtonLeft, backHovered, backIconRegion, dimIconColour);
    drawButtonFace(overlayButtonLeft, overlayHovered, overlayIconRegion, overlayIconColour);
}
