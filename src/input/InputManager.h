#pragma once

#include <array>
#include <bitset>
#include <map>
#include <string>

#include "core/Vector2.h"
#include "input/Action.h"
#include "input/Key.h"

// One bit per key number; bits above the named keys belong to unlisted virtual-key codes.
using KeySet = std::bitset<KeySetSize>;

// Keyboard and mouse state for one frame, typed text and named actions (one process-wide instance,
// reached as Service<InputManager>).
//
// Frame protocol: FrameUpdate() runs once per frame before the platform pump; the pump then feeds key
// messages (KeyDown/KeyUp with virtual-key codes), the mouse position and the three mouse-button keys.
// So FiredKeys and TypedText describe the previous frame's pump, IsKeyPressed this frame's.
//
// A press counts however short it was: a key that goes down and up again within one pump stays down
// (and pressed) until the next frame update, and a key let go and pressed again within one pump is
// pressed anew. So the frame that follows a tap sees exactly what a one-frame press would show.
//
// Every query reports nothing (false, or no text) while the GraphicsManager says the window has no
// focus; without a GraphicsManager service (tools, some tests) the window counts as focused. The key
// sets themselves keep changing while unfocused: a key released elsewhere stays down until its key-up
// reaches the game.
class InputManager {
public:
    virtual ~InputManager() = default;

    // Writers -----------------------------------------------------------------------------------------

    // A key message carrying a Windows virtual-key code: sets or clears the bit of the translated key.
    // Codes outside 0..255 are ignored.
    void KeyDown(int virtualKey);
    void KeyUp(int virtualKey);

    // Sets or clears one key directly: the pump writes LeftMouse, MiddleMouse, RightMouse and the pad's
    // keys this way. Key::None is never set. A key let go in the same pump that began its press stays
    // down until the next frame update.
    void SetKeyState(Key key, bool down);

    // Every key held now reads as up until it is let go: a menu that opens calls this so that only
    // presses begun after it opened act on it.
    void IgnoreHeldKeys() { HeldOver = CurrentKeys; }

    // Cursor position in client-area pixels, origin top left.
    void SetMousePosition(float x, float y) { MousePosition = {x, y}; }

    // Once per frame, before the pump: fired keys with auto-repeat (reads FrameDelta of the GameTime
    // service), the typed text of the fired keys, which device was used last (PadLastUsed), then
    // PreviousKeys and PreviousMousePosition catch up.
    // No text is typed while the window has no focus.
    void FrameUpdate();

    // Adds the bindings of a key-mappings file: a JSON object whose members, in file order, bind the
    // action named by the member to the key named by its string value (a name that is not a key binds
    // None). A name may repeat to bind several keys. A member naming no action is skipped with a warning
    // on stderr. Throws ContentError (file name, problem, line) when the file is missing or malformed,
    // or its top level is not an object.
    void LoadMappings(const std::string& path);
    // The same from the file's text; file names it in errors and warnings.
    void ReadMappings(const std::string& json, const std::string& file);

    // Queries -----------------------------------------------------------------------------------------

    bool IsKeyDown(Key key) const;    // held now
    bool IsKeyPressed(Key key) const; // its press began since the previous frame update
    bool IsKeyFired(Key key) const;   // newly pressed or auto-repeated at the last frame update

    // Some key bound to the action is set in `keys` (CurrentKeys, PreviousKeys or FiredKeys).
    bool IsActionIn(Action action, const KeySet& keys) const;

    bool IsActionDown(Action action) const { return IsActionIn(action, CurrentKeys); }
    // Held now and not at the previous frame update, or one of its keys was let go and pressed again
    // since (another key of a held action pressed meanwhile does not press it again).
    bool IsActionPressed(Action action) const {
        return IsActionIn(action, CurrentKeys) &&
               (!IsActionIn(action, PreviousKeys) || IsActionIn(action, PreviousKeys & BegunKeys));
    }
    bool IsActionFired(Action action) const { return IsActionIn(action, FiredKeys); }

    // State ---------------------------------------------------------------------------------------------

    Vector2 MousePosition;         // client-area pixels, written by every pump
    Vector2 PreviousMousePosition; // MousePosition at the last frame update (for drags)
    // The game controller's right stick, each axis -1..1 (x right, y down as on the screen), zero
    // inside its dead zone; written by every pump. A pad player aims with it: the aim point is the
    // submarine's position plus PadAim times the reach of the tool, where a mouse player's pointer
    // would be. Stays zero without a pad.
    Vector2 PadAim;
    KeySet CurrentKeys;    // held now
    KeySet PreviousKeys;   // CurrentKeys at the end of the last frame update
    std::string TypedText; // characters of the keys fired at the last frame update, by key number
    std::multimap<Action, Key> Mappings;                                // equal actions keep file order
    std::array<float, KeySetSize> RepeatTimers = InitialRepeatTimers(); // seconds; RepeatDelay while up
    KeySet FiredKeys;
    // The last key newly pressed came from the game controller: hints then name its inputs.
    bool PadLastUsed = false;
    // Held at the last IgnoreHeldKeys and not let go before a frame update since: read as up (a new
    // press of the key ends it at once).
    KeySet HeldOver;
    // Since the last frame update: keys whose press began, and those of them already let go again
    // (they read as down until the frame update takes them up).
    KeySet BegunKeys;
    KeySet TappedKeys;

    static constexpr float RepeatDelay = -0.35f;   // timer value at press: repeats start 0.4 s later
    static constexpr float RepeatInterval = 0.05f; // then one repeat per interval, at most one a frame

private:
    static std::array<float, KeySetSize> InitialRepeatTimers();
    static bool HasFocus();
};
