// The size change's relaunch: the record in config.cfg, the exit status, the launcher's start, an unwritable file.
#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "shell/shell.h"
#include "tests/title_test.h"

namespace {

using testing::ExitedWithCode;

class Relaunch : public testing::Test {
protected:
    void SetUp() override { folder = enterScratchFolder(); }
    void TearDown() override { leaveScratchFolder(folder); }
    std::string folder;
};

// The launcher is looked for beside the running program first; one there would hide the working folder's.
TEST_F(Relaunch, NoLauncherBesideTheTestProgram)
{
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    ASSERT_GT(n, 0);
    std::string beside(self, static_cast<size_t>(n));
    beside = beside.substr(0, beside.rfind('/') + 1) + "start";
    EXPECT_NE(access(beside.c_str(), F_OK), 0) << beside << " would be started instead of the recording launcher";
}

TEST_F(Relaunch, StoresTheModeWhateverTheFileHeld)
{
    struct Prior {
        const char* name;
        bool exists;
        std::string bytes;
    };
    const Prior priors[] = {
        {"no file", false, ""},
        {"an empty file", true, ""},
        {"a longer file", true, std::string(100, '\xAA')},
        {"another mode's record", true, std::string("3\0\0\0", 4) + std::string(32, '\x7F')},
        {"a short file", true, "9"},
    };
    for (int mode = 0; mode < 5; ++mode)
        for (const Prior& prior : priors) {
            const std::string row = "mode " + std::to_string(mode) + " over " + prior.name;
            std::remove("config.cfg");
            std::remove("launched.txt");
            if (prior.exists)
                std::ofstream("config.cfg", std::ios::binary) << prior.bytes;
            sizeMode = mode;
            EXPECT_EXIT(relaunchWithSize(), ExitedWithCode(255), "") << row;
            EXPECT_EQ(configBytes(), expectedRecord(mode)) << row;
            const std::string ranIn = launcherRanIn(3000);
            EXPECT_EQ(ranIn, folder) << row << ": the launcher did not run in the working folder";
            if (ranIn.empty())
                return;  // it will not run for the other rows either
        }
}

TEST_F(Relaunch, EndsWithMinusOneWhenTheLauncherIsMissing)
{
    ASSERT_EQ(std::remove("start"), 0);
    sizeMode = 3;
    EXPECT_EXIT(relaunchWithSize(), ExitedWithCode(255), "");
    EXPECT_EQ(configBytes(), expectedRecord(3));
}

TEST_F(Relaunch, UnwritableConfigPrintsOneLineAndReturns)
{
    // A folder in the file's place makes opening it for writing fail, even for root.
    ASSERT_EQ(mkdir("config.cfg", 0755), 0);
    sizeMode = 2;
    EXPECT_EXIT(
        {
            dup2(2, 1);  // the death test sees only stderr
            relaunchWithSize();
            std::fflush(stdout);
            std::exit(7);
        },
        ExitedWithCode(7), "^[^\n]*config\\.cfg[^\n]*\n$");
    EXPECT_EQ(launcherRanIn(500), "") << "no restart without a stored size";
    struct stat info;
    ASSERT_EQ(stat("config.cfg", &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
}

} // namespace
