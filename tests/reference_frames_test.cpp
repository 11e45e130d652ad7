// Whole frames on OpenGL under X against the reference pictures packed in tests/reference-frames.tar.xz, within
// 2 per channel: every known state at every size, labels included; then what they hold still, frame against frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "play/play.h"
#include "tests/support/framestates.h"
#include "tests/support/testgame.h"

namespace {

// With QUINTET_CAPTURE set to a folder (an absolute path: the test runs in the run folder), the reference states'
// pictures are written there instead of compared.
const char* const captureFolder = std::getenv("QUINTET_CAPTURE");

std::string frameFile(const std::string& folder, int state, const char* type)
{
    static const char* const sizeNames[sizeModeCount] = {"xs", "s", "m", "l", "xl"};
    return folder + "/" + sizeNames[sizeMode] + "-" + framestates::name(state) + type;
}

// Pixels of seen, from row top down, that differ from expected by more than 2 in R, G or B (both pictures of the
// window as testgame::grab reads it); the first of them in first.
int differing(const std::string& seen, const std::string& expected, std::string& first, int top = 0)
{
    int wrong = 0;
    for (int y = top; y < screenHeight; ++y)
        for (int x = 0; x < screenWidth; ++x) {
            const size_t i = seen.size() - 3u * (screenWidth * (screenHeight - y) - x);  // past the header
            bool near = true;
            for (size_t c = i; c < i + 3; ++c)
                near = near && std::abs((seen[c] & 0xFF) - (expected[c] & 0xFF)) <= 2;
            if (!near && ++wrong == 1)
                first = " (" + std::to_string(x) + "," + std::to_string(y) + ")";
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
                      << " pixels differ, the first at" << first << " (this frame is kept in the run folder as " << drawn
                      << ")";
    }
}

// Each state is painted over the picture of the one before, so only what changed is painted again: the painter's
// partial repaints are held to the reference pictures too.
class ReferenceFrames : public testing::TestWithParam<int> {};

TEST_P(ReferenceFrames, EveryStateMatchesItsPicture)
{
    testgame::open(video::EDT_OPENGL, GetParam());
    for (int state = 0; state < framestates::stateCount; ++state) {
        framestates::enter(state);
        runTick();
        const std::string seen = testgame::grab();
        if (!captureFolder)
            compare(seen, state);
        else
            EXPECT_TRUE((std::ofstream(frameFile(captureFolder, state, ".ppm"), std::ios::binary) << seen).good());
    }
    testgame::close();
}

// What the states above hold still: each row's frame looks like its state's frame without the timing in question
// (from row `top` down; the labels above change when a game ends).
TEST(FrameTiming, BlinkOverlayToggleBannerPhasesAndScore)
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
        {"the banner gone alone", playAllTooltip, [] { gameOverCountdown = 11, runTick(), gameOverCountdown = 12; },
         [] { gameOverCountdown = 12, forgetShownPicture(); }, 0},
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
        EXPECT_EQ(differing(timed, shot(r.state, r.plain), first, r.top), 0) << r.name << ", the first at" << first;
    }
    testgame::close();
}

// By size mode; a failure names the window's side.
INSTANTIATE_TEST_SUITE_P(Sizes, ReferenceFrames, testing::Range(0, sizeModeCount));

} // namespace
