// Shell tests without a window: config.cfg and the size table, start-up's labels, the receiver, tick scheduling.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/testgame.h"

namespace {

// Each test in a fresh empty folder, so config.cfg is its own.
class ConfigTest : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/quintet-config.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        ASSERT_EQ(chdir(folder.c_str()), 0);
    }
    void TearDown() override
    {
        ASSERT_EQ(chdir("/"), 0);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    static std::string file()
    {
        std::ifstream in("config.cfg", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Start-up's first steps; returns what they printed.
    static std::string startUp()
    {
        sizeMode = 4;  // the reset must bring it back to 0
        testing::internal::CaptureStdout();
        resetGameState();
        readConfig();
        return testing::internal::GetCapturedStdout();
    }
    std::string folder;
};

TEST_F(ConfigTest, MissingFileIsCreatedForSizeS)
{
    EXPECT_EQ(startUp(), "w cfg = 1    49    icfg= 1  \n");
    EXPECT_EQ(file(), std::string("1") + std::string(35, '\0'));
    EXPECT_EQ(sizeMode, 1);
    EXPECT_EQ(appliedSizeMode, 1);
    EXPECT_EQ(screenWidth, 650);
    EXPECT_EQ(screenHeight, 650);
}

TEST_F(ConfigTest, FirstByteChoosesSizeAndTheFileStaysAsItWas)
{
    struct Row {
        std::string bytes;
        int mode, width, height;
        std::string echo;
    };
    const std::string zeros("\0\0\0", 3), tail(32, '\x7f');  // bytes 4..35 mean nothing
    const Row rows[] = {
        {"0" + zeros + tail, 0, 450, 450, "w cfg = 0    48    icfg= 0  \n"},
        {"1" + zeros + tail, 1, 650, 650, "w cfg = 1    49    icfg= 1  \n"},
        {"2" + zeros + tail, 2, 850, 850, "w cfg = 2    50    icfg= 2  \n"},
        {"3" + zeros + tail, 3, 960, 960, "w cfg = 3    51    icfg= 3  \n"},
        {"4" + zeros + tail, 4, 1140, 1140, "w cfg = 4    52    icfg= 4  \n"},
        {"4", 4, 1140, 1140, "w cfg = 4    52    icfg= 4  \n"},
        {"2x", 2, 850, 850, "w cfg = 2    " + std::to_string('2' + ('x' << 8)) + "    icfg= 2  \n"},
        {"", 0, 1024, 768, std::string("w cfg = \0    0    icfg= \0  \n", 28)},
        {"5" + zeros, 0, 1024, 768, "w cfg = 5    53    icfg= 5  \n"},
        {"\n", 0, 1024, 768, "w cfg = \n    10    icfg= \n  \n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("config of " + std::to_string(row.bytes.size()) + " bytes starting '" + row.bytes.substr(0, 1) + "'");
        std::ofstream("config.cfg", std::ios::binary) << row.bytes;
        EXPECT_EQ(startUp(), row.echo);
        EXPECT_EQ(sizeMode, row.mode);
        EXPECT_EQ(appliedSizeMode, row.mode);
        EXPECT_EQ(screenWidth, row.width);
        EXPECT_EQ(screenHeight, row.height);
        EXPECT_STREQ(fontFileFor(sizeMode), row.mode >= 3 ? "media/humn28.xml" : "media/Swiss12.xml");
        EXPECT_EQ(file(), row.bytes);
    }
}

TEST_F(ConfigTest, UnwritableFolderStillStartsAtSizeS)
{
    // A folder in the file's place: the read finds no file and the create fails, even for root.
    ASSERT_EQ(mkdir("config.cfg", 0755), 0);
    EXPECT_EQ(startUp(), "could not write config.cfg, using size S\nw cfg = 1    49    icfg= 1  \n");
    EXPECT_EQ(sizeMode, 1);
    EXPECT_EQ(screenWidth, 650);
}

TEST(StartUpTest, LabelsFontAndCounters)
{
    for (int mode : {1, 3}) {
        SCOPED_TRACE("size mode " + std::to_string(mode));
        testgame::open(video::EDT_NULL, mode);
        EXPECT_EQ(uiFont, guiEnv->getFont(fontFileFor(mode)));
        EXPECT_EQ(guiEnv->getSkin()->getFont(gui::EGDF_DEFAULT), uiFont);
        EXPECT_NE(spriteSheet, nullptr);
        EXPECT_NE(titleTexture, nullptr);
        for (gui::IGUIStaticText* label : {infoLabel, sizeLabel}) {
            EXPECT_EQ(testgame::text(label), "  ");
            EXPECT_EQ(label->getOverrideColor(), video::SColor(0xFF000000));
            EXPECT_EQ(label->getRelativePosition(), core::rect<s32>(0, 0, screenWidth - 10, 40));
        }
        EXPECT_EQ(infoLabel->getOverrideFont(), nullptr);
        EXPECT_EQ(sizeLabel->getOverrideFont(), uiFont);
        EXPECT_EQ(inputCooldown, 22);
        EXPECT_EQ(keyCooldown, 22);
        EXPECT_EQ(activeScreen, 0);
        EXPECT_EQ(playState, 1);
        testgame::close();
    }
}

TEST(ReceiverTest, KeysAndButtonsFollowTheirEvents)
{
    testgame::releaseAll();
    testgame::key(KEY_KEY_A, true);
    testgame::key(KEY_KEY_D, true);
    EXPECT_TRUE(receiver.isKeyDown(KEY_KEY_A) && receiver.isKeyDown(KEY_KEY_D));
    EXPECT_EQ(receiver.lastKeyDown, KEY_KEY_D);
    // A release clears lastKeyDown although another key is still held.
    testgame::key(KEY_KEY_A, false);
    EXPECT_FALSE(receiver.isKeyDown(KEY_KEY_A));
    EXPECT_TRUE(receiver.isKeyDown(KEY_KEY_D));
    EXPECT_EQ(receiver.lastKeyDown, 0);

    testgame::leftButton(true);
    testgame::rightButton(true);
    testgame::leftButton(false);
    EXPECT_FALSE(leftButtonDown);
    EXPECT_TRUE(rightButtonDown);
    // Other mouse events and other event types change nothing; every event goes on to the GUI.
    SEvent event = {};
    event.EventType = EET_MOUSE_INPUT_EVENT;
    for (EMOUSE_INPUT_EVENT what : {EMIE_MMOUSE_PRESSED_DOWN, EMIE_MOUSE_MOVED, EMIE_MOUSE_WHEEL,
                                    EMIE_LMOUSE_DOUBLE_CLICK, EMIE_RMOUSE_TRIPLE_CLICK}) {
        event.MouseInput.Event = what;
        EXPECT_FALSE(receiver.OnEvent(event));
    }
    event.EventType = EET_GUI_EVENT;
    EXPECT_FALSE(receiver.OnEvent(event));
    EXPECT_FALSE(leftButtonDown);
    EXPECT_TRUE(rightButtonDown);

    // Codes outside the table are ignored.
    event.EventType = EET_KEY_INPUT_EVENT;
    event.KeyInput.PressedDown = true;
    static_assert(sizeof(EKEY_CODE) == sizeof(unsigned), "key codes are stored as 32 bits");
    for (unsigned code : {0xFFFFFFFFu, static_cast<unsigned>(KEY_KEY_CODES_COUNT), 0x7FFFFFFFu}) {
        std::memcpy(&event.KeyInput.Key, &code, sizeof code);  // as raw bits, like a foreign event would
        EXPECT_FALSE(receiver.OnEvent(event));
    }
    EXPECT_EQ(receiver.lastKeyDown, 0);
    EXPECT_EQ(std::count(std::begin(receiver.keyDown), std::end(receiver.keyDown), true), 1);
}

TEST(TickTest, OneTickPerNewTickNumber)
{
    u32 last = 1;
    EXPECT_FALSE(tickDue(17, last));  // 17..33 is tick 1, the loop's start value
    EXPECT_FALSE(tickDue(33, last));
    EXPECT_TRUE(tickDue(34, last));
    EXPECT_FALSE(tickDue(50, last));  // the timer standing still within a tick
    EXPECT_TRUE(tickDue(1000, last)); // a jump runs one tick, no catch-up
    EXPECT_EQ(last, 1000u / 17);
    EXPECT_FALSE(tickDue(1001, last));
}

} // namespace
