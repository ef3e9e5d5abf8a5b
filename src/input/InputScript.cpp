#include "input/InputScript.h"

#include <charconv>
#include <cmath>
#include <sstream>
#include <string_view>

#include "input/Base64.h"
#include "input/InputScriptError.h"
#include "platform/RegularFile.h"

namespace {

std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    size_t pos = 0;
    while (true) {
        pos = line.find_first_not_of(" \t\r", pos);
        if (pos == std::string_view::npos)
            break;
        const size_t end = std::min(line.find_first_of(" \t\r", pos), line.size());
        words.push_back(line.substr(pos, end - pos));
        pos = end;
    }
    return words;
}

template <class T> bool ParseNumber(std::string_view word, T& value) {
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size();
}

bool IsMouseButton(Key key) {
    return key == Key::LeftMouse || key == Key::MiddleMouse || key == Key::RightMouse;
}

bool IsPadKey(Key key) {
    const int number = static_cast<int>(key);
    return number >= FirstPadKey && number < FirstPadKey + PadKeyCount;
}

// What a timed line holds besides an event.
enum class LineKind { Event, Delta, File, End };

std::string ParsePair(const std::vector<std::string_view>& words, Vector2& value) {
    if (!ParseNumber(words[3], value.x) || !ParseNumber(words[4], value.y) || !std::isfinite(value.x) ||
        !std::isfinite(value.y))
        return "must be two numbers";
    return {};
}

// Parses one non-empty line that starts with a frame; returns the problem, empty when the line is good.
std::string ParseLine(const std::vector<std::string_view>& words, InputScriptEvent& event, LineKind& kind,
                      float& delta, InputScriptFile& file) {
    using Kind = InputScriptEvent::Kind;
    if (!ParseNumber(words[0], event.Frame))
        return "expected a frame number, found " + QuotedScriptText(words[0]);
    if (event.Frame < 1)
        return "frame numbers start at 1";
    if (event.Frame > InputScript::MaxFrame)
        return "frame " + std::to_string(event.Frame) + " is beyond the last a script may name, " +
               std::to_string(InputScript::MaxFrame) + " (a day at 60 frames a second)";
    if (words.size() < 2)
        return "expected \"key\", \"mouse\", \"button\", \"pad\", \"focus\", \"window\", \"delta\", \"file\" "
               "or "
               "\"end\" after the frame number";

    kind = LineKind::Event;
    const std::string_view device = words[1];
    if (device == "mouse") {
        if (words.size() != 5 || words[2] != "move")
            return "expected \"mouse move <x> <y>\"";
        event.Type = Kind::MouseMove;
        if (!ParsePair(words, event.Position).empty())
            return "the mouse position must be two numbers";
        return {};
    }
    if (device == "pad") {
        if (words.size() != 5 || words[2] != "aim")
            return "expected \"pad aim <x> <y>\"";
        event.Type = Kind::PadAim;
        if (!ParsePair(words, event.Position).empty() || std::fabs(event.Position.x) > 1.0f ||
            std::fabs(event.Position.y) > 1.0f)
            return "the pad aim must be two numbers from -1 to 1";
        return {};
    }
    if (device == "focus") {
        if (words.size() != 3 || (words[2] != "in" && words[2] != "out"))
            return "expected \"focus in\" or \"focus out\"";
        event.Type = words[2] == "in" ? Kind::FocusIn : Kind::FocusOut;
        return {};
    }
    if (device == "window") {
        if (words.size() != 3 || words[2] != "close")
            return "expected \"window close\"";
        event.Type = Kind::WindowClose;
        return {};
    }
    if (device == "delta") {
        kind = LineKind::Delta;
        if (words.size() != 3 || !ParseNumber(words[2], delta) || !(delta > 0.0f && delta <= 1.0f))
            return "expected \"delta <seconds>\", more than 0 and at most 1";
        return {};
    }
    if (device == "file") {
        kind = LineKind::File;
        if (words.size() != 4)
            return "expected \"file <name> <bytes>\" (base64, = or -)";
        file.Name = std::string(words[2]);
        if (words[3] == "=") {
            file.Bytes.emplace();
        } else if (words[3] != "-") {
            file.Bytes = DecodeBase64(words[3]);
            if (!file.Bytes)
                return "the file's bytes are not base64";
        }
        return {};
    }
    if (device == "end") {
        kind = LineKind::End;
        return words.size() == 2 ? std::string() : "expected nothing after \"end\"";
    }
    if (device != "key" && device != "button")
        return "unknown event " + QuotedScriptText(device) +
               " (expected key, mouse, button, pad, focus, window, delta, file or end)";
    if (words.size() != 4 || (words[2] != "down" && words[2] != "up"))
        return "expected \"" + std::string(device) + " down <name>\" or \"" + std::string(device) +
               " up <name>\"";

    const bool down = words[2] == "down";
    const std::string name(words[3]);
    event.Target = KeyFromName(name);
    if (event.Target == Key::None && name != "None")
        return "unknown key name " + QuotedScriptText(name);
    if (device == "button") {
        if (!IsMouseButton(event.Target))
            return QuotedScriptText(name) + " is not a mouse button (LeftMouse, MiddleMouse or RightMouse)";
        event.Type = down ? Kind::ButtonDown : Kind::ButtonUp;
        return {};
    }
    if (IsMouseButton(event.Target))
        return QuotedScriptText(name) + " is a mouse button: use \"button " + std::string(words[2]) + "\"";
    event.Type = down ? Kind::KeyDown : Kind::KeyUp;
    if (IsPadKey(event.Target))
        return {};
    event.VirtualKey = VirtualKeyOf(event.Target);
    if (event.VirtualKey == 0)
        return "no key message sets " + QuotedScriptText(name);
    return {};
}

