// Scratch folders with a recording launcher for the title screen's tests.
#include "tests/title_test.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

std::string enterScratchFolder()
{
    char pattern[] = "/tmp/quintet-title.XXXXXX";
    if (!mkdtemp(pattern)) {
        ADD_FAILURE() << "mkdtemp failed";
        return std::string();
    }
    char real[4096];
    const std::string folder = realpath(pattern, real) ? real : pattern;
    EXPECT_EQ(symlink(QUINTET_RUN_DIR "/media", (folder + "/media").c_str()), 0);
    const std::string launcher = folder + "/start";
    // Written under another name and moved, so a reader never sees half a record.
    std::ofstream(launcher) << "#!/bin/sh\npwd -P > launched.tmp && mv launched.tmp launched.txt\n";
    EXPECT_EQ(chmod(launcher.c_str(), 0755), 0);
    EXPECT_EQ(chdir(folder.c_str()), 0);
    return folder;
}

void leaveScratchFolder(const std::string& folder)
{
    EXPECT_EQ(chdir("/"), 0);
    if (!folder.empty())
        std::system(("rm -rf '" + folder + "'").c_str());
}

std::string launcherRanIn(int timeoutMs)
{
    for (int waited = 0; waited <= timeoutMs; waited += 20) {
        std::ifstream in("launched.txt");
        std::string line;
        if (in && std::getline(in, line))
            return line;
        usleep(20000);
    }
    return std::string();
}

std::string configBytes()
{
    std::ifstream in("config.cfg", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string expectedRecord(int mode)
{
    std::string record(36, '\0');
    record[0] = static_cast<char>('0' + mode);
    return record;
}

// A frame that wrongly quits would end the test program with status 0, which would read as a pass.
// Any exit during a test, outside a death test's child, is turned into a failure instead.
static pid_t testProgramPid = 0;

static void failExitDuringTest()
{
    if (getpid() != testProgramPid)
        return;
    const testing::TestInfo* running = testing::UnitTest::GetInstance()->current_test_info();
    if (running) {
        std::fprintf(stderr, "exit() called during %s.%s\n", running->test_suite_name(), running->name());
        std::fflush(stderr);
        _exit(1);
    }
}

// Registered after gtest's own singleton exists, so the guard runs while that is still alive.
static const bool exitGuardInstalled =
    (testing::UnitTest::GetInstance(), testProgramPid = getpid(), std::atexit(failExitDuringTest) == 0);
