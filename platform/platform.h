// What differs between Windows and POSIX: the video driver, wide formatting and starting the launcher.
#pragma once

#include <cstddef>
#include <irrlicht.h>

// The hardware driver start-up asks for: Direct3D 9 on Windows, OpenGL elsewhere.
irr::video::E_DRIVER_TYPE preferredDriver();

// Formats into a wide buffer of the given size, like swprintf_s; the result is always terminated.
int formatWide(wchar_t* buffer, std::size_t size, const wchar_t* format, ...);

// The launcher's file name: "start" plus the platform's executable suffix.
const char* launcherName();

// Starts the launcher without waiting for it; false when it could not be started.
// POSIX: the launcher next to the running executable, else "start" in the working directory; no shell, no PATH.
bool startLauncher();
