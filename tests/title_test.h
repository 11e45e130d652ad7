// Shared by the title screen's tests: the layout as the game's design states it, and a scratch working folder
// whose "start" only records that it ran, so a relaunch in a test never opens a real game.
#pragma once

#include <string>

// One row of the title screen's layout table, written out here independently of the game's own copy.
struct ExpectedTitleLayout {
    const char* name;
    int side;
    int bandTop;
    int artX1, artY1, artX2, artY2;
    int bx, by;  // start button origin
    int ax, ay;  // selector anchor
    int dy;      // arrow offset
    int m;       // credit margin
};

const ExpectedTitleLayout expectedLayouts[5] = {
    {"XS", 450, 140, 0, 40, 450, 165, 85, 210, 276, 323, -4, 30},
    {"S", 650, 186, 0, 60, 650, 225, 180, 340, 380, 480, -4, 30},
    {"M", 850, 221, 0, 80, 850, 275, 300, 430, 490, 600, -4, 30},
    {"L", 960, 261, 0, 100, 960, 325, 360, 480, 550, 660, 5, 56},
    {"XL", 1140, 355, 0, 150, 1140, 435, 460, 580, 640, 760, 5, 56},
};

// Makes a fresh folder with media linked in and a recording launcher, and enters it. Returns its path.
std::string enterScratchFolder();
// Leaves and removes the folder.
void leaveScratchFolder(const std::string& folder);
// Waits up to timeoutMs for the recording launcher to have run; returns the folder it ran in, or "".
std::string launcherRanIn(int timeoutMs);
// config.cfg's bytes, or "" when it cannot be read.
std::string configBytes();
// The record a relaunch must leave for a mode: the digit, then 35 zero bytes.
std::string expectedRecord(int mode);

// The mode one step below or above, wrapping like the selector.
inline int modeBelow(int mode) { return (mode + 4) % 5; }
inline int modeAbove(int mode) { return (mode + 1) % 5; }
