// mkmedia: writes the game's media folder (images, bitmap fonts, desktop icon), or a preview of them.
//   mkmedia FOLDER            the media, into FOLDER (created when missing)
//   mkmedia --preview FILE    one PNG showing all media and mock screens
#include <cstring>
#include <filesystem>
#include <string>

#include "tools/mkmedia/preview.h"

int main(int argc, char** argv)
{
    const bool preview = argc == 3 && std::strcmp(argv[1], "--preview") == 0;
    if (argc != 2 && !preview)
        fail("usage: mkmedia FOLDER | mkmedia --preview FILE.png");
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
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        fail("cannot create " + folder + ": " + error.message());
    writeBmp(folder + "/exp.bmp", sheet);
    writeBmp(folder + "/title.bmp", title);
    writePng(folder + "/quintet.png", icon);
    writeBitmapFont(folder, small);
    writeBitmapFont(folder, large);
    return 0;
}
