#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "core/Vector2.h"
#include "input/Key.h"

// Timed input for automated play (--script FILE) and recorded sessions (--record, --replay): the
// events a player's hands would make, fed through the same input-manager calls as the platform's
// events.
//
// File format: plain text, one event per line; '#' starts a comment, blank lines are ignored, words are
// separated by spaces or tabs.
//   <frame> key down <KeyName>        a key message for the key's virtual-key code, e.g. "1 key down W";
//                                     a pad key ("PadA", "PadLeftStickUp", ...) is held as the pad holds it
//   <frame> key up <KeyName>
//   <frame> mouse move <x> <y>        cursor position in client pixels, e.g. "30 mouse move 640 360.5"
//   <frame> button down <Button>      Button: LeftMouse, MiddleMouse or RightMouse
//   <frame> button up <Button>
//   <frame> pad aim <x> <y>           the right stick's aim, each -1..1 (InputManager::PadAim)
//   <frame> focus out                 the window loses the keyboard focus (scripts start focused)
//   <frame> focus in
//   <frame> window close              the window is closed, as by the desktop's close button
//   <frame> delta <seconds>           that frame's length when it is not the nominal period
//                                     (applies to fixed-step runs)
//   <frame> file <name> <bytes>       a file the session read at that frame: its bytes in base64,
//                                     "=" when it was empty, "-" when there was none (a recording
//                                     carries the saved games it loaded)
//   <frame> end                       the run's last frame; nothing may follow
//   version <text>                    the game version that recorded the file (before any event)
//   seed <N>                          the random seed of the recorded session (before any event)
// Frames count from 1, the first frame the main loop runs; an event of frame N is delivered by that
// frame's message pump. Frames never decrease from one line to the next; events of one frame keep
// file order. Key names are the key-mapping names, case-sensitive; keys that no key message or pad
// sets (None, RightShift, KeypadEnter, __END, the mouse buttons) are refused. Frame numbers go up to
// MaxFrame, and a file holds at most MaxBytes: anything beyond is no script a session could make.
struct InputScriptEvent {
    enum class Kind : uint8_t {
        KeyDown,
        KeyUp,
        MouseMove,
        ButtonDown,
        ButtonUp,
        PadAim,
        FocusIn,
        FocusOut,
        WindowClose
    };

    int64_t Frame = 0;
    Kind Type = Kind::KeyDown;
    Key Target = Key::None; // the key or mouse button
    int VirtualKey = 0;     // key events: the code the key message carries; 0 for pad keys
    Vector2 Position;       // MouseMove; PadAim
    int Line = 0;           // source line, for messages
};

// A file a recorded session read, with the bytes it found (none: the file did not exist).
struct InputScriptFile {
    int64_t Frame = 0;
    std::string Name;
    std::optional<std::vector<uint8_t>> Bytes;
    int Line = 0;
};

// A frame whose length is not the nominal period.
struct InputScriptDelta {
    int64_t Frame = 0;
    float Seconds = 0.0f;
    int Line = 0; // source line, for messages
};

class InputScript {
public:
    // A day of frames at 60 a second.
    static constexpr int64_t MaxFrame = 24ll * 60 * 60 * 60;
    // Four times the in-memory recording of a session: room for the saved games a recording carries.
    static constexpr size_t MaxBytes = 64u << 20;

    // Reads a script; throws InputScriptError naming the file (and the line, for a malformed line).
    // Only a regular file is read (a named pipe or a device is refused before it is opened).
    static InputScript Load(const std::string& path);
    // Parses script text; `file` only names the source in errors.
    static InputScript Parse(std::istream& text, const std::string& file);

    const std::vector<InputScriptEvent>& Events() const { return events_; }
    // The files the session read, in frame order.
    const std::vector<InputScriptFile>& Files() const { return files_; }
    // Frame lengths that differ from the nominal period, in frame order.
    const std::vector<InputScriptDelta>& Deltas() const { return deltas_; }
    // The header of a recording, and its last frame; empty when the file has none.
    const std::optional<std::string>& Version() const { return version_; }
    const std::optional<uint32_t>& Seed() const { return seed_; }
    const std::optional<int64_t>& EndFrame() const { return endFrame_; }
    // The line of the version header (0 without one), for messages about it.
    int VersionLine() const { return versionLine_; }

private:
    std::vector<InputScriptEvent> events_;
    std::vector<InputScriptDelta> deltas_;
    std::vector<InputScriptFile> files_;
    std::optional<std::string> version_;
    std::optional<uint32_t> seed_;
    std::optional<int64_t> endFrame_;
    int versionLine_ = 0;
};
