// The title frame on a null device: size selection, hit boxes, the cooldown's order, starting, quitting, labels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <sys/stat.h>

#include "tests/support/testgame.h"
#include "tests/title_test.h"

namespace {

using testing::ExitedWithCode;

struct Point {
    int x, y;
};

Point rightArrowCentre(int mode) { return {expectedLayouts[mode].ax + 20, expectedLayouts[mode].ay + 15}; }
Point leftArrowCentre(int mode) { return {expectedLayouts[mode].ax - 110, expectedLayouts[mode].ay + 15}; }
Point buttonCentre(int mode) { return {expectedLayouts[mode].bx + 150, expectedLayouts[mode].by + 37}; }

std::string rectText(const core::rect<s32>& r)
{
    std::ostringstream out;
    out << "(" << r.UpperLeftCorner.X << "," << r.UpperLeftCorner.Y << ")-(" << r.LowerRightCorner.X << ","
        << r.LowerRightCorner.Y << ")";
    return out.str();
}

// Each test works in a scratch folder, so a relaunch writes its own config.cfg and only records the launcher.
class TitleFrame : public testing::Test {
protected:
    void SetUp() override { folder = enterScratchFolder(); }
    void TearDown() override
    {
        testgame::close();
        leaveScratchFolder(folder);
    }
    // A fresh title screen in a window of the mode, cooldown run out, pointer in a corner, nothing held.
    void start(int mode)
    {
        testgame::close();
        testgame::open(video::EDT_NULL, mode);
        ASSERT_EQ(chdir(folder.c_str()), 0);
        std::remove("config.cfg");
        inputCooldown = 0;
        testgame::pointAt(2, 2);
    }
    void click(Point p)
    {
        testgame::pointAt(p.x, p.y);
        testgame::leftButton(true);
    }
    std::string folder;
};

TEST_F(TitleFrame, KeysAndArrowsStepTheSizeAndWrap)
{
    enum Input { keyLeft, keyRight, arrowLeft, arrowRight };
    const char* inputNames[] = {"Left key", "Right key", "left arrow", "right arrow"};
    for (int mode = 0; mode < 5; ++mode)
        for (Input input : {keyLeft, keyRight, arrowLeft, arrowRight}) {
            start(mode);
            switch (input) {
            case keyLeft: testgame::key(KEY_LEFT, true); break;
            case keyRight: testgame::key(KEY_RIGHT, true); break;
            case arrowLeft: click(leftArrowCentre(mode)); break;
            case arrowRight: click(rightArrowCentre(mode)); break;
            }
            const int expected = (input == keyLeft || input == arrowLeft) ? modeBelow(mode) : modeAbove(mode);
            const std::string row = std::string(inputNames[input]) + " in mode " + std::to_string(mode);
            EXPECT_EXIT(titleScreenFrame(), ExitedWithCode(255), "") << row;
            EXPECT_EQ(configBytes(), expectedRecord(expected)) << row;
        }
}

TEST_F(TitleFrame, LeftWinsOverRight)
{
    start(2);
    testgame::key(KEY_LEFT, true);
    testgame::key(KEY_RIGHT, true);
    EXPECT_EXIT(titleScreenFrame(), ExitedWithCode(255), "");
    EXPECT_EQ(configBytes(), expectedRecord(1));
}

TEST_F(TitleFrame, KeyThenArrowInOneTickOnlyTheKeyActs)
{
    // The arrows already sit where the new mode puts them; a click there would undo the key's change.
    struct Row {
        EKEY_CODE key;
        int keyMode;
        bool clickRightArrow;
    };
    const Row rows[] = {{KEY_RIGHT, 3, false}, {KEY_LEFT, 1, true}, {KEY_RIGHT, 3, true}, {KEY_LEFT, 1, false}};
    for (const Row& row : rows) {
        start(2);
        testgame::key(row.key, true);
        click(row.clickRightArrow ? rightArrowCentre(row.keyMode) : leftArrowCentre(row.keyMode));
        const std::string name = std::string(row.key == KEY_LEFT ? "Left" : "Right") + " key with the " +
                                 (row.clickRightArrow ? "right" : "left") + " arrow";
        EXPECT_EXIT(titleScreenFrame(), ExitedWithCode(255), "") << name;
        EXPECT_EQ(configBytes(), expectedRecord(row.keyMode)) << name;
    }
}

// In a relaunching tick the size label has already moved to the new mode's selector.
void reportSizeLabelPlace()
{
    std::fprintf(stderr, "sizeLabel %s\n", rectText(sizeLabel->getRelativePosition()).c_str());
}

TEST_F(TitleFrame, SelectorFollowsTheKeysChoiceWithinTheTick)
{
    struct Row {
        int mode;
        EKEY_CODE key;
        int newMode;
    };
    for (const Row& row : {Row{2, KEY_RIGHT, 3}, Row{0, KEY_LEFT, 4}}) {
        start(row.mode);
        testgame::key(row.key, true);
        const ExpectedTitleLayout& l = expectedLayouts[row.newMode];
        std::string place = rectText(core::rect<s32>(l.ax - 58, l.ay - 1, l.ax - 2, l.ay + 40));
        for (char bracket : {'(', ')'})
            for (size_t at = place.find(bracket); at != std::string::npos; at = place.find(bracket, at + 2))
                place.insert(at, "\\");
        EXPECT_EXIT(
            {
                std::atexit(reportSizeLabelPlace);
                titleScreenFrame();
            },
            ExitedWithCode(255), "sizeLabel " + place)
            << "mode " << row.mode;
    }
}

TEST_F(TitleFrame, HitBoxesAreStrictOnAllFourSides)
{
    enum Box { rightArrow, leftArrow, button };
    const char* boxNames[] = {"right arrow", "left arrow", "start button"};
    for (int mode = 0; mode < 5; ++mode) {
        const ExpectedTitleLayout& l = expectedLayouts[mode];
        struct Probe {
            Box box;
            int x1, y1, w, h;
        };
        const Probe probes[] = {
            {rightArrow, l.ax, l.ay, 40, 30}, {leftArrow, l.ax - 130, l.ay, 40, 30}, {button, l.bx, l.by, 300, 75}};
        for (const Probe& p : probes) {
            const Point borders[] = {{p.x1, p.y1 + p.h / 2}, {p.x1 + p.w, p.y1 + p.h / 2},
                                     {p.x1 + p.w / 2, p.y1}, {p.x1 + p.w / 2, p.y1 + p.h}};
            const Point corners[] = {{p.x1 + 1, p.y1 + 1}, {p.x1 + p.w - 1, p.y1 + p.h - 1}};
            for (const Point& at : borders) {
                start(mode);
                click(at);
                titleScreenFrame();
                const std::string row = std::string(boxNames[p.box]) + " border (" + std::to_string(at.x) + "," +
                                        std::to_string(at.y) + ") mode " + std::to_string(mode);
                EXPECT_EQ(sizeMode, mode) << row;
                EXPECT_EQ(activeScreen, 0) << row;
                EXPECT_EQ(inputCooldown, 0) << row;
            }
            for (const Point& at : corners) {
                start(mode);
                click(at);
                const std::string row = std::string(boxNames[p.box]) + " inside (" + std::to_string(at.x) + "," +
                                        std::to_string(at.y) + ") mode " + std::to_string(mode);
                if (p.box == button) {
                    titleScreenFrame();
                    EXPECT_EQ(activeScreen, 1) << row;
                } else {
                    EXPECT_EXIT(titleScreenFrame(), ExitedWithCode(255), "") << row;
                    const int expected = p.box == rightArrow ? modeAbove(mode) : modeBelow(mode);
                    EXPECT_EQ(configBytes(), expectedRecord(expected)) << row;
                }
            }
        }
    }
}

TEST_F(TitleFrame, StartButtonEndsTheFrameAtOnce)
{
    start(2);
    playState = playRunning;
    infoLabel->setText(L"before");
    const core::rect<s32> before = infoLabel->getRelativePosition();
    click(buttonCentre(2));
    testgame::key(KEY_SPACE, true);  // would set the cooldown to 22 if the frame went on
    titleScreenFrame();
    EXPECT_EQ(activeScreen, 1);
    EXPECT_EQ(playState, playNewPending);
    EXPECT_EQ(inputCooldown, 0) << "neither set nor counted down";
    EXPECT_EQ(testgame::text(infoLabel), "before");
    EXPECT_EQ(infoLabel->getRelativePosition(), before);
}

TEST_F(TitleFrame, SpaceWinsOverEscape)
{
    start(1);
    playState = playRunning;
    testgame::key(KEY_SPACE, true);
    testgame::key(KEY_ESCAPE, true);
    titleScreenFrame();  // quitting here would be caught as an exit during the test
    EXPECT_EQ(activeScreen, 1);
    EXPECT_EQ(playState, playNewPending);
    EXPECT_EQ(inputCooldown, 22);
}

TEST_F(TitleFrame, EscapeQuitsWithStatusZero)
{
    start(1);
    testgame::key(KEY_ESCAPE, true);
    EXPECT_EXIT(titleScreenFrame(), ExitedWithCode(0), "");
}

// From a given cooldown with one input held, the input is taken on a given tick and not before.
TEST_F(TitleFrame, CountDownComesAfterClicksAndBeforeSpaceAndEscape)
{
    enum Input { space, escape, buttonClick, leftKey, arrowClick };
    const char* inputNames[] = {"Space", "Escape", "start button", "Left key", "right arrow"};
    struct Row {
        int cooldown;
        Input input;
        int takenOnTick;
    };
    const Row rows[] = {
        {22, space, 22}, {22, buttonClick, 23}, {22, leftKey, 23}, {22, arrowClick, 23}, {44, escape, 44},
        {1, space, 1},   {1, escape, 1},        {1, buttonClick, 2}, {1, leftKey, 2},    {1, arrowClick, 2},
        {0, space, 1},   {0, buttonClick, 1},
    };
    for (const Row& row : rows) {
        const std::string name = std::string(inputNames[row.input]) + " from cooldown " + std::to_string(row.cooldown);
        start(1);
        playState = playRunning;
        inputCooldown = row.cooldown;
        switch (row.input) {
        case space: testgame::key(KEY_SPACE, true); break;
        case escape: testgame::key(KEY_ESCAPE, true); break;
        case buttonClick: click(buttonCentre(1)); break;
        case leftKey: testgame::key(KEY_LEFT, true); break;
        case arrowClick: click(rightArrowCentre(1)); break;
        }
        for (int tick = 1; tick < row.takenOnTick; ++tick) {
            titleScreenFrame();
            ASSERT_EQ(activeScreen, 0) << name << ", tick " << tick;
            ASSERT_EQ(sizeMode, 1) << name << ", tick " << tick;
        }
        switch (row.input) {
        case space:
            titleScreenFrame();
            EXPECT_EQ(activeScreen, 1) << name;
            EXPECT_EQ(inputCooldown, 22) << name;
            break;
        case buttonClick:
            titleScreenFrame();
            EXPECT_EQ(activeScreen, 1) << name;
            EXPECT_EQ(inputCooldown, 0) << name;
            break;
        case escape: EXPECT_EXIT(titleScreenFrame(), ExitedWithCode(0), "") << name; break;
        case leftKey:
        case arrowClick: EXPECT_EXIT(titleScreenFrame(), ExitedWithCode(255), "") << name; break;
        }
    }
}

TEST_F(TitleFrame, LabelsShowTheSizeAndTheCredit)
{
    std::string credit[5];
    for (int mode = 0; mode < 5; ++mode) {
        const ExpectedTitleLayout& l = expectedLayouts[mode];
        const std::string row = "mode " + std::to_string(mode);
        start(mode);
        titleScreenFrame();
        EXPECT_EQ(testgame::text(sizeLabel), l.name) << row;
        EXPECT_EQ(rectText(sizeLabel->getRelativePosition()),
                  rectText(core::rect<s32>(l.ax - 58, l.ay - 1, l.ax - 2, l.ay + 40)))
            << row;
        EXPECT_EQ(sizeLabel->getOverrideColor().color, 0xE9F4EBDCu) << row;
        EXPECT_EQ(sizeLabel->getOverrideFont(), uiFont) << row;

        const core::rect<s32> creditArea(1, l.side - l.m, l.side - l.m - 50, l.side - 1);
        EXPECT_EQ(rectText(infoLabel->getRelativePosition()), rectText(creditArea)) << row;
        EXPECT_EQ(infoLabel->getOverrideColor().color, 0x58FFFFFFu) << row;
        credit[mode] = testgame::text(infoLabel);
        const core::dimension2d<u32> size = uiFont->getDimension(infoLabel->getText());
        EXPECT_LE(static_cast<s32>(size.Width), creditArea.getWidth()) << row << ": \"" << credit[mode] << "\"";
        EXPECT_LE(static_cast<s32>(size.Height), creditArea.getHeight()) << row;
        EXPECT_NE(credit[mode].find("Quintet"), std::string::npos) << row;
        EXPECT_NE(credit[mode].find("Irrlicht"), std::string::npos) << row;
        std::printf("credit in mode %d (%u of %d px): %s\n", mode, size.Width, creditArea.getWidth(),
                    credit[mode].c_str());
    }
    // A full form for S, M and XL; the short one for XS and the middle one for L.
    EXPECT_EQ(credit[2], credit[1]);
    EXPECT_EQ(credit[4], credit[1]);
    EXPECT_LT(credit[0].size(), credit[3].size());
    EXPECT_LT(credit[3].size(), credit[1].size());
}

TEST_F(TitleFrame, CreditFollowsAWindowThatDoesNotMatchTheMode)
{
    // Start-up opens 1024 x 768 for an unreadable config.cfg; the selector still follows the mode.
    start(1);
    screenWidth = 1024;
    screenHeight = 768;
    sizeMode = appliedSizeMode = 3;
    titleScreenFrame();
    EXPECT_EQ(rectText(infoLabel->getRelativePosition()), rectText(core::rect<s32>(1, 768 - 56, 1024 - 106, 767)));
    EXPECT_EQ(rectText(sizeLabel->getRelativePosition()), rectText(core::rect<s32>(492, 659, 548, 700)));
}

TEST_F(TitleFrame, WorkedExampleForSizeM)
{
    start(2);
    titleScreenFrame();
    EXPECT_EQ(rectText(sizeLabel->getRelativePosition()), "(432,599)-(488,640)");
    EXPECT_EQ(rectText(infoLabel->getRelativePosition()), "(1,820)-(770,849)");
    EXPECT_EQ(testgame::text(sizeLabel), "M");
    // Just inside each box's corners starts or changes; the corners themselves do not.
    struct Row {
        Point at;
        int mode;   // config.cfg after the click, -1 when the size stays
        bool starts;
    };
    const Row rows[] = {
        {{491, 601}, 3, false}, {{529, 629}, 3, false}, {{490, 601}, -1, false}, {{530, 629}, -1, false},
        {{361, 601}, 1, false}, {{399, 629}, 1, false}, {{360, 615}, -1, false}, {{400, 615}, -1, false},
        {{301, 431}, -1, true}, {{599, 504}, -1, true}, {{300, 431}, -1, false}, {{599, 505}, -1, false},
    };
    for (const Row& row : rows) {
        const std::string name = "click at " + std::to_string(row.at.x) + "," + std::to_string(row.at.y);
        start(2);
        click(row.at);
        if (row.mode >= 0) {
            EXPECT_EXIT(titleScreenFrame(), ExitedWithCode(255), "") << name;
            EXPECT_EQ(configBytes(), expectedRecord(row.mode)) << name;
        } else {
            titleScreenFrame();
            EXPECT_EQ(activeScreen, row.starts ? 1 : 0) << name;
            EXPECT_EQ(sizeMode, 2) << name;
        }
    }
}

TEST_F(TitleFrame, UnwritableConfigKeepsTheOpenWindowsSize)
{
    // Each held input tries once, then again only when the cooldown it set has run out; meanwhile the screen
    // stays at XL.
    struct Row {
        const char* name;
        bool key;
        Point at;
        int quietTicks;
    };
    const Row rows[] = {
        {"Right key", true, {2, 2}, 11}, {"right arrow", false, rightArrowCentre(4), 9},
        {"left arrow", false, leftArrowCentre(4), 9}};
    for (const Row& row : rows) {
        start(4);
        ASSERT_EQ(mkdir("config.cfg", 0755), 0);
        if (row.key)
            testgame::key(KEY_RIGHT, true);
        else
            click(row.at);
        testing::internal::CaptureStdout();
        titleScreenFrame();
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(sizeMode, 4) << row.name;
        EXPECT_EQ(appliedSizeMode, 4) << row.name;
        EXPECT_EQ(activeScreen, 0) << row.name;
        EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << row.name << ": " << out;
        EXPECT_NE(out.find("config.cfg"), std::string::npos) << row.name << ": " << out;
        EXPECT_EQ(launcherRanIn(300), "") << row.name;

        testing::internal::CaptureStdout();
        for (int tick = 0; tick < row.quietTicks; ++tick)
            titleScreenFrame();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << row.name;
        EXPECT_EQ(testgame::text(sizeLabel), "XL") << row.name;
        EXPECT_EQ(rectText(sizeLabel->getRelativePosition()), rectText(core::rect<s32>(582, 759, 638, 800)))
            << row.name;
        testing::internal::CaptureStdout();
        titleScreenFrame();
        EXPECT_NE(testing::internal::GetCapturedStdout(), "") << row.name << ": no second try";
        ASSERT_EQ(rmdir("config.cfg"), 0);
    }
}

} // namespace
