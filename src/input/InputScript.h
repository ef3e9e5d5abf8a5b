#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "core/Vector2.h"
#include "input/Key.h"

// Timed input for automated play (--script FILE): the events a player's hands would make, fed through
// the same input-manager calls as the platform's events.
//
// File format: plain text, one event per line; '#' starts a comment, blank lines are ignored, words are
// separated by spaces or tabs.
//   <frame> key down <KeyName>        a key message for the key's virtual-key code, e.g. "1 key down W"
//   <frame> key up <KeyName>
//   <frame> mouse move <x> <y>        cursor position in client pixels, e.g. "30 mouse move 640 360.5"
//   <frame> button down <Button>      Button: LeftMouse, MiddleMouse or RightMouse
//   <frame> button up <Button>
// Frames count from 1, the first frame the main loop runs; an event of frame N is delivered by that
// frame's message pump. Frames never decrease from one line to the next; events of one frame keep
// file order. Key names are the key-mapping names, case-sensitive; keys that no key message sets
// (None, RightShift, KeypadEnter, __END, the mouse buttons) are refused.
struct InputScriptEvent {
    enum class Kind : uint8_t { KeyDown, KeyUp, MouseMove, ButtonDown, ButtonUp };

    int64_t Frame = 0;
    Kind Type = Kind::KeyDown;
    Key Target = Key::None; // the key or mouse button
    int VirtualKey = 0;     // key events: the code the key message carries
    Vector2 Position;       // MouseMove
    int Line = 0;           // source line, for messages
};

class InputScript {
public:
    // Reads a script; throws InputScriptError naming the file (and the line, for a malformed line).
    static InputScript Load(const std::string& path);
    // Parses script text; `file` only names the source in errors.
    static InputScript Parse(std::istream& text, const std::string& file);

    const std::vector<InputScriptEvent>& Events() const { return events_; }

private:
    std::vector<InputScriptEvent> events_;
};
