// Whole frames on OpenGL under X against the reference pictures packed in tests/reference-frames.tar.xz, within
// 2 per channel: every known state at every size, labels included; then what they hold still, frame against frame.
// With --capture DIR it writes the pictures instead.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>

#include "play/play.h"
#include "tests/support/framestates.h"
#include "tests/support/testgame.h"

namespace {

std::string captureFolder;  // empty: compare

std::string frameFile(const std::string& folder, int state, const char* type)
{
    static const char* const sizeNames[sizeModeCount] = {"xs", "s", "m", "l", "xl"};
    return folder + "/" + sizeNames[sizeMode] + "-" + framestates::name(state) + type;
}

// Where pixel (x, y) of a picture of the window's size starts (see testgame::grab).
size_t pixelAt(const std::string& picture, int x, int y)
{
    return picture.size() - 3u * screenWidth * (screenHeight - y) + 3u * x;
}

// True when each of R, G and B differs by at most tolerance.
bool near(const char* a, const char* b, int tolerance)
{
    for (int c = 0; c < 3; ++c)
        if (std::abs(static_cast<unsigned char>(a[c]) - static_cast<unsigned char>(b[c])) > tolerance)
            return false;
    return true;
}

std::string hex(const char* rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", static_cast<unsigned char>(rgb[0]),
                  static_cast<unsigned char>(rgb[1]), static_cast<unsigned char>(rgb[2]));
    return text;
}

// Pixels of seen, from row top down, that differ from expected by more than tolerance in a channel; the first few
// in first.
int differing(const std::string& seen, const std::string& expected, std::string& first, int top = 0,
              int tolerance = 2)
{
    int wrong = 0;
    for (int y = top; y < screenHeight; ++y)
        for (int x = 0; x < screenWidth; ++x) {
            const size_t i = pixelAt(seen, x, y);
            if (!near(&seen[i], &expected[i], tolerance) && ++wrong <= 5)
                first += " (" + std::to_string(x) + "," + std::to_string(y) + ") " + hex(&seen[i]) + " expected " +
                         hex(&expected[i]) + ";";
        }
    return wrong;
}

// The pictures are kept as binary PPM: xz, which packs them, finds far more of their repeats than PNG would.
void compare(const std::string& seen, int state)
{
    const std::string file = frameFile(QUINTET_REFERENCE_FRAMES, state, ".ppm");
    std::ostringstream reference;
    reference << std::ifstream(file, std::ios::binary).rdbuf();
    ASSERT_EQ(reference.str().size(), seen.size()) << "no picture of its size: " << file;
    std::string first;
    if (const int wrong = differing(seen, reference.str(), first)) {
        const std::string drawn = frameFile(".", state, "-mismatch.ppm");
        std::ofstream(drawn, std::ios::binary) << seen;
        ADD_FAILURE() << framestates::name(state) << " at " << screenWidth << ": " << wrong
                      << " pixels differ, first:" << first << " (this frame is kept in the run folder as " << drawn
                      << ")";
    }
}

class ReferenceFrames : public testing::TestWithParam<int> {};

TEST_P(ReferenceFrames, EveryStateMatchesItsPicture)
{
    testgame::open(video::EDT_OPENGL, GetParam());
    for (int state = 0; state < framestates::stateCount; ++state) {
        framestates::enter(state);
        runTick();
        const std::string seen = testgame::grab();
        if (captureFolder.empty())
            compare(seen, state);
        else
            EXPECT_TRUE((std::ofstream(frameFile(captureFolder, state, ".ppm"), std::ios::binary) << seen).good());
    }
    testgame::close();
}

