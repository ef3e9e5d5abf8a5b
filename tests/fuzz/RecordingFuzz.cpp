// Session recordings, read as a replay reads them: from a file, through the regular-file check and
// the size cap; any bytes are refused with an InputScriptError, or play frame by frame into an input
// manager, their frame lengths and files taken as they come due.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/GameTime.h"
#include "core/Service.h"
#include "input/InputManager.h"
#include "input/InputScript.h"
#include "input/InputScriptError.h"
#include "input/InputScriptPlayer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // In the working folder, which scripts/fuzz.sh makes the target's own.
    const char* file = "fuzz.replay";
    if (FILE* out = std::fopen(file, "wb")) {
        std::fwrite(data, 1, size, out);
        std::fclose(out);
    }
    try {
        InputScriptPlayer replay(InputScript::Load(file));
        InputManager input;
        // The frame update's key repeat runs on the frame's length.
        GameTime time{0.0f, 1.0f / 60.0f};
        Service<GameTime>::Scoped timeService(time);
        // Only the frames something happens at: a recording may name frames a day apart.
        int64_t played = 0;
        for (const InputScriptEvent& event : replay.Script().Events()) {
            if (event.Frame == played) {
                continue;
            }
            played = event.Frame;
            replay.FrameDelta(played, 1.0f / 60.0f);
            replay.TakeDueFiles(played);
            replay.Play(played, input);
            input.FrameUpdate();
        }
    } catch (const InputScriptError&) {
    }
    return 0;
}
