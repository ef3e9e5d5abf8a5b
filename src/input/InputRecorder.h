#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/Vector2.h"
#include "input/InputManager.h"

// Writes down what reached the input manager, frame by frame, as input-script lines (InputScript.h),
// so that playing them back through InputScriptPlayer gives the same input state at the same frames.
// It records the state the pump left, whatever set it (key messages, the mouse, the pad, a script):
// keys and buttons that went down or up (a tap within one frame as a press of that frame, a key let
// go and pressed again within one frame as both), the pointer when it moved, the pad's aim, the focus,
// and the frame's length when it is not the nominal period. Keys with no name are left out: nothing
// binds, types or asks for them. Typed text needs no line of its own: it comes from the keys.
class InputRecorder {
public:
    // "version <version>" and "seed <seed>" lines: what a replay needs before the first frame.
    static std::string Header(std::string_view version, uint32_t seed);
    // "<frame> end": the last whole frame of the recording.
    static std::string End(int64_t frame);

    // Appends frame `frame`'s lines to `out`. Call once per frame, after its pump, in frame order.
    void Frame(int64_t frame, float delta, float nominal, const InputManager& input, bool focused,
               std::string& out);
    // Appends the line of a file the game read during `frame` (`name` one word): its bytes, or none
    // when it did not exist.
    static void File(int64_t frame, std::string_view name, const std::span<const uint8_t>* bytes,
                     std::string& out);

private:
    KeySet keys_;
    Vector2 mouse_;
    Vector2 padAim_;
    bool focused_ = true; // scripts start focused
};
