// mkmedia: writes the game's media folder (images, bitmap fonts, desktop icon), its icons, or a preview of them.
//   mkmedia FOLDER            the media, into FOLDER (created when missing)
//   mkmedia --icons FOLDER    the icon at every size a desktop asks for, as PNGs and as the window's icon data
//   mkmedia --preview FILE    one PNG showing all media and mock screens
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "tools/mkmedia/preview.h"

static void createFolder(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        fail("cannot create " + folder + ": " + error.message());
}

// quintet-N.png for the hicolor theme and the Windows icon, and quintet-icon.inc: the sizes an X11 window offers
// in _NET_WM_ICON, each as width, height, then its pixels as 0xAARRGGBB, ready to be included in an array.
static void writeIcons(const std::string& folder, const Image& icon)
{
    createFolder(folder);
    const std::string incPath = folder + "/quintet-icon.inc";
    FILE* inc = std::fopen(incPath.c_str(), "w");
    if (!inc)
        fail("cannot write " + incPath);
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const Image small = size == icon.width ? icon : downscaled(icon, size);
        writePng(folder + "/quintet-" + std::to_string(size) + ".png", small);
        if (size == 24 || size == 256)
            continue;  // window icons stop at 128; 24 is a menu size only
        std::fprintf(inc, "%d, %d,\n", size, size);
        for (int i = 0; i < size * size; ++i) {
            const Colour& c = small.pixels[i];
            std::fprintf(inc, "0x%02X%02X%02X%02Xu,%c", byteOf(c.a), byteOf(c.r), byteOf(c.g), byteOf(c.b),
                         i % size == size - 1 ? '\n' : ' ');
        }
    }
    if (std::fclose(inc) != 0)
        fail("cannot write " + incPath);
}

int main(int argc, char** argv)
{
    const bool preview = argc == 3 && std::strcmp(argv[1], "--preview") == 0;
    const bool icons = argc == 3 && std::strcmp(argv[1], "--icons") == 0;
    if (argc != 2 && !preview && !icons)
        fail("usage: mkmedia FOLDER | mkmedia --icons FOLDER | mkmedia --preview FILE.png");
    if (icons) {
        writeIcons(argv[2], makeAppIcon());
        return 0;
    }
    openFaces();
    const Image sheet = makeSpriteSheet();
    const Image title = makeTitleImage();
    const Image icon = makeAppIcon();
    // Swiss12 for the three small windows, humn28 for L and XL; both fit the labels' 40 pixels.
    const BitmapFont small = makeBitmapFont("Swiss12", labelFace, 12);
    const BitmapFont large = makeBitmapFont("humn28", humanistFace, 28);
    if (preview) {
        writePng(argv[2], makePreview(sheet, title, icon, small, large));
        return 0;
    }
    const std::string folder = argv[1];
    createFolder(folder);
    writeBmp(folder + "/exp.bmp", sheet);
    writeBmp(folder + "/title.bmp", title);
    writePng(folder + "/quintet.png", icon);
    writeBitmapFont(folder, small);
    writeBitmapFont(folder, large);
    return 0;
}
