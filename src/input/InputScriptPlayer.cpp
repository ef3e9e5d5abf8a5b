#include "input/InputScriptPlayer.h"

#include "input/InputManager.h"

InputScriptPlayer::InputScriptPlayer(InputScript script) : script_(std::move(script)) {}

std::span<const InputScriptEvent> InputScriptPlayer::TakeDue(int64_t frame) {
    const std::vector<InputScriptEvent>& events = script_.Events();
    const size_t first = next_;
    while (next_ < events.size() && events[next_].Frame <= frame)
        ++next_;
    return std::span(events).subspan(first, next_ - first);
}

int64_t InputScriptPlayer::LastFrame() const {
    return script_.Events().empty() ? 0 : script_.Events().back().Frame;
}

void InputScriptPlayer::Play(int64_t frame, InputManager& input) {
    using Kind = InputScriptEvent::Kind;
    for (const InputScriptEvent& event : TakeDue(frame)) {
        switch (event.Type) {
        case Kind::KeyDown:
        case Kind::KeyUp:
            if (event.VirtualKey != 0) {
                event.Type == Kind::KeyDown ? input.KeyDown(event.VirtualKey) : input.KeyUp(event.VirtualKey);
            } else {
                // A pad key: the pad has no key messages, it holds its keys directly. Written at once
                // as well, so that a press and release within one frame still counts.
                ownsPad_ = true;
                padKeys_[static_cast<int>(event.Target) - FirstPadKey] = event.Type == Kind::KeyDown;
                input.SetKeyState(event.Target, event.Type == Kind::KeyDown);
            }
            break;
        case Kind::MouseMove:
            ownsMouse_ = true;
            mousePosition_ = event.Position;
            break;
        case Kind::ButtonDown:
        case Kind::ButtonUp:
            ownsMouse_ = true;
            buttons_[static_cast<int>(event.Target) - static_cast<int>(Key::LeftMouse)] =
                event.Type == Kind::ButtonDown;
            input.SetKeyState(event.Target, event.Type == Kind::ButtonDown);
            break;
        case Kind::PadAim:
            ownsPad_ = true;
            padAim_ = event.Position;
            break;
        case Kind::FocusIn:
        case Kind::FocusOut:
            focused_ = event.Type == Kind::FocusIn;
            break;
        case Kind::WindowClose:
            closeAsked_ = true;
            break;
        }
    }
    if (ownsMouse_) {
        input.SetMousePosition(mousePosition_.x, mousePosition_.y);
        input.SetKeyState(Key::LeftMouse, buttons_[0]);
        input.SetKeyState(Key::MiddleMouse, buttons_[1]);
        input.SetKeyState(Key::RightMouse, buttons_[2]);
    }
    if (ownsPad_) {
        for (int i = 0; i < PadKeyCount; ++i)
            input.SetKeyState(static_cast<Key>(FirstPadKey + i), padKeys_[i]);
        input.PadAim = padAim_;
    }
}

std::span<const InputScriptFile> InputScriptPlayer::TakeDueFiles(int64_t frame) {
    const std::vector<InputScriptFile>& files = script_.Files();
    const size_t first = nextFile_;
    while (nextFile_ < files.size() && files[nextFile_].Frame <= frame)
        ++nextFile_;
    return std::span(files).subspan(first, nextFile_ - first);
}

float InputScriptPlayer::FrameDelta(int64_t frame, float nominal) {
    const std::vector<InputScriptDelta>& deltas = script_.Deltas();
    while (nextDelta_ < deltas.size() && deltas[nextDelta_].Frame < frame)
        ++nextDelta_;
    return nextDelta_ < deltas.size() && deltas[nextDelta_].Frame == frame ? deltas[nextDelta_].Seconds
                                                                           : nominal;
}
