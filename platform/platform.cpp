// The platform layer: Direct3D 9, CreateProcessW and Win32 file calls on Windows; OpenGL, posix_spawn and POSIX elsewhere.
#include "platform/platform.h"

#include <cstdarg>
#include <cwchar>
#include <string>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>
extern char** environ;
#endif

#ifndef __EMSCRIPTEN__  // the browser's driver, launcher and file replacement are in platform/web.cpp
irr::video::E_DRIVER_TYPE preferredDriver()
{
#ifdef _WIN32
    return irr::video::EDT_DIRECT3D9;
#else
    return irr::video::EDT_OPENGL;
#endif
}
#endif

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

#ifdef __EMSCRIPTEN__
#elif defined(_WIN32)
// The folder of the running executable, with a trailing backslash, or "" when it cannot be told. Wide, as the
// ANSI form turns every letter outside the system's code page into '?', and such a path names nothing.
static std::wstring executableFolder()
{
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return std::wstring();
    const std::wstring self(path, n);
    const std::size_t slash = self.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : self.substr(0, slash + 1);
}
#else
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

#ifndef __EMSCRIPTEN__
bool startLauncher()
{
    // Only the program's own folder: for the installed game the working folder is the player's, and whatever
    // lies there under the launcher's name must never run.
#ifdef _WIN32
    const std::wstring folder = executableFolder();
    if (folder.empty())
        return false;
    const std::string name = launcherName();
    const std::wstring path = folder + std::wstring(name.begin(), name.end());
    // A full path, also on the command line, quoted for blanks: a bare name would be looked for in the working
    // folder too. WinExec would do the same with SW_SHOW, but takes only ANSI text.
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
#else
    const std::string folder = executableFolder();
    const std::string path = folder + launcherName();
    if (folder.empty() || !isExecutableFile(path))
        return false;
    // No shell and no PATH search: the path is used as it stands.
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
    pid_t child;
    return posix_spawn(&child, path.c_str(), nullptr, nullptr, argv, environ) == 0;
#endif
}
#endif

bool pathExists(const char* path)
{
#ifdef _WIN32
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return true;
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
#else
    // lstat, so a symlink pointing nowhere counts; an entry that cannot be looked at counts as well.
    struct stat info;
    return lstat(path, &info) == 0 || errno != ENOENT;
#endif
}

bool isRegularFile(const char* path)
{
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
#else
    struct stat info;
    return stat(path, &info) == 0 && S_ISREG(info.st_mode);
#endif
}

bool syncFile(std::FILE* file)
{
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

#ifndef __EMSCRIPTEN__
bool replaceFile(const char* from, const char* to)
{
#ifdef _WIN32
    // rename() on Windows refuses to replace an existing file.
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(from, to) == 0;
#endif
}
#endif
