// artgen: draws the game's pixel art and writes it as the source PNGs of the atlases, one file per
// sprite under <content>/Textures/Main/<texture>/. The PNGs are committed so that an artist can take
// over any of them by hand; rerun only for sprites you have not hand-edited (use --only).
#include "ContactSheet.h"
#include "IconArt.h"
#include "SpriteSet.h"

#include "Image.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>

using namespace kelvane;

int main(int argc, char** argv) {
    std::filesystem::path content;
    std::filesystem::path contactSheet;
    std::filesystem::path icons;
    std::string iconName = "kelvane";
    std::set<std::string> only;
    int scale = 3;
    bool skipLarge = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help") {
            std::cout << "usage: artgen [CONTENT] [--contact-sheet FILE.png [--scale N] [--skip-large]] "
                         "[--only NAME]... [--icons FOLDER [--icon-name NAME]]\n"
                         "Draws every sprite into CONTENT/Textures/Main/<texture>/<name>.png, and the\n"
                         "desktop icon into FOLDER/<n>x<n>/apps/NAME.png at the usual hicolor sizes.\n";
            return 0;
        } else if (arg == "--contact-sheet" && i + 1 < argc) {
            contactSheet = argv[++i];
        } else if (arg == "--icons" && i + 1 < argc) {
            icons = argv[++i];
        } else if (arg == "--icon-name" && i + 1 < argc) {
            iconName = argv[++i];
        } else if (arg == "--scale" && i + 1 < argc) {
            scale = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--skip-large") {
            skipLarge = true;
        } else if (arg == "--only" && i + 1 < argc) {
            only.insert(argv[++i]);
        } else if (content.empty() && arg.rfind("--", 0) != 0) {
            content = arg;
        } else {
            std::cerr << "artgen: unexpected argument '" << arg << "' (see --help)\n";
            return 1;
        }
    }
    if (content.empty() && contactSheet.empty() && icons.empty()) {
        std::cerr << "artgen: name the content folder, a contact sheet or an icon folder (see --help)\n";
        return 1;
    }
    try {
        artgen::SpriteSet set;
        artgen::drawTiles(set);
        artgen::drawMachines(set);
        artgen::drawCreatures(set);
        artgen::drawPickupsAndIcons(set);
        artgen::drawInterface(set);
        artgen::drawMenus(set);
        artgen::drawStore(set);
        artgen::drawEditorWidgets(set);
        int written = 0;
        if (!content.empty()) {
            for (const artgen::Sprite& s : set.sprites()) {
                if (!only.empty() && only.count(s.name) == 0) {
                    continue;
                }
                assetwright::savePng(s.canvas.toImage(),
                                     content / "Textures" / "Main" / s.texture / (s.name + ".png"));
                ++written;
            }
            std::cout << "artgen: wrote " << written << " sprites\n";
        }
        if (!icons.empty()) {
            for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
                const std::string folder = std::to_string(size) + "x" + std::to_string(size);
                assetwright::savePng(artgen::drawAppIcon(set, size),
                                     icons / folder / "apps" / (iconName + ".png"));
            }
            std::cout << "artgen: wrote the icon \"" << iconName << "\" in 7 sizes\n";
        }
        if (!contactSheet.empty()) {
            assetwright::savePng(artgen::makeContactSheet(set, scale, skipLarge), contactSheet);
        }
    } catch (const std::exception& e) {
        std::cerr << "artgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
