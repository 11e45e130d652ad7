// The media's layout (where the game reads each picture), the colours the game draws them on, and the pictures' makers.
#pragma once

#include <cstdint>

#include "shell/regions.h"
#include "tools/mkmedia/raster.h"

// media/exp.bmp and media/title.bmp; where each picture goes is shell/regions.h.
const int sheetSize = 512;
const int spriteSize = 64;
const int titleSize = 512;

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
