#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "input/InputScript.h"

class InputManager;

// Plays a script frame by frame into an InputManager.
class InputScriptPlayer {
public:
    explicit InputScriptPlayer(InputScript script);

    // The events due at `frame` that were not taken yet (so a skipped frame's events come late rather
    // than never), in file order. The span lives until the next call.
    std::span<const InputScriptEvent> TakeDue(int64_t frame);

    // Feeds the events due at `frame` to `input` through the calls the platform pump uses (KeyDown /
    // KeyUp with virtual-key codes, the mouse position, the mouse-button keys). Call it inside the
    // frame's pump, after the platform's own events and mouse sampling: once the script has moved the
    // mouse or pressed a button it owns the pointer, and its position and buttons are written again on
    // every call so that sampling of the real mouse does not undo them.
    void Play(int64_t frame, InputManager& input);

    // Every event has been taken.
    bool Finished() const { return next_ == script_.Events().size(); }
    // The frame of the last event; 0 for an empty script.
    int64_t LastFrame() const;

private:
    InputScript script_;
    size_t next_ = 0;
    bool ownsMouse_ = false;
    Vector2 mousePosition_;
    bool buttons_[3] = {false, false, false}; // LeftMouse, MiddleMouse, RightMouse
};
