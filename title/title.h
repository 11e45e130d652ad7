// The title screen's layout, shared by its frame (title.cpp) and the tests.
#pragma once

#include "shell/shell.h"

// Where everything sits for one size mode; the window sides and names themselves are windowSideBySize and
// sizeModeNames.
struct TitleLayout {
    int bandTop;
    int artX1, artY1, artX2, artY2;
    int buttonX, buttonY;      // start button origin
    int anchorX, anchorY;      // selector anchor: the right arrow's hit box starts here
    int arrowDy;               // arrows are drawn this far below their hit boxes
    int creditMargin;
};

extern const TitleLayout titleLayouts[sizeModeCount];
