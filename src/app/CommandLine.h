#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the command line asks for. No option changes a game rule.
struct AppOptions {
    bool Headless = false;      // no window, no GPU, no sound card
    int64_t Frames = -1;        // quit cleanly after this many frames; -1 runs until the window closes
    bool Stats = false;         // print frame pacing figures at exit
    std::string ScriptPath;     // timed input events to play
    std::string ScreenshotPath; // PNG of the back buffer after the last frame
    std::optional<uint32_t> Seed;
    bool FixedStep = false;    // every frame advances exactly one period and nothing sleeps
    std::string WorldMapPath;  // PNG of the tile grid at exit
    std::string GameStatePath; // JSON of the inventory, submarine, boss and menus at exit
    std::string ContentPath;   // the Content folder to read; empty: found beside the executable
    std::string RecordPath;    // write the session's recording here as it runs
    std::string ReplayPath;    // play a recording back (its seed, deltas and input; fixed step)
    int64_t AbortAtFrame = 0;  // tests only (KELVANE_TEST_ABORT_AT_FRAME): abort as this frame begins
};

// The outcome of reading the command line: options to run with, or text to print and an exit code.
struct CommandLineResult {
    std::optional<AppOptions> Options;
    std::string Output;
    int ExitCode = 0;
};

CommandLineResult ParseCommandLine(const std::vector<std::string>& args);
