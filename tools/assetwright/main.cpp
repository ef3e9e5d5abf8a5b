// assetwright: the content tool. Packs sprite folders into atlases, bakes bitmap fonts, synthesises
// sounds and music from recipes. Started without arguments (as the editor's hot reload does), it
// rebuilds the atlases of the content tree whose sprites changed.
#include "AtlasPacker.h"
#include "ContentRebuilder.h"
#include "FontBaker.h"
#include "MusicComposer.h"
#include "SoundSynth.h"
#include "ToolError.h"

#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

using namespace kelvane::assetwright;
namespace fs = std::filesystem;

namespace {
constexpr const char* Usage =
    R"(usage: assetwright [COMMAND ARGS...]

With no command, rebuilds every atlas of the content tree whose sprites changed: the folder
"content" under the working folder if there is one, else the source tree's content folder.

Commands:
  rebuild CONTENT [--all]            rebuild the changed (or all) atlases of CONTENT/Textures/<bank>/:
                                     each sprite folder <texture>/ becomes <texture>.xml + <texture>.sheet
  atlas SPRITES OUT.xml [--max-size N]
                                     pack every .png of SPRITES (sprite name = file stem) into OUT.xml
                                     and OUT.sheet; trimmed, 1-pixel extruded, power-of-two, deterministic
  font RECIPE.json OUT.fnt [--font-dir DIR]
                                     bake a BMFont XML font (+ OUT_0.png); RECIPE has "Face" (a .ttf,
                                     looked up in DIR, default the system's DejaVu
                                     folder the build found),
                                     "PixelSize" (the line height: text drawn that tall is
                                     texel-exact), optional "FirstChar" and "LastChar" (32..126)
  sound RECIPE.json OUT.wav          synthesise a sound effect (16-bit mono WAV)
  music RECIPE.json OUT.wav          compose a music track; also writes OUT.json with its loop points
  --help                             show this text

Errors are reported on one line; the exit status is then 1. Outputs are written to a temporary file
and renamed, so a failed run never replaces a good file.
)";

fs::path defaultContentRoot() {
    std::error_code ec;
    if (fs::is_directory("content/Textures", ec)) {
        return "content";
    }
#ifdef KELVANE_SOURCE_CONTENT_DIR
    return KELVANE_SOURCE_CONTENT_DIR;
#else
    return "content";
#endif
}

// Takes "--name value" out of args; returns the value or fallback.
std::string takeOption(std::vector<std::string>& args, const std::string& name, const std::string& fallback) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            if (i + 1 >= args.size()) {
                throw ToolError("option " + name + " needs a value");
            }
            std::string value = args[i + 1];
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                       args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            return value;
        }
    }
    return fallback;
}

bool takeFlag(std::vector<std::string>& args, const std::string& name) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
    }
    return false;
}

void expectArgs(const std::vector<std::string>& args, std::size_t count, const std::string& command) {
    if (args.size() != count) {
        throw ToolError("'" + command + "' takes " + std::to_string(count) + " arguments (see --help)");
    }
    for (const std::string& arg : args) {
        if (arg.rfind("--", 0) == 0) {
            throw ToolError("unknown option " + arg + " for '" + command + "'");
        }
    }
}

int parsePositive(const std::string& text, const std::string& what) {
    try {
        std::size_t used = 0;
        int value = std::stoi(text, &used);
        if (used == text.size() && value > 0) {
            return value;
        }
    } catch (const std::exception&) {
    }
    throw ToolError(what + " must be a positive integer, not '" + text + "'");
}

int run(std::vector<std::string> args) {
    if (args.empty()) {
        int count = rebuildAtlases(defaultContentRoot(), false, std::cout);
        std::cout << (count == 0 ? "atlases up to date\n" : "");
        return 0;
    }
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << Usage;
        return 0;
    }
    if (command == "rebuild") {
        bool all = takeFlag(args, "--all");
        expectArgs(args, 1, command);
        rebuildAtlases(args[0], all, std::cout);
        return 0;
    }
    if (command == "atlas") {
        AtlasOptions options;
        options.maxSheetSide = parsePositive(takeOption(args, "--max-size", "4096"), "--max-size");
        expectArgs(args, 2, command);
        writeAtlas(packAtlasFolder(args[0], options), args[1]);
        return 0;
    }
    if (command == "font") {
        const std::string fontDirOption = takeOption(args, "--font-dir", "");
        expectArgs(args, 2, command);
        const fs::path fontDir = fontDirOption.empty() ? fs::path(KELVANE_FONT_DIR) : fs::path(fontDirOption);
        writeFont(bakeFont(readFontRecipe(args[0]), fontDir), args[1]);
        return 0;
    }
    if (command == "sound") {
        expectArgs(args, 2, command);
        SoundRecipe recipe = readSoundRecipe(args[0]);
        writeWav(synthesize(recipe), recipe.sampleRate, args[1]);
        return 0;
    }
    if (command == "music") {
        expectArgs(args, 2, command);
        writeTrack(composeTrack(readMusicRecipe(args[0])), args[1]);
        return 0;
    }
    throw ToolError("unknown command '" + command + "' (see --help)");
}
} // namespace

int main(int argc, char** argv) {
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::cerr << "assetwright: " << e.what() << "\n";
        return 1;
    }
}
