// A night-long session: the real game, headless and at a fixed step, played for a million frames by
// a script that goes round the whole game again and again (a new game, digging, the store, saving
// and loading, the options, the editor). Its resident memory is read every 100,000 frames; once the
// game has warmed up it must stay flat. The session keeps its saves and settings in a folder of its
// own. Run from build/release/bin; `session_bench FRAMES` plays a shorter session, and
// `session_bench --write-script FILE [FRAMES]` writes the script for `kelvane --script FILE --stats`.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "FastClock.h"
#include "Goal.h"
#include "app/Application.h"
#include "platform/ProcessMemory.h"

namespace {

constexpr int64_t CycleFrames = 2000;
constexpr int64_t SampleFrames = 100000;
constexpr int64_t WarmUpFrames = 100000;

// One round of the game from frame b on, in the script's own words.
void AppendCycle(std::string& script, int64_t b) {
    struct Event {
        int at;
        const char* what;
    };
    static const std::vector<Event> events = {
        // The main menu's second line: a new game in a new world.
        {5, "key down Esc"},
        {7, "key up Esc"},
        {12, "key down S"},
        {14, "key up S"},
        {20, "key down OemEnter"},
        {22, "key up OemEnter"},
        // Sink, drill around, rise to the station beside the start and touch it.
        {30, "key down S"},
        {150, "mouse move 136 376"},
        {150, "button down LeftMouse"},
        {250, "mouse move 120 376"},
        {350, "mouse move 136 392"},
        {450, "button up LeftMouse"},
        {450, "key up S"},
        {455, "key down W"},
        {540, "key up W"},
        {540, "key down D"},
        {600, "key up D"},
        // The store: sell, buy, the loadout page, out again.
        {620, "key down S"},
        {622, "key up S"},
        {640, "key down OemEnter"},
        {642, "key up OemEnter"},
        {670, "key down S"},
        {672, "key up S"},
        {690, "key down OemEnter"},
        {760, "key up OemEnter"},
        {780, "key down Esc"},
        {782, "key up Esc"},
        {800, "key down OemEnter"},
        {802, "key up OemEnter"},
        {830, "key down S"},
        {832, "key up S"},
        {880, "key down OemEnter"},
        {882, "key up OemEnter"},
        {900, "key down Esc"},
        {902, "key up Esc"},
        {920, "key down S"},
        {922, "key up S"},
        {935, "key down S"},
        {937, "key up S"},
        {950, "key down OemEnter"},
        {952, "key up OemEnter"},
        {980, "mouse move 1050 152"},
        {982, "button down LeftMouse"},
        {984, "mouse move 1060 120"},
        {986, "mouse move 1066 60"},
        {988, "button up LeftMouse"},
        {1000, "key down Esc"},
        {1002, "key up Esc"},
        // Save into the first slot, from the main menu's fourth line.
        {1100, "key down Esc"},
        {1102, "key up Esc"},
        {1120, "key down S"},
        {1122, "key up S"},
        {1135, "key down S"},
        {1137, "key up S"},
        {1142, "key down S"},
        {1144, "key up S"},
        {1150, "key down OemEnter"},
        {1152, "key up OemEnter"},
        {1170, "key down OemEnter"},
        {1172, "key up OemEnter"},
        {1190, "key down OemEnter"},
        {1192, "key up OemEnter"},
        {1210, "key down Esc"},
        {1212, "key up Esc"},
        {1230, "key down Esc"},
        {1232, "key up Esc"},
        // Load it again, from the third line.
        {1300, "key down Esc"},
        {1302, "key up Esc"},
        {1320, "key down S"},
        {1322, "key up S"},
        {1330, "key down S"},
        {1332, "key up S"},
        {1340, "key down OemEnter"},
        {1342, "key up OemEnter"},
        {1360, "key down OemEnter"},
        {1362, "key up OemEnter"},
        {1380, "key down OemEnter"},
        {1382, "key up OemEnter"},
        {1400, "key down Esc"},
        {1402, "key up Esc"},
        {1420, "key down Esc"},
        {1422, "key up Esc"},
        // The options: the master volume a tenth down and up again.
        {1450, "key down Esc"},
        {1452, "key up Esc"},
        {1470, "key down S"},
        {1472, "key up S"},
        {1485, "key down S"},
        {1487, "key up S"},
        {1500, "key down S"},
        {1502, "key up S"},
        {1510, "key down S"},
        {1512, "key up S"},
        {1520, "key down OemEnter"},
        {1522, "key up OemEnter"},
        {1540, "key down Left"},
        {1542, "key up Left"},
        {1560, "key down Right"},
        {1562, "key up Right"},
        {1580, "key down Esc"},
        {1582, "key up Esc"},
        {1600, "key down Esc"},
        {1602, "key up Esc"},
        // The editor: open it, pick a HUD frame on screen, close it.
        {1700, "key down F11"},
        {1702, "key up F11"},
        {1710, "key down Ctrl"},
        {1711, "key down G"},
        {1712, "key up G"},
        {1713, "key up Ctrl"},
        {1720, "mouse move 1177 50"},
        {1721, "button down LeftMouse"},
        {1722, "button up LeftMouse"},
        {1800, "key down F11"},
        {1802, "key up F11"},
        // Steer about a little.
        {1820, "key down A"},
        {1900, "key up A"},
        {1900, "key down W"},
        {1990, "key up W"},
    };
    for (const Event& event : events) {
        script += std::to_string(b + event.at) + " " + event.what + "\n";
    }
}

std::string SessionScript(int64_t frames) {
    std::string text = "# one round of the whole game every " + std::to_string(CycleFrames) + " frames\n";
    for (int64_t b = 0; b < frames; b += CycleFrames) {
        AppendCycle(text, b);
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
    // "--write-script FILE [FRAMES]" only writes the session's script, for the game's own --stats.
    if (argc > 2 && std::string(argv[1]) == "--write-script") {
        std::ofstream(argv[2]) << SessionScript(argc > 3 ? std::atoll(argv[3]) : 1000000);
        return 0;
    }
    // A number first shortens the session; benchmark options (which bench.sh may pass) are ignored.
    const bool shorter =
        argc > 1 && std::string(argv[1]).find_first_not_of("0123456789") == std::string::npos;
    const int64_t frames = shorter ? std::atoll(argv[1]) : 1000000;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kelvane-session-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    const std::filesystem::path script = folder / "session.script";
    std::ofstream(script) << SessionScript(frames);

    AppOptions options;
    options.Headless = true;
    options.Frames = frames;
    options.ScriptPath = script.string();
    options.Seed = 29;
    options.FixedStep = true;
    FastClock clock;
    Application game(options, clock);
    const double mib = 1024.0 * 1024.0;
    double warm = 0.0;
    double last = 0.0;
    game.SetFrameObserver([&](int64_t frame) {
        if (frame % SampleFrames == 0 || frame == 1) {
            last = static_cast<double>(ResidentMemoryBytes()) / mib;
            std::printf("frame %lld: resident %.1f MiB\n", static_cast<long long>(frame), last);
            std::fflush(stdout);
            if (frame == WarmUpFrames) {
                warm = last;
            }
        }
    });
    const int status = game.Run();
    std::filesystem::remove_all(folder);
    if (status != 0 || frames < WarmUpFrames + SampleFrames || warm == 0.0) {
        ReportGoalNotMeasured("session.resident_growth_after_warmup_mib", "MiB", 2.0,
                              status != 0 ? "the game ended with an error"
                                          : "the session ended before warm-up");
        return 1;
    }
    ReportGoal("session.resident_growth_after_warmup_mib", last - warm, "MiB", 2.0);
    return 0;
}
