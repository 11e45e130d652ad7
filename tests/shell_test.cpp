// Shell tests without a window: config.cfg and the size table, damaged media, start-up's labels, the receiver,
// tick scheduling.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <vector>

#include "play/play.h"
#include "tests/support/testgame.h"

namespace {

std::string contents(const std::string& name)
{
    return {std::istreambuf_iterator<char>(std::ifstream(name, std::ios::binary).rdbuf()), {}};
}

// Runs body in a death test's child, its stdout going into the stderr the test reads, and ends it with status 0.
// A child still running after 20 seconds gets SIGALRM, so a hang fails the test instead of blocking it.
[[noreturn]] void inChild(const std::function<void()>& body)
{
    dup2(2, 1);
    alarm(20);
    body();
    std::fflush(stdout);
    _exit(0);
}

// Each test in a fresh empty folder, so config.cfg and media/ are its own.
class ConfigTest : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/quintet-shell.XXXXXX";
        ASSERT_TRUE(mkdtemp(pattern) && chdir(pattern) == 0);
        folder = pattern;
    }
    void TearDown() override
    {
        ASSERT_EQ(chdir("/"), 0);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
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
using StartUpTest = ConfigTest;

// Byte 0 chooses the size when it is '0'..'4' (else 1024 x 768 in mode 0) and shows in the echo when printable,
// bytes 0..3 (zero past the end) are echoed as a signed little-endian number, and the file stays as it was,
// whatever its length. (The record a first start writes is rest_e2e's.)
TEST_F(ConfigTest, FirstByteChoosesSizeAndTheFileStaysAsItWas)
{
    struct Row { std::string bytes; char shown; int value, mode; };  // mode -1: no size chosen
    const Row rows[] = {
        {"", '?', 0, -1},
        {"/", '/', 47, -1},
        {"0", '0', 48, 0},
        {std::string("4\0\0\xff", 4), '4', -16777164, 4},
        {"5" + std::string(36, '\xff'), '5', -203, -1},
        {"2" + std::string(34, '\0'), '2', 50, 2},
        {std::string(1 << 20, '3'), '3', 858993459, 3},
        {"\x1f\x01", '?', 287, -1},  // a control byte, as in an escape sequence, must not reach the terminal
        {" ", ' ', 32, -1},
        {"~", '~', 126, -1},
        {"\x7f", '?', 127, -1},
        {"\x80\x81\x82\x83" + std::string(32, '\0'), '?', -2088599168, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE("config.cfg starting " + testing::PrintToString(r.bytes.substr(0, 5)));
        std::ofstream("config.cfg", std::ios::binary) << r.bytes;
        const std::string shown(1, r.shown);
        const int mode = std::max(r.mode, 0), side = windowSideBySize[mode];
        EXPECT_EQ(startUp(), "w cfg = " + shown + "    " + std::to_string(r.value) + "    icfg= " + shown + "  \n");
        EXPECT_EQ(std::make_tuple(sizeMode, appliedSizeMode, screenWidth, screenHeight, contents("config.cfg") == r.bytes),
                  std::make_tuple(mode, mode, r.mode < 0 ? 1024 : side, r.mode < 0 ? 768 : side, true));
    }
}

// On a screen that holds sides up to limit: a stored size that does not fit opens as the largest that does, says so
// and leaves config.cfg as it was; the selector's steps down and up from there skip what does not fit, wrapping.
TEST_F(ConfigTest, OnlySizesThatFitTheScreen)
{
    struct Row { int limit, stored, opened, down, up; };
    const Row rows[] = {
        {0, 4, 4, 3, 0},  {1140, 4, 4, 3, 0}, {1139, 4, 3, 2, 0}, {1139, 0, 0, 3, 1},
        {688, 4, 1, 0, 0}, {688, 3, 1, 0, 0},  {650, 1, 1, 0, 0},  {649, 2, 0, 0, 0}, {1, 0, 0, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "mode " << r.stored << " stored, sides up to " << r.limit << " fit");
        const std::string record = std::to_string(r.stored) + std::string(35, 'x');
        std::ofstream("config.cfg", std::ios::binary) << record;
        windowSideLimit = r.limit;
        const std::string names[] = {"XS", "S", "M", "L", "XL"}, said = startUp();
        EXPECT_EQ(said.substr(said.find('\n') + 1), r.opened == r.stored ? "" : names[r.stored] +
                  " does not fit this screen, using size " + names[r.opened] + "\n");
        EXPECT_EQ(std::make_tuple(sizeMode, appliedSizeMode, screenWidth, contents("config.cfg") == record),
                  std::make_tuple(r.opened, r.opened, windowSideBySize[r.opened], true));
        EXPECT_EQ(std::make_pair(nextFittingSizeMode(r.opened, -1, r.limit), nextFittingSizeMode(r.opened, 1, r.limit)),
                  std::make_pair(r.down, r.up));
    }
    windowSideLimit = 0;
}

// What stands in config.cfg's place, and how the game may use the folder; each row runs in a child, which
// starts up (or changes the size to XL) and prints the window side.
TEST_F(ConfigTest, OddEntriesAndFailedWritesLeaveItAsItWas)
{
    // No space: the record is written into /dev/full.
    struct Row { const char* name; std::function<void()> make; bool sizeChange; std::string printed; };
    const std::string unread = "could not read config.cfg, using size S\n",
                      sizeS = "w cfg = 1    49    icfg= 1  \nside 650\n",
                      unwritten = "could not write config.cfg, using size S\n",
                      kept = "could not write config.cfg, size not changed\n";
    auto write = [](const char* name, const std::string& bytes) { std::ofstream(name, std::ios::binary) << bytes; };
    auto full = [] { std::filesystem::create_symlink("/dev/full", "config.cfg.tmp"); };
    const std::string record = "2" + std::string(40, 'x');  // longer than a record: a short write would show
    const Row rows[] = {
        {"a folder", [] { mkdir("config.cfg", 0755); }, false, unread + sizeS},
        {"a FIFO", [] { mkfifo("config.cfg", 0644); }, false, unread + sizeS},
        {"a dangling symlink", [] { std::filesystem::create_symlink("nowhere", "config.cfg"); }, false, unread + sizeS},
        {"a symlink to a file whose read fails",
         [] { std::filesystem::create_symlink("/proc/self/mem", "config.cfg"); }, false, unread + sizeS},
        {"a symlink to a record", [&] { write("target", "3"), std::filesystem::create_symlink("target", "config.cfg"); },
         false, "w cfg = 3    51    icfg= 3  \nside 960\n"},
        {"nothing, no space", full, false, unwritten + sizeS},
        {"a record, size change with no space", [&] { write("config.cfg", record), full(); }, true, kept},
    };
    // The entry as it stands, without following it.
    auto entry = [] {
        const std::filesystem::path name = "config.cfg";
        const std::filesystem::file_status s = symlink_status(name);
        const std::string content = is_regular_file(s) ? contents("config.cfg") : is_symlink(s) ? read_symlink(name).string() : "";
        return std::to_string(int(s.type())) + " " + std::to_string(int(s.permissions())) + " " + content;
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (const auto& left : std::filesystem::directory_iterator("."))
            std::filesystem::remove_all(left.path());
        row.make();
        const std::string before = entry();
        EXPECT_EXIT(inChild([&] {
                        resetGameState();
                        if (row.sizeChange) {
                            sizeMode = 4;
                            relaunchWithSize();  // exits when it stored the size
                        } else {
                            readConfig();
                            std::printf("side %d\n", screenWidth);
                        }
                    }),
                    testing::ExitedWithCode(0), testing::Matcher<const std::string&>(row.printed));
        EXPECT_EQ(entry(), before);
        EXPECT_FALSE(std::filesystem::exists("config.cfg.tmp"));
    }
}

// Start-up at L: the mode's font, the counters at the start-up cooldown, rand seeded from the clock. (The labels'
// first look is the title frame's.) Then damage that only the engine's loaders would notice, by reading past their
// buffers or trying every loader on a file: refused before they see it. (Fuzzing finds more; each gets its row.)
TEST_F(StartUpTest, FontCountersSeedAndMediaTheEngineMisreads)
{
    std::filesystem::copy(QUINTET_RUN_DIR "/media", "media");
    const std::string font = contents("media/humn28.xml");
    testgame::open(video::EDT_NULL, 3, std::filesystem::current_path().c_str());
    EXPECT_EQ(guiEnv->getSkin()->getFont(gui::EGDF_DEFAULT), guiEnv->getFont("media/humn28.xml"));
    EXPECT_EQ(std::make_tuple(inputCooldown, keyCooldown, activeScreen, playState),
              std::make_tuple(22, 22, 0, playRunning));
    seedRandom();
    const int draw = std::rand();
    std::srand(1);
    EXPECT_NE(draw, std::rand()) << "the draws of a fixed seed";
    // The font's check asks the engine whether it can decode the font's picture.
    // exp.bmp: 512 x 512 pixels of 24 bits, uncompressed, after a header of 54 bytes.
    const struct { const char* name; const char* file; size_t at; std::string bytes; } rows[] = {
        {"a compressed bitmap", "exp.bmp", 30, std::string("\1", 1)},
        {"a bitmap of 8 bits, with a palette", "exp.bmp", 28, std::string("\x08", 1)},
        {"a bitmap stored top down", "exp.bmp", 22, std::string("\0\xFE\xFF\xFF", 4)},
        {"511 x 513 pixels: padded rows past the end", "exp.bmp", 18, std::string("\xFF\1\0\0\1\2\0\0", 8)},
        {"less pixel data claimed than the rows need", "exp.bmp", 34, std::string("\1\0\0\0", 4)},
        {"16 bits, 3 pixels wide: odd 16-bit rows", "exp.bmp", 18, std::string("\3\0\0\0\0\2\0\0\1\0\20\0", 12)},
        {"the font element misnamed: every image loader tries it", "humn28.xml", 23, std::string(4, '\xff')},
        {"a character without its c attribute", "humn28.xml", font.find(" c=\"", font.find("<c ")) + 1, "x"},
        {"a font picture the PNG decoder refuses (its header checksum broken)", "humn28_0.png", 29, std::string(4, 0)},
    };
    for (const auto& r : rows) {
        const std::string path = "media/" + std::string(r.file), original = contents(path);
        std::ofstream(path, std::ios::binary) << std::string(original).replace(r.at, r.bytes.size(), r.bytes);
        EXPECT_FALSE(r.file[0] == 'e' ? bitmapFileIntact(path.c_str()) : fontFileIntact("media/humn28.xml")) << r.name;
        std::ofstream(path, std::ios::binary) << original;
    }
    // Refused, the font stops the game with its message. Cut between two tags, the engine would take it.
    std::ofstream("media/humn28.xml", std::ios::binary) << font.substr(0, font.rfind('>', font.size() / 2) + 1);
    EXPECT_EXIT(inChild(loadFont), testing::ExitedWithCode(1), " sorry, font file not found:  humn28.xml  !!! \n$");
    testgame::close();
}

// Mouse events other than the buttons', other event types and key codes outside the table (as raw bits, like a
// foreign event) change nothing; every event goes on to the GUI.
TEST(ReceiverTest, ForeignEventsChangeNothingAndEveryEventGoesOnToTheGui)
{
    testgame::releaseAll();
    testgame::key(KEY_KEY_D, true);
    testgame::rightButton(true);
    SEvent event = {};
    event.EventType = EET_MOUSE_INPUT_EVENT;
    for (EMOUSE_INPUT_EVENT what : {EMIE_MMOUSE_PRESSED_DOWN, EMIE_MOUSE_MOVED, EMIE_MOUSE_WHEEL,
                                    EMIE_LMOUSE_DOUBLE_CLICK, EMIE_RMOUSE_TRIPLE_CLICK}) {
        event.MouseInput.Event = what;
        EXPECT_FALSE(receiver.OnEvent(event)) << "mouse event " << what;
    }
    event.EventType = EET_GUI_EVENT;
    EXPECT_FALSE(receiver.OnEvent(event));
    event.EventType = EET_KEY_INPUT_EVENT;
    event.KeyInput.PressedDown = true;
    static_assert(sizeof(EKEY_CODE) == sizeof(unsigned), "key codes are stored as 32 bits");
    for (unsigned code : {0xFFFFFFFFu, static_cast<unsigned>(KEY_KEY_CODES_COUNT), 0x7FFFFFFFu}) {
        std::memcpy(&event.KeyInput.Key, &code, sizeof code);
        EXPECT_FALSE(receiver.OnEvent(event)) << "key code " << code;
    }
    EXPECT_EQ(std::make_tuple(std::count(std::begin(receiver.keyDown), std::end(receiver.keyDown), true),
                              receiver.isKeyDown(KEY_KEY_D), receiver.lastKeyDown, leftButtonDown, rightButtonDown),
              std::make_tuple(1, true, KEY_KEY_D, false, true));
}

// Events fed between ticks ('d' press, 'u' release, '|' a tick reads the state, then ends) and what the ticks
// read ('1' held, '0' released), for a key, the shift keys' lastKeyDown and both buttons.
TEST(ReceiverTest, APressStaysUntilATickHasReadIt)
{
    struct Input { const char* name; std::function<void(bool)> feed; std::function<bool()> read; };
    const Input inputs[] = {
        {"key", [](bool d) { testgame::key(KEY_KEY_A, d); }, [] { return receiver.isKeyDown(KEY_KEY_A); }},
        {"last key", [](bool d) { testgame::key(KEY_LSHIFT, d); }, [] { return receiver.lastKeyDown == KEY_LSHIFT; }},
        {"left button", testgame::leftButton, [] { return leftButtonDown; }},
        {"right button", testgame::rightButton, [] { return rightButtonDown; }}};
    struct Row { const char* name, *events, *read; };
    const Row rows[] = {{"tap between ticks", "du|||", "100"},         {"held over 5 ticks", "d|||||u||", "1111100"},
                        {"two taps between ticks", "dudu||", "10"},    {"a tap, then held", "dud||u|", "110"},
                        {"held, then let go and tapped", "d|udu||", "110"}};
    for (const Input& input : inputs)
        for (const Row& row : rows) {
            testgame::releaseAll();
            std::string read;
            for (const char* e = row.events; *e; ++e)
                if (*e == '|')
                    read += input.read() ? '1' : '0', inputSeenByTick();
                else
                    input.feed(*e == 'd');
            EXPECT_EQ(read, row.read) << input.name << ", " << row.name;
        }
    // The last key pressed is read once even when another key's release follows it before the tick.
    testgame::releaseAll();
    testgame::key(KEY_KEY_A, true);
    inputSeenByTick();
    testgame::key(KEY_RSHIFT, true), testgame::key(KEY_RSHIFT, false), testgame::key(KEY_KEY_A, false);
    EXPECT_EQ(receiver.lastKeyDown, KEY_RSHIFT);
    inputSeenByTick();
    EXPECT_EQ(receiver.lastKeyDown, 0);
}

// 17..33 is tick 1, the loop's start value; the timer standing still within a tick runs none, a jump runs one tick,
// no catch-up; tick 59 starts at 1003.
TEST(TickTest, OneTickPerNewTickNumber)
{
    u32 last = 1;
    std::string due;
    for (u32 time : {17, 33, 34, 50, 1000, 1001})
        due += tickDue(time, last) ? '1' : '0';
    EXPECT_EQ(std::make_tuple(due, last, msUntilTick(1001, last), msUntilTick(1002, last), msUntilTick(1003, last)),
              std::make_tuple("001010", 1000u / 17, 2u, 1u, 0u));
}

// Every global a tick may change but frameTime, which each tick sets before anything reads it, and the labels.
std::vector<int> tickState()
{
    std::vector<int> all(&board[0][0], &board[0][0] + 81);
    all.insert(all.end(), &appearTimer[0][0], &appearTimer[0][0] + 81);
    all.insert(all.end(), &removeTimer[0][0], &removeTimer[0][0] + 81);
    all.insert(all.end(), std::begin(receiver.keyDown), std::end(receiver.keyDown));
    all.insert(all.end(), {selectedCol, selectedRow, score, playState, turnPhase, gameOverCountdown, inputCooldown,
                           keyCooldown, activeScreen, leftButtonDown, rightButtonDown, receiver.lastKeyDown, sizeMode,
                           appliedSizeMode, scanRowOverlay, shiftPulse[0], shiftPulse[1], mouseX, mouseY,
                           pointerCol, pointerRow, originX, originY, cellPitch});
    for (gui::IGUIStaticText* label : {infoLabel, sizeLabel})
        for (const wchar_t* c = label->getText(); *c; ++c)
            all.push_back(*c);
    return all;
}

// Random play through the loop's passes, as a player's hand on the title and play screens (no size change or quit,
// which end the program): wherever the loop rests, the ticks it skips, at later times without input, among them
// every phase of the blink and of the cell timers, draw nothing and change nothing. Printed seed: QUINTET_SEED
// repeats a run.
TEST(TickTest, ATickAtRestChangesNothingOverRandomGames)
{
    const char* fixed = std::getenv("QUINTET_SEED");
    const unsigned seed = fixed ? std::strtoul(fixed, nullptr, 10) : static_cast<unsigned>(std::time(nullptr));
    SCOPED_TRACE("seed " + std::to_string(seed) + " (rerun with QUINTET_SEED=" + std::to_string(seed) + ")");
    std::srand(seed);
    std::mt19937 hand(seed);
    testgame::open(video::EDT_NULL, 1);
    testgame::releaseAll();
    testing::internal::CaptureStdout();  // the rules print a line for each spawn and game over
    const EKEY_CODE keys[] = {KEY_SPACE, KEY_LSHIFT, KEY_RSHIFT, KEY_LCONTROL,
                              KEY_TAB,   KEY_LEFT,   KEY_COMMA,  KEY_ESCAPE};
    u32 time = 1000;
    int rests = 0, restsInPlay = 0, restsWithSelection = 0, games = 0, overs = 0;
    std::string problem;
    for (int n = 0; n < 100000 && problem.empty(); ++n) {
        const int action = static_cast<int>(hand() % 40);
        const bool title = activeScreen == 0;
        // On the title only what starts a game: the size selector and Escape would end the program.
        if (action == 0)
            testgame::pointAt(static_cast<int>(hand() % 650), static_cast<int>(hand() % (title ? 450 : 650)));
        else if (action <= 3 && !title) {  // a tap on a cell
            testgame::pointAt(originX + static_cast<int>(hand() % 9) * cellPitch + 5,
                              originY + static_cast<int>(hand() % 9) * cellPitch + 5);
            testgame::leftButton(true);
            testgame::leftButton(false);
        } else if (action == 8)
            testgame::leftButton(!leftButtonDown);
        else if (action == 9 && !title)
            testgame::rightButton(!rightButtonDown);
        else if (action == 4 && (!title || hand() % 4 == 0)) {
            // Escape seldom, or no game would fill its board.
            const EKEY_CODE k = title ? KEY_SPACE : keys[hand() % (hand() % 10 ? 7 : 8)];
            testgame::key(k, !receiver.isKeyDown(k));
        } else if (action == 5)
            testgame::releaseAll();
        else if (action == 6)  // off the board, to the right
            testgame::pointAt(630 + static_cast<int>(hand() % 20), static_cast<int>(hand() % 450));
        if (activeScreen == 0) {
            // Keys and a pointer left over from play that would end the program here.
            for (EKEY_CODE k : keys)
                if (k != KEY_SPACE && receiver.isKeyDown(k))
                    testgame::key(k, false);
            if (mouseY >= 450)
                testgame::pointAt(mouseX, mouseY - 450);
        }
        const bool onTitle = activeScreen == 0;
        time += action == 7 ? 17 * static_cast<u32>(hand() % 100) : 17;
        testgame::setTime(time);
        const bool resting = loopPass() == -1;
        games += onTitle && activeScreen == 1;
        overs += playState == playGameOver && gameOverCountdown == gameOverTicks - 1;
        if (!resting)
            continue;
        ++rests, restsInPlay += activeScreen == 1, restsWithSelection += activeScreen == 1 && selectedCol != -1;
        // The ticks the rest skips.
        const std::vector<int> before = tickState();
        for (int later = 1; later <= 60 && problem.empty(); later += 1 + static_cast<int>(hand() % 7)) {
            testgame::setTime(time + 17 * static_cast<u32>(later));
            const bool drew = runTick();
            if (drew || tickState() != before)
                problem = std::string(drew ? "drew a new picture" : "changed the game") + " at rest, " +
                          std::to_string(later) + " ticks on, at step " + std::to_string(n);
        }
        time += 17 * 60;
    }
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(problem, "");
    // Rests of every kind were tried: the title, play, play with a selection off the board, and finished games.
    EXPECT_GT(rests, 300);
    EXPECT_GT(restsInPlay, 100);
    EXPECT_GT(restsWithSelection, 10);
    EXPECT_GT(games, 3);
    EXPECT_GT(overs, 0);
    testgame::close();
}

// The loop at rest waits for input alone; input ends the rest, and the tick that first sees it runs at the next
// tick boundary, as it would if no tick had been skipped. A tap shorter than a tick is seen by that tick.
TEST(TickTest, InputEndsARestAtTheNextTickBoundary)
{
    testgame::open(video::EDT_NULL, 1);
    testgame::releaseAll();
    testgame::pointAt(330, 377);  // on the start button
    inputCooldown = 0;
    u32 time = 17 * 100;
    int waited = 0;
    for (int n = 0; n < 3 && waited != -1; ++n, time += 17) {
        testgame::setTime(time);
        waited = loopPass();
    }
    EXPECT_EQ(waited, -1) << "the title with nothing held does not rest";
    time += 17 * 300;
    testgame::setTime(time + 3);  // long after, 3 ms into a tick
    frameTime = 0;
    EXPECT_EQ(loopPass(), -1) << "a rest ended without input";
    testgame::leftButton(true);
    testgame::leftButton(false);
    const int wait = loopPass();
    EXPECT_GE(wait, 13);  // 14, less what the clock moved on meanwhile
    EXPECT_LE(wait, 14);
    EXPECT_EQ(frameTime, 0) << "the input's tick ran before the tick boundary";
    testgame::setTime(time + 17);
    loopPass();
    EXPECT_EQ(std::make_tuple(frameTime, activeScreen), std::make_tuple(static_cast<int>(time + 17), 1));
    testgame::close();
}

} // namespace
