// The media's layout (where the game reads each picture), the colours the game draws them on, and the pictures' makers.
#pragma once

#include <cstdint>

#include "tools/mkmedia/raster.h"

// A source rectangle as the game passes it to the engine: x2 and y2 lie one past the last texel.
struct Region {
    int x1, y1, x2, y2;
};

// media/exp.bmp
const int sheetSize = 512;
const int spriteSize = 64;
Region ballRegion(int colour);     // colour 1..5
Region removalRegion(int frame);   // frame 1 (last shown) .. 5 (first shown)
const Region bannerRegion{288, 365, 443, 390};
const Region overlayTipRegion{40, 405, 125, 430};
const Region backTipRegion{40, 445, 125, 470};
const Region overlayIconRegion{65, 475, 125, 501};
const Region backIconRegion{189, 475, 249, 501};

// media/title.bmp
const int titleSize = 512;
const Region artworkRegion{0, 52, 512, 177};
const Region startRegion{180, 400, 380, 460};
const Region leftArrowRegion{380, 480, 420, 510};
const Region rightArrowRegion{430, 480, 470, 510};
const Region emblemRegion{380, 395, 500, 433};

// What the game paints under the pictures, so their soft edges can be blended onto it ahead of time.
const uint32_t playBackground = 0xAC918C;
const uint32_t cellColour = 0x817878;
const uint32_t titleBackground = 0xD1E8CA;
const uint32_t bandColour = 0xA896A4;
const float bandAlpha = 0xD4 / 255.0f;
Colour bandOnBackground();  // the lower band as it shows over the title background

// The five ball colours, and the small mark each carries so they differ by shape too.
const int ballColourCount = 5;
const uint32_t ballColours[ballColourCount] = {0xE5392C, 0x34B24A, 0x2F6CE5, 0xF6C21C, 0xB04ACF};
enum BallMark { markDot, markRing, markBar, markCross, markStar };
const BallMark ballMarks[ballColourCount] = {markDot, markRing, markBar, markCross, markStar};

// A shaded ball of colour 1..5 centred in a square layer, with a soft shadow, on transparency.
Image ballLayer(int colour, int size, float radius);

Image makeSpriteSheet();
Image makeTitleImage();
Image makeAppIcon();
