#pragma once

#include <array>
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
    // KeyUp with virtual-key codes, the mouse position, the mouse-button keys, the pad's keys and
    // aim). Call it inside the frame's pump, after the platform's own events, mouse sampling and pad
    // reading: once the script has moved the mouse or pressed a button it owns the pointer, and once
    // it has used the pad it owns the pad; what it owns is written again on every call so that
    // sampling of the real devices does not undo it. Keys and buttons are written as each event comes,
    // so that a press and release within one frame counts as a press.
    void Play(int64_t frame, InputManager& input);

    // The files read at `frame` or before that were not taken yet, in file order. The span lives
    // until the next call.
    std::span<const InputScriptFile> TakeDueFiles(int64_t frame);

    // Whether the window counts as focused after the events taken so far (scripts start focused).
    bool HasFocus() const { return focused_; }
    // The script has pressed a pad key or aimed: the real pads no longer write the pad's keys.
    bool OwnsPad() const { return ownsPad_; }
    // A "window close" line has been taken: the window should close as if the player closed it.
    bool CloseAsked() const { return closeAsked_; }

    // The length of `frame` in seconds: its delta line, else `nominal`. Frames are asked in
    // increasing order.
    float FrameDelta(int64_t frame, float nominal);

    // Every event has been taken.
    bool Finished() const { return next_ == script_.Events().size(); }
    // The script as read, whatever has been played of it.
    const InputScript& Script() const { return script_; }
    // The frame of the last event; 0 for an empty script.
    int64_t LastFrame() const;

private:
    InputScript script_;
    size_t next_ = 0;
    bool ownsMouse_ = false;
    Vector2 mousePosition_;
    bool buttons_[3] = {false, false, false}; // LeftMouse, MiddleMouse, RightMouse
    bool ownsPad_ = false;
    std::array<bool, PadKeyCount> padKeys_{};
    Vector2 padAim_;
    bool focused_ = true;
    bool closeAsked_ = false;
    size_t nextDelta_ = 0;
    size_t nextFile_ = 0;
};
