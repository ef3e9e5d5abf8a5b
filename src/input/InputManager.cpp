#include "input/InputManager.h"

#include <iostream>
#include <sstream>

#include <boost/property_tree/ptree.hpp>

#include "core/ContentError.h"
#include "core/ContentText.h"
#include "core/GameTime.h"
#include "core/GraphicsManager.h"
#include "core/JsonTree.h"
#include "core/Service.h"
#include "input/KeyCharacters.h"

std::array<float, KeySetSize> InputManager::InitialRepeatTimers() {
    std::array<float, KeySetSize> timers;
    timers.fill(RepeatDelay);
    return timers;
}

bool InputManager::HasFocus() {
    const GraphicsManager* graphics = Service<GraphicsManager>::TryGet();
    return graphics == nullptr || graphics->HasFocus;
}

void InputManager::KeyDown(int virtualKey) {
    if (virtualKey >= 0 && virtualKey < VirtualKeyCount)
        SetKeyState(KeyFromVirtualKey(virtualKey), true);
}

void InputManager::KeyUp(int virtualKey) {
    if (virtualKey >= 0 && virtualKey < VirtualKeyCount)
        SetKeyState(KeyFromVirtualKey(virtualKey), false);
}

void InputManager::SetKeyState(Key key, bool down) {
    // "None" stays clear so that actions bound to unknown key names never trigger.
    if (key == Key::None)
        return;
    const size_t i = static_cast<size_t>(key);
    if (down) {
        // A repeated key-down of a key already held begins nothing.
        if (!CurrentKeys[i] || TappedKeys[i]) {
            BegunKeys.set(i);
            TappedKeys.reset(i);
            CurrentKeys.set(i);
            // A new press is not held over; the repeat its key fired while held over stays unseen.
            if (HeldOver[i]) {
                HeldOver.reset(i);
                FiredKeys.reset(i);
            }
        }
    } else {
        // A press that began in this pump is kept for the frame, so a quick tap is not lost.
        if (BegunKeys[i])
            TappedKeys.set(i);
        else
            CurrentKeys.reset(i);
        // A key held over stays unseen until the frame update: the repeat it fired at this frame's
        // update would otherwise reach a menu in the very frame the key is let go.
    }
}

void InputManager::FrameUpdate() {
    const float frameDelta = Service<GameTime>::Get().FrameDelta;
    const bool typing = HasFocus();
    const bool shifted = IsKeyDown(Key::Shift) || IsKeyDown(Key::RightShift);

    FiredKeys.reset();
    TypedText.clear();
    const KeySet began = (CurrentKeys & ~PreviousKeys) | BegunKeys;
    for (int i = 0; i < KeySetSize; ++i) {
        if (began[i]) {
            RepeatTimers[i] = RepeatDelay;
            FiredKeys.set(i);
            PadLastUsed = i >= FirstPadKey;
        } else if (CurrentKeys[i]) {
            // Float arithmetic on purpose: at 1/60 s frames it gives the 24th, 27th, 30th... update.
            RepeatTimers[i] += frameDelta;
            if (RepeatTimers[i] > RepeatInterval) {
                RepeatTimers[i] -= RepeatInterval;
                FiredKeys.set(i);
            }
        } else {
            RepeatTimers[i] = RepeatDelay;
        }
        if (typing && FiredKeys[i] && i < CharacterKeyCount) {
            if (const char c = KeyCharacter(static_cast<Key>(i), shifted))
                TypedText += c;
        }
    }
    PreviousMousePosition = MousePosition;
    PreviousKeys = CurrentKeys;
    // Taps of the last pump end now: their key-up has come already.
    CurrentKeys &= ~TappedKeys;
    HeldOver &= CurrentKeys; // keys let go are no longer held over

    BegunKeys.reset();
    TappedKeys.reset();
}

void InputManager::LoadMappings(const std::string& path) {
    ReadMappings(ReadContentFile(path), path);
}

void InputManager::ReadMappings(const std::string& json, const std::string& file) {
    namespace pt = boost::property_tree;
    CheckJsonNesting(json, file);
    // An array or a bare value has no action names: members with empty names would only warn.
    if (!JsonIsObject(json))
        throw ContentError(file, "the top level is not a JSON object");
    pt::ptree root;
    try {
        std::istringstream in(json);
        ReadJsonTree(in, root);
    } catch (const pt::json_parser::json_parser_error& e) {
        const std::string where = e.line() > 0 ? "line " + std::to_string(e.line()) + ": " : "";
        throw ContentError(file, where + e.message());
    }

    for (const auto& [name, value] : root) {
        const std::optional<Action> action = ActionFromName(name);
        if (!action) {
            std::cerr << "kelvane: " << EscapeControls(file) << ": unknown action " << Quoted(name)
                      << " skipped\n";
            continue;
        }
        // Objects and arrays have no data; they, numbers and unknown names all bind None, with a
        // warning like any other content the game cannot use ("None" itself binds nothing quietly).
        const Key key = value.empty() ? KeyFromName(value.data()) : Key::None;
        if (key == Key::None && (!value.empty() || value.data() != "None")) {
            std::cerr << "kelvane: " << EscapeControls(file) << ": " << Quoted(name) << " is bound to "
                      << (value.empty() ? Quoted(value.data()) : std::string("an object or array"))
                      << ", which is no key name; it is bound to nothing\n";
        }
        Mappings.emplace(*action, key); // a multimap inserts after equal keys: file order holds
    }
}

bool InputManager::IsKeyDown(Key key) const {
    const size_t i = static_cast<size_t>(key);
    return HasFocus() && CurrentKeys[i] && !HeldOver[i];
}

bool InputManager::IsKeyPressed(Key key) const {
    const size_t i = static_cast<size_t>(key);
    return HasFocus() && CurrentKeys[i] && (!PreviousKeys[i] || BegunKeys[i]) && !HeldOver[i];
}

bool InputManager::IsKeyFired(Key key) const {
    const size_t i = static_cast<size_t>(key);
    return HasFocus() && FiredKeys[i] && !HeldOver[i];
}

bool InputManager::IsActionIn(Action action, const KeySet& keys) const {
    if (!HasFocus())
        return false;
    const auto [first, last] = Mappings.equal_range(action);
    for (auto it = first; it != last; ++it)
        if (const size_t i = static_cast<size_t>(it->second); keys[i] && !HeldOver[i])
            return true;
    return false;
}