// A header line ("version <text>", "seed <N>"); returns the problem, empty when the line is good.
std::string ParseHeader(const std::vector<std::string_view>& words, std::optional<std::string>& version,
                        std::optional<uint32_t>& seed) {
    if (words.size() != 2)
        return "expected " + QuotedScriptText(words[0]) + " and one word";
    if (words[0] == "version") {
        if (version)
            return "a second version line";
        version = std::string(words[1]);
        return {};
    }
    uint32_t value = 0;
    if (!ParseNumber(words[1], value))
        return "the seed must be a whole number from 0 to 4294967295";
    if (seed)
        return "a second seed line";
    seed = value;
    return {};
}

} // namespace

InputScript InputScript::Load(const std::string& path) {
    std::string text;
    std::string fault;
    switch (ReadWholeFile(path, MaxBytes, text, fault)) {
    case ReadStatus::Missing:
        throw InputScriptError(path, 0, "cannot open the file");
    case ReadStatus::Failed:
        throw InputScriptError(path, 0, "cannot read the file: " + fault);
    case ReadStatus::Read:
        break;
    }
    std::istringstream in(std::move(text));
    return Parse(in, path);
}

InputScript InputScript::Parse(std::istream& text, const std::string& file) {
    InputScript script;
    std::string line;
    int lineNumber = 0;
    int64_t lastFrame = 1;
    bool timed = false; // a line with a frame has been read: headers must come first
    while (std::getline(text, line)) {
        ++lineNumber;
        const std::string_view content = std::string_view(line).substr(0, line.find('#'));
        const std::vector<std::string_view> words = SplitWords(content);
        if (words.empty())
            continue;
        if (script.endFrame_)
            throw InputScriptError(file, lineNumber, "nothing may follow the \"end\" line");
        if (words[0] == "version" || words[0] == "seed") {
            if (timed)
                throw InputScriptError(file, lineNumber,
                                       "\"" + std::string(words[0]) + "\" comes before any event");
            if (const std::string problem = ParseHeader(words, script.version_, script.seed_);
                !problem.empty())
                throw InputScriptError(file, lineNumber, problem);
            if (words[0] == "version")
                script.versionLine_ = lineNumber;
            continue;
        }
        InputScriptEvent event;
        event.Line = lineNumber;
        LineKind kind = LineKind::Event;
        float delta = 0.0f;
        InputScriptFile read;
        if (const std::string problem = ParseLine(words, event, kind, delta, read); !problem.empty())
            throw InputScriptError(file, lineNumber, problem);
        if (event.Frame < lastFrame)
            throw InputScriptError(file, lineNumber,
                                   "frame " + std::to_string(event.Frame) + " comes after frame " +
                                       std::to_string(lastFrame));
        timed = true;
        if (kind == LineKind::Delta) {
            if (!script.deltas_.empty() && script.deltas_.back().Frame == event.Frame)
                throw InputScriptError(file, lineNumber,
                                       "a second delta for frame " + std::to_string(event.Frame));
            script.deltas_.push_back({event.Frame, delta, lineNumber});
        } else if (kind == LineKind::File) {
            read.Frame = event.Frame;
            read.Line = lineNumber;
            script.files_.push_back(std::move(read));
        } else if (kind == LineKind::End) {
            script.endFrame_ = event.Frame;
        } else {
            script.events_.push_back(event);
        }
        lastFrame = event.Frame;
    }
    if (text.bad())
        throw InputScriptError(file, 0, "read error");
    return script;
}
