// Shell tests without a window: config.cfg and the size table, the event receiver, tick scheduling.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "shell/shell.h"
#include "tests/support/testgame.h"

namespace {

// Runs each test in a fresh empty folder, so config.cfg is the test's own.
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
        chdir("/");
        std::system(("rm -rf " + folder).c_str());
    }
    static void write(const std::string& bytes)
    {
        std::ofstream("config.cfg", std::ios::binary) << bytes;
    }
    static std::string read()
    {
        std::ifstream in("config.cfg", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Start-up's first steps; returns what they printed.
    static std::string startUp()
    {
        sizeMode = 4;  // reset must put it back to 0
        testing::internal::CaptureStdout();
        resetGameState();
        readConfig();
        return testing::internal::GetCapturedStdout();
    }
    std::string folder;
};

TEST_F(ConfigTest, MissingFileIsCreatedForSizeS)
{
    const std::string out = startUp();
    const std::string file = read();
    ASSERT_EQ(file.size(), 36u);
    EXPECT_EQ(file.substr(0, 4), std::string("1\0\0\0", 4));
    EXPECT_EQ(sizeMode, 1);
    EXPECT_EQ(appliedSizeMode, 1);
    EXPECT_EQ(screenWidth, 650);
    EXPECT_EQ(screenHeight, 650);
    EXPECT_STREQ(fontFileFor(sizeMode), "media/Swiss12.xml");
    EXPECT_EQ(out, "w cfg = 1    49    icfg= 1  \n");
}

TEST_F(ConfigTest, FirstByteChoosesSizeAndFont)
{
    struct Row {
        std::string bytes;
        int mode, width, height;
        const char* font;
        std::string echo;
    };
    const std::string tail(32, '\x7f');  // bytes 4..35 mean nothing
    const Row rows[] = {
        {std::string("0\0\0\0", 4) + tail, 0, 450, 450, "media/Swiss12.xml", "w cfg = 0    48    icfg= 0  \n"},
        {std::string("1\0\0\0", 4) + tail, 1, 650, 650, "media/Swiss12.xml", "w cfg = 1    49    icfg= 1  \n"},
        {std::string("2\0\0\0", 4) + tail, 2, 850, 850, "media/Swiss12.xml", "w cfg = 2    50    icfg= 2  \n"},
        {std::string("3\0\0\0", 4) + tail, 3, 960, 960, "media/humn28.xml", "w cfg = 3    51    icfg= 3  \n"},
        {std::string("4\0\0\0", 4) + tail, 4, 1140, 1140, "media/humn28.xml", "w cfg = 4    52    icfg= 4  \n"},
        {std::string("4", 1), 4, 1140, 1140, "media/humn28.xml", "w cfg = 4    52    icfg= 4  \n"},
        {"", 0, 1024, 768, "media/Swiss12.xml", std::string("w cfg = \0    0    icfg= \0  \n", 28)},
        {std::string("5\0\0\0", 4), 0, 1024, 768, "media/Swiss12.xml", "w cfg = 5    53    icfg= 5  \n"},
        {"\n", 0, 1024, 768, "media/Swiss12.xml", "w cfg = \n    10    icfg= \n  \n"},
        {"2x", 2, 850, 850, "media/Swiss12.xml", "w cfg = 2    30770    icfg= 2  \n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("config bytes \"" + row.bytes.substr(0, 4) + "\" size " + std::to_string(row.bytes.size()));
        write(row.bytes);
        const std::string out = startUp();
        EXPECT_EQ(sizeMode, row.mode);
        EXPECT_EQ(appliedSizeMode, row.mode);
        EXPECT_EQ(screenWidth, row.width);
        EXPECT_EQ(screenHeight, row.height);
        EXPECT_STREQ(fontFileFor(sizeMode), row.font);
        EXPECT_EQ(out, row.echo);
        EXPECT_EQ(read(), row.bytes) << "the file must not be rewritten";
    }
}

TEST_F(ConfigTest, WrittenRecordReadsBack)
{
    for (int mode = 0; mode < sizeModeCount; ++mode) {
        const ConfigRecord record = configRecordFor(mode);
        write(std::string(reinterpret_cast<const char*>(record.bytes), sizeof record.bytes));
        startUp();
        EXPECT_EQ(sizeMode, mode);
        EXPECT_EQ(screenWidth, windowSideBySize[mode]);
        for (int i = 1; i < configRecordSize; ++i)
            EXPECT_EQ(record.bytes[i], 0) << "byte " << i << " of mode " << mode;
    }
}

TEST_F(ConfigTest, UnwritableFolderStillStartsAtSizeS)
{
    // A folder in the file's place makes both opens fail, even for root.
    ASSERT_EQ(mkdir("config.cfg", 0755), 0);
    const std::string out = startUp();
    EXPECT_EQ(sizeMode, 1);
    EXPECT_EQ(screenWidth, 650);
    EXPECT_NE(out.find("could not write config.cfg"), std::string::npos) << out;
    EXPECT_NE(out.find("w cfg = 1    49    icfg= 1  \n"), std::string::npos) << out;
    struct stat info;
    ASSERT_EQ(stat("config.cfg", &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
}

TEST_F(ConfigTest, ResetClearsTheBoardAndOverlay)
{
    board[3][4] = 22;
    appearTimer[0][8] = 5;
    removeTimer[8][0] = 7;
    selectedCol = selectedRow = 2;
    score = 99;
    scanRowOverlay = true;
    write("1");
    startUp();
    EXPECT_EQ(board[3][4], 0);
    EXPECT_EQ(appearTimer[0][8], 0);
    EXPECT_EQ(removeTimer[8][0], 0);
    EXPECT_EQ(selectedCol, -1);
    EXPECT_EQ(selectedRow, -1);
    EXPECT_EQ(score, 0);
    EXPECT_FALSE(scanRowOverlay);
}

SEvent keyEvent(int code, bool down)
{
    SEvent event = {};
    event.EventType = EET_KEY_INPUT_EVENT;
    event.KeyInput.Key = static_cast<EKEY_CODE>(code);
    event.KeyInput.PressedDown = down;
    return event;
}

SEvent mouseEvent(EMOUSE_INPUT_EVENT what)
{
    SEvent event = {};
    event.EventType = EET_MOUSE_INPUT_EVENT;
    event.MouseInput.Event = what;
    return event;
}

class ReceiverTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (bool& down : receiver.keyDown)
            down = false;
        receiver.lastKeyDown = 0;
        leftButtonDown = rightButtonDown = false;
    }
};

TEST_F(ReceiverTest, KeysFollowPressAndRelease)
{
    EXPECT_FALSE(receiver.OnEvent(keyEvent(KEY_KEY_A, true)));
    EXPECT_FALSE(receiver.OnEvent(keyEvent(KEY_KEY_D, true)));
    EXPECT_TRUE(receiver.isKeyDown(KEY_KEY_A));
    EXPECT_TRUE(receiver.isKeyDown(KEY_KEY_D));
    EXPECT_EQ(receiver.lastKeyDown, KEY_KEY_D);
    // A release clears lastKeyDown although another key is still held.
    receiver.OnEvent(keyEvent(KEY_KEY_A, false));
    EXPECT_FALSE(receiver.isKeyDown(KEY_KEY_A));
    EXPECT_TRUE(receiver.isKeyDown(KEY_KEY_D));
    EXPECT_EQ(receiver.lastKeyDown, 0);
    // Key repeat keeps a held shift the last key pressed.
    receiver.OnEvent(keyEvent(KEY_RSHIFT, true));
    receiver.OnEvent(keyEvent(KEY_RSHIFT, true));
    EXPECT_EQ(receiver.lastKeyDown, KEY_RSHIFT);
}

TEST_F(ReceiverTest, OutOfRangeKeyCodesAreIgnored)
{
    receiver.OnEvent(keyEvent(KEY_SPACE, true));
    for (int code : {-1, static_cast<int>(KEY_KEY_CODES_COUNT), 0x1000, 0x7fffffff}) {
        EXPECT_FALSE(receiver.OnEvent(keyEvent(code, true))) << code;
        EXPECT_FALSE(receiver.isKeyDown(static_cast<EKEY_CODE>(code))) << code;
    }
    EXPECT_EQ(receiver.lastKeyDown, KEY_SPACE);
}

TEST_F(ReceiverTest, ButtonsFollowTheirOwnEventsOnly)
{
    receiver.OnEvent(mouseEvent(EMIE_LMOUSE_PRESSED_DOWN));
    receiver.OnEvent(mouseEvent(EMIE_RMOUSE_PRESSED_DOWN));
    receiver.OnEvent(mouseEvent(EMIE_LMOUSE_LEFT_UP));
    EXPECT_FALSE(leftButtonDown);
    EXPECT_TRUE(rightButtonDown);
    // Middle button, moves, wheel and multi-clicks change nothing; every event is passed on.
    for (EMOUSE_INPUT_EVENT what : {EMIE_MMOUSE_PRESSED_DOWN, EMIE_MMOUSE_LEFT_UP, EMIE_MOUSE_MOVED,
                                    EMIE_MOUSE_WHEEL, EMIE_LMOUSE_DOUBLE_CLICK, EMIE_LMOUSE_TRIPLE_CLICK,
                                    EMIE_RMOUSE_DOUBLE_CLICK}) {
        EXPECT_FALSE(receiver.OnEvent(mouseEvent(what)));
        EXPECT_FALSE(leftButtonDown);
        EXPECT_TRUE(rightButtonDown);
    }
    receiver.OnEvent(mouseEvent(EMIE_RMOUSE_LEFT_UP));
    EXPECT_FALSE(rightButtonDown);
    SEvent gui = {};
    gui.EventType = EET_GUI_EVENT;
    EXPECT_FALSE(receiver.OnEvent(gui));
}

TEST(TickTest, OneTickPerNewTickNumber)
{
    u32 last = 1;
    // Time 17..33 is tick 1, the loop's start value: nothing to draw yet.
    EXPECT_FALSE(tickDue(17, last));
    EXPECT_FALSE(tickDue(33, last));
    EXPECT_TRUE(tickDue(34, last));
    EXPECT_EQ(last, 2u);
    // A timer standing still draws nothing more.
    EXPECT_FALSE(tickDue(34, last));
    EXPECT_FALSE(tickDue(50, last));
    // A jump over many ticks runs one, with no catch-up.
    EXPECT_TRUE(tickDue(1000, last));
    EXPECT_EQ(last, 1000u / 17);
    EXPECT_FALSE(tickDue(1001, last));
    // Time 0 is tick 0, which differs from the start value.
    u32 fresh = 1;
    EXPECT_TRUE(tickDue(0, fresh));
}

TEST(StartUpTest, LabelsFontAndCountersAfterStartUp)
{
    for (int mode : {1, 3}) {
        SCOPED_TRACE("size mode " + std::to_string(mode));
        testgame::open(video::EDT_NULL, mode);
        ASSERT_NE(uiFont, nullptr);
        EXPECT_EQ(uiFont, guiEnv->getFont(fontFileFor(mode)));
        EXPECT_EQ(guiEnv->getSkin()->getFont(gui::EGDF_DEFAULT), uiFont);
        ASSERT_NE(spriteSheet, nullptr);
        ASSERT_NE(titleTexture, nullptr);
        const core::rect<s32> area(0, 0, screenWidth - 10, 40);
        for (gui::IGUIStaticText* label : {infoLabel, sizeLabel}) {
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(testgame::text(label), "  ");
            EXPECT_EQ(label->getOverrideColor(), video::SColor(0xFF000000));
            EXPECT_EQ(label->getRelativePosition(), area);
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

} // namespace
