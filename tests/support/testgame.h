// Test support: opens a game device as start-up does, feeds input through the real receiver and reads back
// the pixels a real window shows.
#pragma once

#include <string>

#include "shell/shell.h"

namespace testgame {

// Opens a device of the given driver for a size mode 0..4, in the run folder (or another with a media/ folder),
// and runs the start-up steps after the config read: font, textures, labels and start counters. EDT_NULL needs no
// display; EDT_OPENGL needs $DISPLAY (./test.sh starts Xvfb). The rules' state is reset as at program start.
void open(video::E_DRIVER_TYPE type, int mode, const char* folder = QUINTET_RUN_DIR);
// Drops the device and clears the engine pointers.
void close();

// Stops the engine timer at a time, so the next tick's frameTime is exactly that.
void setTime(u32 ms);
// Moves the pointer (warps it in a real window), sets mouseX, mouseY and tells the receiver of the move.
void pointAt(int x, int y);
// Input through MyEventReceiver::OnEvent, as the engine would deliver it.
void key(EKEY_CODE code, bool down);
void leftButton(bool down);
void rightButton(bool down);
// Releases every key and button.
void releaseAll();

// The window's pixels, read from the X server after the last tick, as a binary PPM picture: a header, then
// R, G and B of each pixel row by row.
std::string grab();

} // namespace testgame
