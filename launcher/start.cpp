// start: the relaunch helper. Waits a moment for the old game to close its window, then starts the
// game that sits next to this program, in the working directory it was itself started from.
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
// Paths are wide on Windows: the ANSI calls turn every letter outside the system's code page into '?', and
// such a path names nothing.
typedef std::wstring Path;
static const wchar_t gameName[] = L"quintet.exe";
#else
#include <spawn.h>
#include <unistd.h>
extern char** environ;
typedef std::string Path;
static const char gameName[] = "quintet";
#endif

// The old process exits right after starting us; this keeps two windows from overlapping for long.
static const unsigned closeGraceMs = 400;

static Path ownFolder(const char* argv0)
{
#ifdef _WIN32
    (void)argv0;
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    Path folder(path, n < MAX_PATH ? n : 0);
    const std::size_t slash = folder.find_last_of(L"\\/");
#else
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    Path folder = n > 0 ? Path(path, static_cast<std::size_t>(n)) : Path(argv0 ? argv0 : "");
    const std::size_t slash = folder.rfind('/');
#endif
    return slash == Path::npos ? Path() : folder.substr(0, slash + 1);
}

int main(int, char** argv)
{
    const Path game = ownFolder(argv[0]) + gameName;
#ifdef _WIN32
    Sleep(closeGraceMs);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    Path commandLine = L"\"" + game + L"\"";
    if (!CreateProcessW(game.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        // The path as UTF-8, which holds every letter of it.
        char shown[4 * MAX_PATH];
        if (!WideCharToMultiByte(CP_UTF8, 0, game.c_str(), -1, shown, sizeof shown, nullptr, nullptr))
            shown[0] = '\0';
        std::printf("start: cannot start %s\n", shown);
        return 1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
#else
    usleep(closeGraceMs * 1000);
    char* args[] = {const_cast<char*>(game.c_str()), nullptr};
    pid_t child;
    if (posix_spawn(&child, game.c_str(), nullptr, nullptr, args, environ) != 0) {
        std::printf("start: cannot start %s\n", game.c_str());
        return 1;
    }
#endif
    return 0;
}
