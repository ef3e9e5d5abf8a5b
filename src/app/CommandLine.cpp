#include "app/CommandLine.h"

#include <charconv>

namespace {

constexpr const char* Usage =
    "Usage: kelvane [options]\n"
    "Runs Kelvane. Its Content folder is the one named by --content, else the one beside the\n"
    "executable, else ../share/kelvane/Content or ../share/games/kelvane/Content from the\n"
    "executable's folder (an installed game).\n"
    "\n"
    "Options:\n"
    "  --help               print this text and exit\n"
    "  --version            print the version and exit\n"
    "  --content DIR        read the game's content from the folder DIR\n"
    "  --headless           run without a window, GPU or sound card\n"
    "  --frames N           quit cleanly after N frames\n"
    "  --seed N             seed the random source with N instead of the time\n"
    "  --script FILE        play the timed input events in FILE\n"
    "  --screenshot FILE    after the last frame of a --frames run, save the picture as a PNG\n"
    "  --stats              at exit, print frame pacing figures and those of a naive 16 ms sleep\n"
    "  --fixed-step         advance exactly one 1/60 s period per frame without sleeping, so a run\n"
    "                       with --seed and --script is the same game on any machine\n"
    "  --world-map FILE     at exit, save the tile grid as a 150 x 430 PNG, one pixel per cell\n"
    "  --game-state FILE    at exit, save money, hull, items, submarine, boss and open menus as JSON\n"
    "  --record FILE        write the session's seed, frame lengths and input to FILE as it runs\n"
    "  --replay FILE        play a recorded session back: its seed, frame lengths and input, with\n"
    "                       --fixed-step, until its last frame (its saved games go to a folder of\n"
    "                       its own)\n";

template <class T> bool ParseNumber(const std::string& text, T& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end;
}

CommandLineResult Fail(const std::string& message) {
    return {std::nullopt, "kelvane: " + message + " (try --help)\n", 2};
}

} // namespace

CommandLineResult ParseCommandLine(const std::vector<std::string>& args) {
    AppOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string text;
        if (arg == "--help") {
            return {std::nullopt, Usage, 0};
        } else if (arg == "--version") {
            return {std::nullopt, std::string("kelvane ") + KELVANE_VERSION + "\n", 0};
        } else if (arg == "--content") {
            if (!value(options.ContentPath)) {
                return Fail("--content needs a folder");
            }
        } else if (arg == "--headless") {
            options.Headless = true;
        } else if (arg == "--stats") {
            options.Stats = true;
        } else if (arg == "--fixed-step") {
            options.FixedStep = true;
        } else if (arg == "--world-map") {
            if (!value(options.WorldMapPath)) {
                return Fail("--world-map needs a file");
            }
        } else if (arg == "--game-state") {
            if (!value(options.GameStatePath)) {
                return Fail("--game-state needs a file");
            }
        } else if (arg == "--frames") {
            if (!value(text) || !ParseNumber(text, options.Frames) || options.Frames < 0) {
                return Fail("--frames needs a whole number of frames, 0 or more");
            }
        } else if (arg == "--seed") {
            uint32_t seed = 0;
            if (!value(text) || !ParseNumber(text, seed)) {
                return Fail("--seed needs a whole number from 0 to 4294967295");
            }
            options.Seed = seed;
        } else if (arg == "--script") {
            if (!value(options.ScriptPath)) {
                return Fail("--script needs a file");
            }
        } else if (arg == "--record") {
            if (!value(options.RecordPath)) {
                return Fail("--record needs a file");
            }
        } else if (arg == "--replay") {
            if (!value(options.ReplayPath)) {
                return Fail("--replay needs a file");
            }
        } else if (arg == "--screenshot") {
            if (!value(options.ScreenshotPath)) {
                return Fail("--screenshot needs a file");
            }
        } else {
            return Fail("unknown option '" + arg + "'");
        }
    }
    if (!options.ReplayPath.empty()) {
        if (options.Seed || !options.ScriptPath.empty() || !options.RecordPath.empty()) {
            return Fail("--replay brings its own seed and input: no --seed, --script or --record with it");
        }
        options.FixedStep = true; // the recorded frame lengths, not the machine's
    }
    if (!options.ScreenshotPath.empty() && options.Frames < 0) {
        return Fail("--screenshot is taken after the last frame of a --frames N run");
    }
    return {options, "", 0};
}
