// start: the relaunch helper. Waits a moment for the old game to close its window, then starts the
// game that sits next to this program, in the working directory it was itself started from.
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
static const char gameName[] = "quintet.exe";
#else
#include <spawn.h>
#include <unistd.h>
extern char** environ;
static const char gameName[] = "quintet";
#endif

// The old process exits right after starting us; this keeps two windows from overlapping for long.
static const unsigned closeGraceMs = 400;

static std::string ownFolder(const char* argv0)
{
#ifdef _WIN32
    (void)argv0;
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n < MAX_PATH ? n : 0);
    const std::size_t slash = folder.find_last_of("\\/");
#else
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string folder = n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string(argv0 ? argv0 : "");
    const std::size_t slash = folder.rfind('/');
#endif
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

int main(int, char** argv)
{
    const std::string game = ownFolder(argv[0]) + gameName;
#ifdef _WIN32
    Sleep(closeGraceMs);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + game + "\"";
    if (!CreateProcessA(game.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("start: cannot start %s\n", game.c_str());
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
