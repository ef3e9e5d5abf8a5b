#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <vector>

#include "app/Application.h"
#include "core/GameObject.h"
#include "core/GameTime.h"
#include "core/SceneRoots.h"
#include "core/Service.h"
#include "input/InputManager.h"
#include "FastClock.h"
#include "platform/Clock.h"

namespace {

std::string WriteScript(const std::string& text) {
    const std::string path = "/tmp/kelvane-script-" + std::to_string(::getpid()) + ".txt";
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

} // namespace
