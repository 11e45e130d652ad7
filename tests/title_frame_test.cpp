// The title frame on a null device and the relaunch it starts: size choice, hit boxes, cooldown order, labels.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/testgame.h"

namespace {

using testing::ExitedWithCode;

// The layout as designed, apart from the game's table: window side, start button, selector anchor, credit margin.
struct Layout {
    const char* name;
    int side, bx, by, ax, ay, m;
};
const Layout layouts[5] = {{"XS", 450, 85, 210, 276, 323, 30}, {"S", 650, 180, 340, 380, 480, 30},
                           {"M", 850, 300, 430, 490, 600, 30}, {"L", 960, 360, 480, 550, 660, 56},
                           {"XL", 1140, 460, 580, 640, 760, 56}};

std::string text(const core::rect<s32>& r)
{
    return std::to_string(r.UpperLeftCorner.X) + " " + std::to_string(r.UpperLeftCorner.Y) + " " +
           std::to_string(r.LowerRightCorner.X) + " " + std::to_string(r.LowerRightCorner.Y);
}
std::string labelText(const Layout& l) { return text(core::rect<s32>(l.ax - 58, l.ay - 1, l.ax - 2, l.ay + 40)); }
void printSizeLabel() { std::fprintf(stderr, "sizeLabel %s\n", text(sizeLabel->getRelativePosition()).c_str()); }

std::string record(int mode) { return static_cast<char>('0' + mode) + std::string(35, '\0'); }
std::string configBytes()
{
    std::ifstream in("config.cfg", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
// The folder the recording launcher ran in, or "" if it has not run within ms.
std::string launcherRanIn(int ms)
{
    for (std::string line;; usleep(20000), ms -= 20)
        if (std::getline(std::ifstream("launched.txt") >> std::ws, line) || ms <= 0)
            return line;
}

// A frame that wrongly quits would end the program with status 0, a pass; exit() during a test fails instead.
const pid_t testPid = getpid();
void failExitDuringTest()
{
    if (getpid() == testPid && testing::UnitTest::GetInstance()->current_test_info())
        std::fputs("exit() during a test\n", stderr), _exit(1);
}
const bool exitGuarded = (testing::UnitTest::GetInstance(), std::atexit(failExitDuringTest) == 0);

// One frame from a start state. next >= 0: relaunches storing that mode; -2: quits with status 0; -1: returns
// with the mode kept, on screen `screen` with cooldown `cooldownAfter`. blocked: config.cfg is a folder.
struct Case {
    std::string name;
    int mode, cooldown;
    const char* keys;  // L, R, S(pace), E(scape)
    int x, y;
    bool click;
    int next = -1, screen = 0, cooldownAfter = 0;
    bool blocked = false;
};

// Each test runs in a scratch folder whose "start" only records where it ran.
class TitleFrame : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/quintet-title.XXXXXX", real[4096];
        ASSERT_TRUE(mkdtemp(pattern) && realpath(pattern, real));
        folder = real;
        std::ofstream(folder + "/start") << "#!/bin/sh\npwd -P > launched.tmp && mv launched.tmp launched.txt\n";
        ASSERT_EQ(chmod((folder + "/start").c_str(), 0755) | chdir(folder.c_str()), 0);
    }
    void TearDown() override
    {
        testgame::close();
        ASSERT_EQ(chdir("/"), 0);
        std::system(("rm -rf " + folder).c_str());
    }
    void check(const Case& c)
    {
        SCOPED_TRACE(c.name + " in mode " + std::to_string(c.mode) + " at " + std::to_string(c.x) + "," +
                     std::to_string(c.y));
        testgame::close();
        testgame::open(video::EDT_NULL, c.mode);
        ASSERT_EQ(chdir(folder.c_str()), 0);
        std::remove("config.cfg");
        std::remove("launched.txt");
        ASSERT_EQ(c.blocked ? mkdir("config.cfg", 0755) : 0, 0);
        inputCooldown = c.cooldown;
        playState = playRunning;
        for (const char* k = c.keys; *k; ++k)
            testgame::key(*k == 'L' ? KEY_LEFT : *k == 'R' ? KEY_RIGHT : *k == 'S' ? KEY_SPACE : KEY_ESCAPE, true);
        testgame::pointAt(c.x, c.y);
        testgame::leftButton(c.click);
        if (c.next == -2) {
            EXPECT_EXIT(titleScreenFrame(), ExitedWithCode(0), "");
        } else if (c.next >= 0) {
            // The selector, so sizeLabel, follows a key's change within the tick but not an arrow's.
            const Layout& s = layouts[std::strpbrk(c.keys, "LR") ? c.next : c.mode];
            EXPECT_EXIT((std::atexit(printSizeLabel), titleScreenFrame()), ExitedWithCode(255),
                        "sizeLabel " + labelText(s));
            EXPECT_EQ(configBytes(), record(c.next));
            EXPECT_EQ(launcherRanIn(3000), folder);
        } else {
            testing::internal::CaptureStdout();
            titleScreenFrame();
            const std::string out = testing::internal::GetCapturedStdout();
            EXPECT_EQ(sizeMode, c.mode);
            EXPECT_EQ(appliedSizeMode, c.mode);
            EXPECT_EQ(activeScreen, c.screen);
            EXPECT_EQ(playState, c.screen ? playNewPending : playRunning);
            EXPECT_EQ(inputCooldown, c.cooldownAfter);
            const bool complaint = out.find("config.cfg") != std::string::npos && out.find('\n') + 1 == out.size();
            EXPECT_EQ(complaint, c.blocked) << out;
            EXPECT_EQ(launcherRanIn(c.blocked ? 300 : 0), "");
        }
    }
    std::string folder;
};

TEST_F(TitleFrame, KeysAndBoxesInEveryMode)
{
    for (int mode = 0; mode < 5; ++mode) {
        const Layout& l = layouts[mode];
        const int up = (mode + 1) % 5, down = (mode + 4) % 5;
        check({"Left", mode, 0, "L", 2, 2, false, down});
        check({"Right", mode, 0, "R", 2, 2, false, up});
        const Case boxes[] = {{"right arrow", mode, 0, "", l.ax, l.ay, true, up},  // x, y: box origin; w, h below
                              {"left arrow", mode, 0, "", l.ax - 130, l.ay, true, down},
                              {"start button", mode, 0, "", l.bx, l.by, true, -1, 1}};
        for (const Case& b : boxes) {
            const int w = b.screen ? 300 : 40, h = b.screen ? 75 : 30;
            // Just inside two corners acts; the middle of each border does not.
            for (int corner = 0; corner < 2; ++corner)
                check({b.name, mode, 0, "", b.x + 1 + corner * (w - 2), b.y + 1 + corner * (h - 2), true, b.next,
                       b.screen});
            for (int side = 0; side < 4; ++side)
                check({b.name + " border", mode, 0, "", b.x + (side < 2 ? side * w : w / 2),
                       b.y + (side < 2 ? h / 2 : (side - 2) * h), true});
        }
    }
}

TEST_F(TitleFrame, InputOrderAndCooldown)
{
    const Layout &s = layouts[1], &m = layouts[2], &l = layouts[3];
    const int bx = m.bx + 150, by = m.by + 37;
    const Case cases[] = {
        {"Left with Right", 2, 0, "LR", 2, 2, false, 1},
        {"Right, then the new right arrow", 2, 0, "R", l.ax + 20, l.ay + 15, true, 3},
        {"Left, then the new left arrow", 2, 0, "L", s.ax - 110, s.ay + 15, true, 1},
        {"Space with Escape", 2, 0, "SE", 2, 2, false, -1, 1, 22},
        {"start button with Space", 2, 0, "S", bx, by, true, -1, 1, 0},
        {"start button cooling down", 2, 5, "", bx, by, true, -1, 0, 4},
        // Clicks and Left/Right come before the count-down, Space and Escape after it.
        {"start button", 2, 1, "", bx, by, true, -1, 0, 0},
        {"right arrow", 2, 1, "", m.ax + 20, m.ay + 15, true, -1, 0, 0},
        {"Right", 2, 1, "R", 2, 2, false, -1, 0, 0},
        {"Space", 2, 1, "S", 2, 2, false, -1, 1, 22},
        {"Space", 2, 2, "S", 2, 2, false, -1, 0, 1},
        {"Escape", 2, 1, "E", 2, 2, false, -2},
        // Unwritable config.cfg: the size stays and the input's cooldown keeps it from retrying every tick.
        {"Right", 4, 0, "R", 2, 2, false, -1, 0, 11, true},
        {"right arrow", 4, 0, "", 660, 775, true, -1, 0, 9, true},
        {"left arrow", 4, 0, "", 530, 775, true, -1, 0, 9, true},
    };
    for (const Case& c : cases)
        check(c);
}

TEST_F(TitleFrame, WorkedExampleForM)
{
    check({"", 2, 0, "", 2, 2, false});
    EXPECT_EQ(text(sizeLabel->getRelativePosition()), "432 599 488 640");
    EXPECT_EQ(text(infoLabel->getRelativePosition()), "1 820 770 849");
    const Case clicks[] = {{"", 2, 0, "", 529, 629, true, 3}, {"", 2, 0, "", 530, 615, true},
                           {"", 2, 0, "", 361, 601, true, 1}, {"", 2, 0, "", 400, 615, true},
                           {"", 2, 0, "", 599, 504, true, -1, 1}, {"", 2, 0, "", 450, 505, true}};
    for (const Case& c : clicks)
        check(c);
}

TEST_F(TitleFrame, LabelsInEveryMode)
{
    std::string credit[5];
    for (int mode = 0; mode < 5; ++mode) {
        const Layout& l = layouts[mode];
        check({l.name, mode, 0, "", 2, 2, false});
        const core::rect<s32> area(1, l.side - l.m, l.side - l.m - 50, l.side - 1);
        EXPECT_EQ(testgame::text(sizeLabel), l.name);
        EXPECT_EQ(text(sizeLabel->getRelativePosition()), labelText(l));
        EXPECT_EQ(text(infoLabel->getRelativePosition()), text(area));
        EXPECT_EQ(sizeLabel->getOverrideColor().color, 0xE9F4EBDCu);
        EXPECT_EQ(infoLabel->getOverrideColor().color, 0x58FFFFFFu);
        credit[mode] = testgame::text(infoLabel);
        EXPECT_LE(static_cast<s32>(uiFont->getDimension(infoLabel->getText()).Width), area.getWidth()) << credit[mode];
    }
    // One full form for S, M and XL, a middle one for L, the shortest for XS.
    EXPECT_TRUE(credit[1] == credit[2] && credit[2] == credit[4]);
    EXPECT_LT(credit[0].size(), credit[3].size());
    EXPECT_LT(credit[3].size(), credit[1].size());
}

TEST_F(TitleFrame, RelaunchStoresTheModeWhateverTheFileHeld)
{
    for (int mode = 0; mode < 5; ++mode)
        for (int before : {-1, 0, 100}) {  // no file, or one of that many bytes
            SCOPED_TRACE("mode " + std::to_string(mode) + " over " + std::to_string(before) + " bytes");
            std::remove("config.cfg");
            std::remove("launched.txt");
            if (before >= 0)
                std::ofstream("config.cfg") << std::string(before, '\x7F');
            sizeMode = mode;
            EXPECT_EXIT(relaunchWithSize(), ExitedWithCode(255), "");
            EXPECT_EQ(configBytes(), record(mode));
            ASSERT_EQ(launcherRanIn(3000), folder);
        }
}

} // namespace
