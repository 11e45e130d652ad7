// The title frame on a null device and the relaunch it starts: size choice, hit boxes, cooldown order.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>
#include <unistd.h>

#include "tests/support/testgame.h"
#include "title/title.h"

namespace {

void printSizeLabel() { std::printf("sizeLabel at %d\n", sizeLabel->getRelativePosition().UpperLeftCorner.X); }

// Frames run in a scratch folder with a "start" of its own, which must never run: the launcher is taken only from
// beside the program, and there is none beside the test, so every size change reports that it could not start one.
char scratchName[] = "/tmp/quintet-title.XXXXXX";
const std::string folder = mkdtemp(scratchName) ? scratchName : "/nonexistent";
const bool made = std::system(("cd " + folder + " && printf '#!/bin/sh\\n' >start && chmod +x start").c_str()) == 0;

// A frame that wrongly quits would end the program with status 0, a pass; exit() during a test fails instead.
const pid_t testPid = getpid();
void atExit()
{
    if (getpid() == testPid) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    if (getpid() == testPid && testing::UnitTest::GetInstance()->current_test_info())
        std::fputs("exit() during a test\n", stderr), _exit(1);
}
const bool exitGuarded = (testing::UnitTest::GetInstance(), std::atexit(atExit) == 0);

// One frame from a start state with the button held at (x, y). next: the mode a relaunch stores, or the outcome.
enum { stays = -1, quits = -2, plays = -3 };
enum { noConfig, longConfig, configFolder };  // what config.cfg is beforehand; a folder cannot be written
struct Case {
    std::string name;
    int mode, cooldown;
    const char* keys;  // L, R, S(pace), E(scape)
    int x, y, next = stays, cooldownAfter = 0, config = noConfig;
    int limit = 0;  // the largest window side the screen holds; 0: every size fits
};

void check(const Case& c)
{
    SCOPED_TRACE(testing::Message() << c.name << " in mode " << c.mode << " at " << c.x << "," << c.y);
    testgame::close();
    testgame::open(video::EDT_NULL, c.mode);
    ASSERT_TRUE(made && chdir(folder.c_str()) == 0);
    const char* config[] = {"", " && printf %0100d 7 >config.cfg", " && mkdir config.cfg"};
    ASSERT_EQ(std::system(("rm -rf config.cfg" + std::string(config[c.config])).c_str()), 0);
    inputCooldown = c.cooldown;
    playState = playRunning;
    windowSideLimit = c.limit;
    for (const char* k = c.keys; *k; ++k)
        testgame::key(*k == 'L' ? KEY_LEFT : *k == 'R' ? KEY_RIGHT : *k == 'S' ? KEY_SPACE : KEY_ESCAPE, true);
    testgame::pointAt(c.x, c.y);
    testgame::leftButton(true);
    if (c.next == quits) {
        EXPECT_EXIT(titleScreenFrame(), testing::ExitedWithCode(0), "");
    } else if (c.next >= 0) {
        // The selector, so sizeLabel, follows a key's change within the tick but not an arrow's. Both lines
        // go through stdout, into the stderr the death test reads, in the order they were printed.
        const int label = titleLayouts[std::strpbrk(c.keys, "LR") ? c.next : c.mode].anchorX - 58;
        EXPECT_EXIT((dup2(2, 1), std::atexit(printSizeLabel), titleScreenFrame()), testing::ExitedWithCode(255),
                    "could not start the launcher: start Quintet again to play at the new size\nsizeLabel at " +
                        std::to_string(label) + "\n");
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(std::ifstream("config.cfg").rdbuf()), {}),
                  static_cast<char>('0' + c.next) + std::string(35, '\0'));
    } else {
        titleScreenFrame();
        const bool played = c.next == plays;
        EXPECT_EQ(std::make_tuple(sizeMode, appliedSizeMode, activeScreen == 1, playState, inputCooldown),
                  std::make_tuple(c.mode, c.mode, played, played ? playNewPending : playRunning, c.cooldownAfter));
    }
    windowSideLimit = 0;
}

// The labels' texts and places are in the reference frames of every size.
TEST(TitleFrame, EveryMode)
{
    for (int mode = 0; mode < 5; ++mode) {
        const TitleLayout& l = titleLayouts[mode];
        const int up = (mode + 1) % 5, down = (mode + 4) % 5;
        check({"Left", mode, 0, "L", 2, 2, down});  // each mode is stored over no file and over a longer one
        check({"Right", mode, 0, "R", 2, 2, up, 0, longConfig});
        // Right arrow, left arrow, start button: x, y, w, h, outcome. (Where they are drawn is the reference frames'.)
        const int boxes[3][5] = {{l.anchorX, l.anchorY, 40, 30, up}, {l.anchorX - 130, l.anchorY, 40, 30, down},
                                 {l.buttonX, l.buttonY, 300, 75, plays}};
        for (const auto& b : boxes) {
            const int w = b[2], h = b[3];
            const int dx[6] = {1, w - 1, 0, w, w / 2, w / 2}, dy[6] = {1, h - 1, h / 2, h / 2, 0, h};
            for (int i = 0; i < 6; ++i)  // just inside two corners acts; the middle of each border does not
                check({i < 2 ? "box" : "box border", mode, 0, "", b[0] + dx[i], b[1] + dy[i], i < 2 ? b[4] : stays});
        }
    }
}

// Start button (450,467) and arrows of M (510,615), L (570,675), S (270,495); XL's at (660,775) and (530,775).
TEST(TitleFrame, InputOrderAndCooldown)
{
    const Case cases[] = {
        {"Left with Right", 2, 0, "LR", 2, 2, 1},
        {"Right, then the new right arrow", 2, 0, "R", 570, 675, 3},
        {"Left, then the new left arrow", 2, 0, "L", 270, 495, 1},
        {"Space with Escape", 2, 0, "SE", 2, 2, plays, 22},
        {"start button with Space", 2, 0, "S", 450, 467, plays, 0},
        // Clicks and Left/Right come before the count-down, Space and Escape after it.
        {"start button", 2, 1, "", 450, 467, stays, 0}, {"right arrow", 2, 1, "", 510, 615, stays, 0},
        {"Right", 2, 1, "R", 2, 2, stays, 0}, {"Space", 2, 1, "S", 2, 2, plays, 22}, {"Escape", 2, 1, "E", 2, 2, quits},
        // Unwritable config.cfg: the size stays and the input's cooldown keeps it from retrying every tick.
        {"Left", 4, 0, "L", 2, 2, stays, 11, configFolder}, {"Right", 4, 0, "R", 2, 2, stays, 11, configFolder},
        {"right arrow", 4, 0, "", 660, 775, stays, 9, configFolder},
        {"left arrow", 4, 0, "", 530, 775, stays, 9, configFolder},
        // A screen that holds only XS and S (and L's arrows at (570,675) and (440,675), XS's left one at (166,338)).
        {"Right from S", 1, 0, "R", 2, 2, 0, 0, noConfig, 700}, {"Left from XS", 0, 0, "L", 2, 2, 1, 0, noConfig, 700},
        {"right arrow", 3, 0, "", 570, 675, 0, 0, noConfig, 700}, {"left arrow", 3, 0, "", 440, 675, 1, 0, noConfig, 700},
        {"left arrow", 0, 0, "", 166, 338, 1, 0, noConfig, 700}};
    for (const Case& c : cases)
        check(c);
}

} // namespace
