// Where each picture sits in media/exp.bmp and media/title.bmp: the screens draw from these rectangles
// and the media generator paints into them. Engine-free, so the generator builds without the engine.
#pragma once

// A source rectangle as the engine takes it: x2 and y2 lie one past the last texel.
struct ImageRegion {
    int x1, y1, x2, y2;
};

// media/exp.bmp: balls and removal frames stand in two columns with a 67-pixel step.
inline ImageRegion ballRegion(int colour)  // colour 1..5
{
    const int top = 3 + 67 * (colour - 1);
    return ImageRegion{39, top, 103, top + 64};
}
inline ImageRegion removalRegion(int frame)  // frame 1 (last shown) .. 5 (first shown)
{
    const int top = 3 + 67 * (frame - 1);
    return ImageRegion{110, top, 174, top + 64};
}
const ImageRegion bannerRegion{288, 365, 443, 390};
const ImageRegion overlayTipRegion{40, 405, 125, 430};
const ImageRegion backTipRegion{40, 445, 125, 470};
const ImageRegion overlayIconRegion{65, 475, 125, 501};
const ImageRegion backIconRegion{189, 475, 249, 501};

// media/title.bmp
const ImageRegion artworkRegion{0, 52, 512, 177};
const ImageRegion startRegion{180, 400, 380, 460};
const ImageRegion leftArrowRegion{380, 480, 420, 510};
const ImageRegion rightArrowRegion{430, 480, 470, 510};
const ImageRegion emblemRegion{380, 395, 500, 433};
