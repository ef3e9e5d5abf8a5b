#include "input/InputRecorder.h"

#include <charconv>

#include "input/Base64.h"

namespace {

// Appends the shortest text that reads back as exactly the same number.
template <class T> void AppendNumber(std::string& out, T value) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    out.append(text, error == std::errc() ? end : text);
}

void BeginLine(std::string& out, int64_t frame, std::string_view what) {
    AppendNumber(out, frame);
    out += ' ';
    out += what;
}

void AppendPair(std::string& out, Vector2 value) {
    out += ' ';
    AppendNumber(out, value.x);
    out += ' ';
    AppendNumber(out, value.y);
    out += '\n';
}

bool IsMouseButtonBit(size_t key) {
    return key >= static_cast<size_t>(Key::LeftMouse) && key <= static_cast<size_t>(Key::RightMouse);
}

} // namespace

std::string InputRecorder::Header(std::string_view version, uint32_t seed) {
    std::string out = "# a recorded session: replay it with kelvane --replay FILE\nversion ";
    out += version;
    out += "\nseed ";
    AppendNumber(out, seed);
    out += '\n';
    return out;
}

std::string InputRecorder::End(int64_t frame) {
    std::string out;
    BeginLine(out, frame, "end\n");
    return out;
}

void InputRecorder::File(int64_t frame, std::string_view name, const std::span<const uint8_t>* bytes,
                         std::string& out) {
    BeginLine(out, frame, "file ");
    out += name;
    out += ' ';
    if (bytes && bytes->empty()) {
        out += '='; // base64 has no word for nothing
    } else if (bytes) {
        AppendBase64(out, *bytes);
    } else {
        out += '-';
    }
    out += '\n';
}

void InputRecorder::Frame(int64_t frame, float delta, float nominal, const InputManager& input, bool focused,
                          std::string& out) {
    if (delta != nominal) {
        BeginLine(out, frame, "delta ");
        AppendNumber(out, delta);
        out += '\n';
    }
    if (focused != focused_) {
        focused_ = focused;
        BeginLine(out, frame, focused ? "focus in\n" : "focus out\n");
    }
    // A key let go and pressed again within the frame is down before and after, yet pressed anew:
    // it is written as both, so that the replay presses it again too.
    const KeySet repressed = input.BegunKeys & keys_ & input.CurrentKeys;
    if (input.CurrentKeys != keys_ || repressed.any()) {
        const KeySet changed = (input.CurrentKeys ^ keys_) | repressed;
        keys_ = input.CurrentKeys;
        for (size_t key = 0; key < changed.size(); ++key) {
            const std::string_view name = changed[key] ? KeyName(static_cast<Key>(key)) : std::string_view();
            if (name.empty()) {
                continue;
            }
            const std::string_view kind = IsMouseButtonBit(key) ? "button " : "key ";
            if (repressed[key]) {
                BeginLine(out, frame, kind);
                out += "up ";
                out += name;
                out += '\n';
            }
            BeginLine(out, frame, kind);
            out += keys_[key] ? "down " : "up ";
            out += name;
            out += '\n';
        }
    }
    if (input.MousePosition != mouse_) {
        mouse_ = input.MousePosition;
        BeginLine(out, frame, "mouse move");
        AppendPair(out, mouse_);
    }
    if (input.PadAim != padAim_) {
        padAim_ = input.PadAim;
        BeginLine(out, frame, "pad aim");
        AppendPair(out, padAim_);
    }
}
