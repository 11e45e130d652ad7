// The play screen frame: drives the rules in their fixed order and draws the board, its balls and the selection.
#include "play/play.h"

int originX = 0, originY = 0, cellPitch = 1;
int pointerCol = -1, pointerRow = -1;

// originX, originY, cellPitch by size mode; the last row serves any other mode instead of an out-of-range read.
static const int geometryBySize[sizeModeCount + 1][3] = {
    {28, 36, 44}, {30, 40, 66}, {32, 40, 88}, {32, 50, 100}, {33, 52, 119}, {140, 70, 50},
};

void chooseBoardGeometry()
{
    const int* g = geometryBySize[(sizeMode >= 0 && sizeMode < sizeModeCount) ? sizeMode : sizeModeCount];
    originX = g[0];
    originY = g[1];
    cellPitch = g[2];
}

core::rect<s32> cellRect(int col, int row)
{
    const int x = originX + col * cellPitch;
    const int y = originY + row * cellPitch;
    // One pixel short of the next cell: the background shows through as a gap.
    return core::rect<s32>(x, y, x + cellPitch - 1, y + cellPitch - 1);
}

int pointerCell(int pointer, int origin)
{
    if (pointer < origin)
        return -1;
    // Gaps fall to the cell on their left or above: the division has no dead zone.
    const int index = (pointer - origin) / cellPitch;
    return index > boardSize - 1 ? -1 : index;
}

void hitTest()
{
    pointerCol = pointerCell(mouseX, originX);
    pointerRow = pointerCell(mouseY, originY);
}

video::SColor ballVertexColour(int appear)
{
    // Unsigned shift keeps only the low 8 bits of the alpha, without signed overflow.
    const u32 alpha = static_cast<u32>(255 - 10 * appear);
    return video::SColor(alpha << 24 | 0x00FFFFFF);
}

int removalFrameFor(int remove)
{
    if (remove >= 8)
        return 5;
    if (remove <= 4)
        return 1;
    return remove - 3;
}

void drawCellGrid()
{
    // The picture of 81 cells over the background, painted the other way round: the whole window in the cell
    // colour, then the background again around the board and in the one-pixel gaps. The painter turns the
    // window-wide fill into the clear, which a software renderer does for almost nothing.
    const video::SColor background(playBackgroundColour);
    const int extent = boardSize * cellPitch - 1;  // the last cell stops one pixel short, like every other
    paintRectangle(video::SColor(cellColour), core::rect<s32>(0, 0, screenWidth, screenHeight));
    paintRectangle(background, core::rect<s32>(0, 0, screenWidth, originY));
    paintRectangle(background, core::rect<s32>(0, originY + extent, screenWidth, screenHeight));
    paintRectangle(background, core::rect<s32>(0, originY, originX, originY + extent));
    paintRectangle(background, core::rect<s32>(originX + extent, originY, screenWidth, originY + extent));
    for (int k = 1; k < boardSize; ++k) {
        const int gap = k * cellPitch - 1;
        paintRectangle(background, core::rect<s32>(originX + gap, originY, originX + gap + 1, originY + extent));
        paintRectangle(background, core::rect<s32>(originX, originY + gap, originX + extent, originY + gap + 1));
    }
}

static void drawBall(int col, int row)
{
    const int code = board[col][row];
    const bool marked = code > colourCount;
    const core::rect<s32> dest = cellRect(col, row);
    // A marked ball keeps its own picture under the removal frame.
    paintImageInto(spriteSheet, dest, sourceRect(ballRegion(marked ? code / 11 : code)),
                   ballVertexColour(appearTimer[col][row]));
    if (marked)
        paintImageInto(spriteSheet, dest, sourceRect(removalRegion(removalFrameFor(removeTimer[col][row]))),
                       video::SColor(removalFrameColour));
}

void drawBalls()
{
    for (int row = 0; row < boardSize; ++row)
        for (int col = 0; col < boardSize; ++col)
            if (board[col][row] != emptyCell)
                drawBall(col, row);
}

void drawSelectionHighlight()
{
    // Blinks on the engine clock sampled per tick, not on a frame count.
    if (selectedCol != -1 && selectedRow != -1 && frameTime % 20 < 10)
        paintRectangle(video::SColor(selectionColour), cellRect(selectedCol, selectedRow));
}

bool selectionBlinkShown()
{
    // pointerCol and pointerRow are those of the last play frame, which drew the highlight when both were set.
    return activeScreen == 1 && selectedCol != -1 && selectedRow != -1 && pointerCol != -1 && pointerRow != -1;
}

void playScreenFrame()
{
    paintRectangle(video::SColor(playBackgroundColour), core::rect<s32>(0, 0, screenWidth, screenHeight));
    if (playState == playNewPending) {
        newGameReset();
        prepareLabelsForPlay();
    }
    if (inputCooldown > 0)
        --inputCooldown;
    if (keyCooldown > 0)
        --keyCooldown;
    firstKeyGroup();

    chooseBoardGeometry();
    drawCellGrid();
    drawBalls();
    hitTest();
    if (pointerCol != -1 && pointerRow != -1) {
        rightClickRemoval(pointerCol, pointerRow);
        resolveClick(pointerCol, pointerRow);
        // After the click, so a new selection shows in the frame that made it.
        drawSelectionHighlight();
    }
    if (frameTime % 3 == 0)
        countdownStep();

    updateScoreLabel();
    if (turnPhase == turnTakesClicks)
        secondKeyGroup();
    if (scanRowOverlay)
        drawScanRowOverlay();
    if (playState == playGameOver) {
        gameOverCountdownStep();
        // Drawn also in the frame the countdown ends: the last 11 frames show it.
        drawGameOverBanner();
    }
    if (playState == playNewPending && activeScreen == 0)
        blankScoreLabel();
    playButtons();
}
