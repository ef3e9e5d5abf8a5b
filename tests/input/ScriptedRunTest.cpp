#include <sstream>

#include "InputFixture.h"
#include "input/InputScript.h"
#include "input/InputScriptPlayer.h"

namespace {

using ScriptedRun = InputFixture;

// A script holding W for 100 frames, fed through the frame order of the main loop with the shipped
// key mappings: frame update, then the pump (where the script plays), then the behaviours' queries.
TEST_F(ScriptedRun, HoldingAKeyFor100FramesDrivesItsActionEveryFrame) {
    input.LoadMappings(KELVANE_SOURCE_DIR "/content/Config/KeyMappings.json");
    std::istringstream text("# hold W\n1 key down W\n101 key up W\n");
    InputScriptPlayer player(InputScript::Parse(text, "hold.txt"));

    for (int frame = 1; frame <= 130; ++frame) {
        Frame([&] { player.Play(frame, input); });
        const bool held = frame <= 100;
        EXPECT_EQ(input.IsActionDown(Action::MoveUp), held) << frame;
        EXPECT_EQ(input.IsActionPressed(Action::MoveUp), frame == 1) << frame;
        // Fired at the update after the key-down, then 24, 27, 30... updates later.
        const int since = frame - 2;
        const bool fired = frame <= 101 && (since == 0 || (since >= 24 && since % 3 == 0));
        EXPECT_EQ(input.IsActionFired(Action::MoveUp), fired) << frame;
        EXPECT_FALSE(input.IsActionDown(Action::MoveDown)) << frame;
    }
    EXPECT_TRUE(player.Finished());
}

} // namespace