// What the states above hold still: each row's frame looks like its state's frame without the timing in question
// (from row `top` down; the labels above change when a game ends).
TEST(FrameTiming, BlinkOverlayToggleBannerPhasesAndClearColour)
{
    using namespace framestates;
    testgame::open(video::EDT_OPENGL, 1);
    auto pointAtSelected = [] {
        const int centre = selectedCell * cellPitch + cellPitch / 2;
        testgame::pointAt(originX + centre, originY + centre);
    };
    struct Row { const char* name; int state; std::function<void()> timed, plain; int top; };
    const Row rows[] = {
        {"selection in the blink's off phase", playPlainSelection, [] { testgame::setTime(1010); },
         [] { selectedCol = selectedRow = -1; }, 0},
        {"overlay button's toggling frame: icon dim, no overlay yet", playPlainButton,
         [] { testgame::leftButton(true), inputCooldown = 1; }, [] {}, 0},
        {"banner hidden: countdown 11 after the step", playAllTooltip, [] { gameOverCountdown = 12; },
         [] { playState = playRunning; }, 0},
        {"banner shown: countdown 10", playAllTooltip, [] { gameOverCountdown = 11; }, [] {}, 0},
        {"banner shown in the frame the countdown ends", playAllTooltip, [] { gameOverCountdown = 1; }, [] {}, 60},
        {"a new score alone is drawn", playPlainButton, [] { runTick(), score = 43; },
         [] { score = 43, forgetShownPicture(); }, 0},
        {"a selection lit alone under the score label", playPlainSelection,
         [] { selectedCol = 1, selectedRow = 0, testgame::setTime(1010), runTick(), testgame::setTime(1009); },
         [] { selectedCol = 1, selectedRow = 0, forgetShownPicture(); }, 0},
        {"a selection shows in the frame of its click", playPlainSelection,
         [&] { selectedCol = selectedRow = -1, inputCooldown = 0, testgame::leftButton(true), pointAtSelected(); },
         pointAtSelected, 0},
    };
    auto shot = [](int state, const std::function<void()>& change) {
        enter(state);
        change();
        runTick();
        return testgame::grab();
    };
    for (const Row& r : rows) {
        const std::string timed = shot(r.state, r.timed);
        std::string first;
        EXPECT_EQ(differing(timed, shot(r.state, r.plain), first, r.top), 0) << r.name << ", first:" << first;
    }
    // Neither screen: the clear colour, and the pointer's marker of 2 x 2 pixels, which either screen paints over.
    activeScreen = 2;
    testgame::pointAt(300, 300);
    runTick();
    const std::string bare = testgame::grab();
    int marked = 0;  // 1 for each pixel of the marker, 10 for any other pixel not in the clear colour
    for (int y = 298; y < 308; ++y)
        for (int x = 298; x < 308; ++x)
            if (!near(&bare[pixelAt(bare, x, y)], "\xB4\x82\xC7", 3))
                marked += x >= 303 && x < 305 && y >= 303 && y < 305 ? 1 : 10;
    EXPECT_EQ(marked, 4) << "clear colour or marker";
    testgame::close();
}

// A picture painted in parts over the one before is the picture painted whole, pixel for pixel: a seeded random
// game on both screens (pointer moves, clicks on cells and buttons, right clicks, now and then a jump into one of
// the known play states with their full boards, removal frames, banner and overlay), every tick compared.
// QUINTET_SEED replays a seed.
TEST(PaintedInParts, EveryTickOfARandomGameIsTheWholePicture)
{
    const char* given = std::getenv("QUINTET_SEED");
    const unsigned seed = given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : std::random_device()();
    std::mt19937 rng(seed);
    std::srand(seed);
    auto chance = [&](double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; };
    auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const struct { int mode, ticks; } runs[] = {{0, 400}, {3, 80}};
    for (const auto& run : runs) {
        testgame::open(video::EDT_OPENGL, run.mode);
        int held = 0;  // ticks the left button stays down
        for (int tick = 0; tick < run.ticks; ++tick) {
            const testgame::TitleSpots& spot = testgame::titleSpots[sizeMode];
            if (held > 0 && --held == 0)
                testgame::leftButton(false);
            if (chance(0.3)) {
                const int pick = below(10);
                if (activeScreen == 0 && pick < 5)
                    testgame::pointAt(spot.bx + 150, spot.by + 37);  // the start button
                else if (activeScreen == 0)  // never the size arrows: a click there restarts the game
                    testgame::pointAt(below(screenWidth), below(spot.ay - 10));
                else if (pick < 2)  // anywhere on a button: its tooltip follows the pointer
                    testgame::pointAt(screenWidth - (pick ? overlayButtonLeft : backButtonLeft) + 1 + below(59),
                                      5 + below(28));
                else if (pick < 8)
                    testgame::pointAt(originX + below(boardSize) * cellPitch + cellPitch / 2,
                                      originY + below(boardSize) * cellPitch + cellPitch / 2);
                else
                    testgame::pointAt(below(screenWidth), below(screenHeight));
            }
            if (held == 0 && chance(0.2)) {
                testgame::leftButton(true);
                held = 1 + below(3);
            }
            testgame::rightButton(chance(0.03));
            if (chance(0.02))
                framestates::enter(framestates::playAllTooltip +
                                   below(framestates::stateCount - framestates::playAllTooltip));
            testgame::setTime(1000 + 17 * tick);
            runTick();
            const std::string inParts = testgame::grab();
            showPictureWhole();
            std::string first;
            const int wrong = differing(inParts, testgame::grab(), first, 0, 0);
            ASSERT_EQ(wrong, 0) << "seed " << seed << " (QUINTET_SEED), size " << screenWidth << ", tick " << tick
                                << ", screen " << activeScreen << ", first:" << first;
        }
        testgame::close();
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ReferenceFrames, testing::Range(0, sizeModeCount),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::to_string(windowSideBySize[info.param]);
                         });

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc == 3 && std::string(argv[1]) == "--capture") {
        char folder[PATH_MAX];
        if (!realpath(argv[2], folder)) {
            std::fprintf(stderr, "no folder %s\n", argv[2]);
            return 1;
        }
        captureFolder = folder;
    }
    return RUN_ALL_TESTS();
}
