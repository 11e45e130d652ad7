// The platform layer: Direct3D 9 and WinExec on Windows, OpenGL and posix_spawn elsewhere.
#include "platform/platform.h"

#include <cstdarg>
#include <cwchar>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>
extern char** environ;
#endif

irr::video::E_DRIVER_TYPE preferredDriver()
{
#ifdef _WIN32
    return irr::video::EDT_DIRECT3D9;
#else
    return irr::video::EDT_OPENGL;
#endif
}

int formatWide(wchar_t* buffer, std::size_t size, const wchar_t* format, ...)
{
    if (!buffer || size == 0)
        return -1;
    va_list args;
    va_start(args, format);
#ifdef _WIN32
    const int written = vswprintf_s(buffer, size, format, args);
#else
    const int written = std::vswprintf(buffer, size, format, args);
#endif
    va_end(args);
    // vswprintf leaves the buffer unspecified when the text does not fit; an empty text is the safe answer.
    if (written < 0)
        buffer[0] = L'\0';
    return written;
}

const char* launcherName()
{
#ifdef _WIN32
    return "start.exe";
#else
    return "start";
#endif
}

#ifndef _WIN32
// The folder of the running executable, with a trailing slash, or "" when it cannot be told.
static std::string executableFolder()
{
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return std::string();
    path[n] = '\0';
    std::string folder(path);
    const std::size_t slash = folder.rfind('/');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

static bool isExecutableFile(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}
#endif

bool startLauncher()
{
#ifdef _WIN32
    return WinExec("start.exe", SW_SHOW) > 31;
#else
    // Like Windows, look in the program's own folder first; never search PATH, never go through a shell.
    std::string path = executableFolder() + launcherName();
    if (!isExecutableFile(path))
        path = std::string("./") + launcherName();
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
    pid_t child;
    return posix_spawn(&child, path.c_str(), nullptr, nullptr, argv, environ) == 0;
#endif
}
