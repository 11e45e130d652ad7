// Whole frames on OpenGL under X against the reference pictures packed in tests/reference-frames.tar.xz, within
// 2 per channel: every known state at every size, labels included. With --capture DIR it writes them instead.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/framestates.h"
#include "tests/support/testgame.h"

namespace {

std::string captureFolder;  // empty: compare

std::string frameFile(const std::string& folder, int state, const char* type)
{
    static const char* const sizeNames[sizeModeCount] = {"xs", "s", "m", "l", "xl"};
    return folder + "/" + sizeNames[sizeMode] + "-" + framestates::name(state) + type;
}

// Binary PPM: the pictures are packed together with xz, which finds far more of their repeats than PNG would.
void writePpm(const testgame::Grab& g, const std::string& file)
{
    std::ofstream out(file, std::ios::binary);
    out << "P6\n" << g.width << " " << g.height << "\n255\n";
    for (uint32_t p : g.pixels)
        out.put(static_cast<char>(p >> 16)).put(static_cast<char>(p >> 8)).put(static_cast<char>(p));
    EXPECT_TRUE(out.good()) << file;
}

testgame::Grab readPpm(const std::string& file)
{
    testgame::Grab g;
    std::ifstream in(file, std::ios::binary);
    std::string magic;
    int depth = 0;
    in >> magic >> g.width >> g.height >> depth;
    in.get();
    if (!in || magic != "P6" || depth != 255 || g.width <= 0 || g.height <= 0)
        return testgame::Grab();
    std::vector<unsigned char> bytes(static_cast<size_t>(g.width) * g.height * 3);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        return testgame::Grab();
    for (size_t i = 0; i < bytes.size(); i += 3)
        g.pixels.push_back(0xFF000000u | bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2]);
    return g;
}

// A picture to look at when a frame differs.
void writePng(const testgame::Grab& g, const std::string& file)
{
    video::IImage* image = driver->createImage(video::ECF_R8G8B8, core::dimension2d<u32>(g.width, g.height));
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            image->setPixel(x, y, video::SColor(g.at(x, y)));
    driver->writeImageToFile(image, file.c_str());
    image->drop();
}

// Reports how many pixels differ by more than 2 in a channel, and the first few of them.
void compare(const testgame::Grab& seen, int state)
{
    const std::string file = frameFile(QUINTET_REFERENCE_FRAMES, state, ".ppm");
    const testgame::Grab reference = readPpm(file);
    ASSERT_TRUE(reference.width == seen.width && reference.height == seen.height) << "no picture of its size: " << file;
    int wrong = 0;
    std::string first;
    for (int y = 0; y < seen.height; ++y)
        for (int x = 0; x < seen.width; ++x)
            if (!testgame::near(seen.at(x, y), reference.at(x, y), 2) && ++wrong <= 5)
                first += " (" + std::to_string(x) + "," + std::to_string(y) + ") " + testgame::hex(seen.at(x, y)) +
                         " expected " + testgame::hex(reference.at(x, y)) + ";";
    if (wrong) {
        const std::string drawn = frameFile(".", state, "-mismatch.png");
        writePng(seen, drawn);
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
        testgame::tick();
        const testgame::Grab seen = testgame::grab();
        if (captureFolder.empty())
            compare(seen, state);
        else
            writePpm(seen, frameFile(captureFolder, state, ".ppm"));
    }
    testgame::close();
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
