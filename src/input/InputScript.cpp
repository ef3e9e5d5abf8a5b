#include "input/InputScript.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <string_view>

#include "input/InputScriptError.h"

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

// Parses one non-empty line; returns the problem, empty when the line is good.
std::string ParseLine(const std::vector<std::string_view>& words, InputScriptEvent& event) {
    using Kind = InputScriptEvent::Kind;
    if (!ParseNumber(words[0], event.Frame))
        return "expected a frame number, found \"" + std::string(words[0]) + "\"";
    if (event.Frame < 1)
        return "frame numbers start at 1";
    if (words.size() < 2)
        return "expected \"key\", \"mouse\" or \"button\" after the frame number";

    const std::string_view device = words[1];
    if (device == "mouse") {
        if (words.size() != 5 || words[2] != "move")
            return "expected \"mouse move <x> <y>\"";
        event.Type = Kind::MouseMove;
        if (!ParseNumber(words[3], event.Position.x) || !ParseNumber(words[4], event.Position.y) ||
            !std::isfinite(event.Position.x) || !std::isfinite(event.Position.y))
            return "the mouse position must be two numbers";
        return {};
    }
    if (device != "key" && device != "button")
        return "unknown event \"" + std::string(device) + "\" (expected key, mouse or button)";
    if (words.size() != 4 || (words[2] != "down" && words[2] != "up"))
        return "expected \"" + std::string(device) + " down <name>\" or \"" + std::string(device) +
               " up <name>\"";

    const bool down = words[2] == "down";
    const std::string name(words[3]);
    event.Target = KeyFromName(name);
    if (event.Target == Key::None && name != "None")
        return "unknown key name \"" + name + "\"";
    if (device == "button") {
        if (!IsMouseButton(event.Target))
            return "\"" + name + "\" is not a mouse button (LeftMouse, MiddleMouse or RightMouse)";
        event.Type = down ? Kind::ButtonDown : Kind::ButtonUp;
        return {};
    }
    if (IsMouseButton(event.Target))
        return "\"" + name + "\" is a mouse button: use \"button " + std::string(words[2]) + "\"";
    event.VirtualKey = VirtualKeyOf(event.Target);
    if (event.VirtualKey == 0)
        return "no key message sets \"" + name + "\"";
    event.Type = down ? Kind::KeyDown : Kind::KeyUp;
    return {};
}

} // namespace

InputScript InputScript::Load(const std::string& path) {
    std::ifstream file(path);
    if (!file)
        throw InputScriptError(path, 0, "cannot open the file");
    return Parse(file, path);
}

InputScript InputScript::Parse(std::istream& text, const std::string& file) {
    InputScript script;
    std::string line;
    int lineNumber = 0;
    int64_t lastFrame = 1;
    while (std::getline(text, line)) {
        ++lineNumber;
        const std::string_view content = std::string_view(line).substr(0, line.find('#'));
        const std::vector<std::string_view> words = SplitWords(content);
        if (words.empty())
            continue;
        InputScriptEvent event;
        event.Line = lineNumber;
        if (const std::string problem = ParseLine(words, event); !problem.empty())
            throw InputScriptError(file, lineNumber, problem);
        if (event.Frame < lastFrame)
            throw InputScriptError(file, lineNumber,
                                   "frame " + std::to_string(event.Frame) + " comes after frame " +
                                       std::to_string(lastFrame));
        lastFrame = event.Frame;
        script.events_.push_back(event);
    }
    if (text.bad())
        throw InputScriptError(file, 0, "read error");
    return script;
}
