#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FastClock.h"
#include "GameProcess.h"
#include "TestFolder.h"
#include "app/Application.h"
#include "core/GameObject.h"
#include "core/GameTime.h"
#include "core/SceneRoots.h"
#include "core/Service.h"
#include "input/InputManager.h"
#include "platform/Clock.h"

namespace {

std::string WriteScript(const std::string& text) {
    static TestFolder folder("scripts");
    const std::string path = (folder / "script.txt").string();
    std::ofstream(path) << text;
    return path;
}

// The real game, headless, run from the folder beside its Content (the test's working folder).
TEST(ScriptedGameTest, HeldKeyDrivesItsActionForExactlyTheScriptedFrames) {
    AppOptions options;
    options.Headless = true;
    options.Frames = 130;
    options.ScriptPath = WriteScript("# hold W for 100 frames\n1 key down W\n101 key up W\n");

    FastClock clock;
    Application game(options, clock);
    std::vector<int> held;
    std::vector<int> pressed;
    game.SetFrameObserver([&](int64_t frame) {
        const InputManager& input = Service<InputManager>::Get();
        if (input.IsActionDown(Action::MoveUp)) {
            held.push_back(static_cast<int>(frame));
        }
        if (input.IsActionPressed(Action::MoveUp)) {
            pressed.push_back(static_cast<int>(frame));
        }
    });
    ASSERT_EQ(game.Run(), 0);
    EXPECT_EQ(game.FramesRun(), 130);
    ASSERT_EQ(held.size(), 100u);
    EXPECT_EQ(held.front(), 1);
    EXPECT_EQ(held.back(), 100);
    EXPECT_EQ(pressed, std::vector<int>{1});
    std::remove(options.ScriptPath.c_str());
}

TEST(ScriptedGameTest, GameTimeAdvancesOnePeriodPerFrameAndTheTreeIsBuilt) {
    AppOptions options;
    options.Headless = true;
    options.Frames = 60;
    FastClock clock;
    Application game(options, clock);
    float total = 0.0f;
    bool treeBuilt = false;
    game.SetFrameObserver([&](int64_t) {
        total = Service<GameTime>::Get().TotalTime;
        const SceneRoots& roots = Service<SceneRoots>::Get();
        treeBuilt = roots.Root && roots.Root->Name == "Root" && roots.GameplayRoot &&
                    roots.GameplayRoot->Parent == roots.Root && roots.GameplayRoot->Name == "GameplayRoot";
    });
    ASSERT_EQ(game.Run(), 0);
    EXPECT_NEAR(total, 1.0f, 1e-4f);
    EXPECT_TRUE(treeBuilt);
}

// The gameplay screen's mouse manager runs the pointer query: a modder's listener on a prefab
// (here the first supply station, at (14, -14) on a screen whose world view starts at the top left
// corner of the world, 16 pixels a unit) hears the pointer over its fixture, and only then.
TEST(ScriptedGameTest, AMouseListenerOnAPrefabHearsThePointerOverItsFixture) {
    const ContentCopy content;
    std::ifstream in(std::string(KELVANE_BIN_DIR) + "/Content/Prefabs/SupplyStation.json");
    std::string station((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t components = station.find("\"Components\": {");
    ASSERT_NE(components, std::string::npos);
    station.insert(components + 15, "\n        \"FixtureMouseListenerBhv\": \"\",");
    content.Write("Content/Prefabs/SupplyStation.json", station);

    const auto pointerAt = [&](int x, int y) {
        const std::string script =
            WriteScript("1 mouse move " + std::to_string(x) + " " + std::to_string(y) + "\n");
        const std::string state = content.Folder() + "/state.json";
        const GameRun run =
            RunGameIn(content.Folder(), {"--headless", "--fixed-step", "--seed", "1", "--frames", "60",
                                         "--script", script, "--game-state", state});
        std::remove(script.c_str());
        EXPECT_EQ(run.ExitCode, 0) << run.Stderr;
        EXPECT_EQ(run.Stderr, "");
        std::ifstream report(state);
        return std::string((std::istreambuf_iterator<char>(report)), std::istreambuf_iterator<char>());
    };
    const std::string over = pointerAt(14 * 16, 14 * 16);
    EXPECT_NE(over.find(R"("mouseOver": ["SupplyStation"])"), std::string::npos) << over;
    const std::string beside = pointerAt(24 * 16, 14 * 16);
    EXPECT_NE(beside.find(R"("mouseOver": [])"), std::string::npos) << beside;
}

} // namespace
