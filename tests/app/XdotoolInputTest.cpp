// The real game in a real window, driven from outside by xdotool the way a player's keyboard and
// mouse would: key and button presses reach the named actions, the pointer reaches the mouse position.
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/Application.h"
#include "core/Service.h"
#include "input/InputManager.h"
#include "platform/Clock.h"

extern char** environ;

namespace {

// Runs xdotool in the background with the arguments; the game keeps running meanwhile.
pid_t Xdotool(std::vector<std::string> args) {
    args.insert(args.begin(), "xdotool");
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    posix_spawnp(&pid, "xdotool", nullptr, nullptr, argv.data(), environ);
    return pid;
}

bool HaveXdotool() {
    return std::system("command -v xdotool >/dev/null 2>&1") == 0;
}

TEST(XdotoolInputTest, KeysButtonsAndPointerFromTheDesktopReachTheActions) {
    if (!std::getenv("DISPLAY") || !HaveXdotool()) {
        GTEST_SKIP() << "needs an X display and xdotool (scripts/test.sh provides both)";
    }
    AppOptions options;
    options.Frames = 360;
    SystemClock clock;
    Application game(options, clock);

    std::vector<pid_t> helpers;
    bool sawMoveUp = false;
    bool sawMainWeapon = false;
    bool sawPointer = false;
    bool moveUpAtEnd = true;
    game.SetFrameObserver([&](int64_t frame) {
        const InputManager& input = Service<InputManager>::Get();
        switch (frame) {
        case 20: // give the window keyboard focus, then hold W
            helpers.push_back(Xdotool({"search", "--sync", "--name", "^Kelvane$", "windowfocus", "--sync",
                                       "mousemove", "--window", "%1", "321", "123", "keydown", "w"}));
            break;
        case 180:
            helpers.push_back(Xdotool({"keyup", "w", "mousedown", "1"}));
            break;
        case 260:
            helpers.push_back(Xdotool({"mouseup", "1"}));
            break;
        default:
            break;
        }
        sawMoveUp |= input.IsActionDown(Action::MoveUp);
        sawMainWeapon |= input.IsActionDown(Action::MainWeapon);
        sawPointer |= input.MousePosition.x == 321.0f && input.MousePosition.y == 123.0f;
        if (frame == options.Frames) {
            moveUpAtEnd = input.IsActionDown(Action::MoveUp);
        }
    });
    ASSERT_EQ(game.Run(), 0);
    for (pid_t pid : helpers) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "xdotool failed";
    }
    EXPECT_TRUE(sawMoveUp);
    EXPECT_TRUE(sawMainWeapon);
    EXPECT_TRUE(sawPointer);
    EXPECT_FALSE(moveUpAtEnd);
}

} // namespace
