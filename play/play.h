// The play screen's own globals and steps, shared by the frame (play.cpp), the HUD (hud.cpp) and the tests.
#pragma once

#include "shell/shell.h"

// Board geometry of the current frame, looked up from sizeMode by chooseBoardGeometry.
extern int originX, originY, cellPitch;
// The cell under the pointer from the hit test, -1 when outside the board.
extern int pointerCol, pointerRow;

// Colours of the board.
const u32 playBackgroundColour = 0xFFAC918C;
const u32 cellColour = 0xFF817878;
const u32 selectionColour = 0x58817878;  // the cell colour at alpha 88
const u32 removalFrameColour = 0x4DFFFFFF;

// Board drawing and hit test (play.cpp).
void chooseBoardGeometry();
core::rect<s32> cellRect(int col, int row);
int pointerCell(int pointer, int origin);       // column or row index under a pointer coordinate, or -1
void hitTest();
video::SColor ballVertexColour(int appear);     // alpha 255 - 10 * appear, low 8 bits, on white
int removalFrameFor(int remove);                // the removal frame a removeTimer value shows
void drawCellGrid();
void drawBalls();
void drawSelectionHighlight();

// HUD, keys and buttons (hud.cpp).
const u32 scoreLabelColour = 0xC7FFFAE1;
const u32 leftLabelColour = 0xFFFFFAFF;
const int overlayButtonLeft = 180;  // distances of the buttons' left edges from the right window edge
const int backButtonLeft = 100;
const wchar_t* scoreFormatFor(int points);
void prepareLabelsForPlay();
void updateScoreLabel();
void blankScoreLabel();
void firstKeyGroup();
void rightClickRemoval(int col, int row);
void secondKeyGroup();
void drawScanRowOverlay();
void drawGameOverBanner();
bool buttonHovered(int left);       // pointer in the hover zone of the button whose left edge is W - left
void playButtons();
