#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

// Text from content (a name, a value, a path) made safe for a one-line message: control characters
// become escapes (\n, \t, \r, \xHH) and backslashes double, so a name holding a newline cannot split
// the line it is quoted in.
inline std::string EscapeControls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (byte < 0x20 || byte == 0x7f) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out;
}

// A name from content in double quotes, escaped as above.
inline std::string Quoted(std::string_view name) {
    return "\"" + EscapeControls(name) + "\"";
}

// Malformed or missing content that start-up needs. Start-up catches it, prints its one-line
// message ("<file>: <problem>") and ends the program with status 1. The message never holds a
// control character, whatever the file's name or the text a problem quotes.
class ContentError : public std::runtime_error {
public:
    ContentError(const std::string& file, const std::string& problem)
        : std::runtime_error(OneLine(file) + ": " + OneLine(problem)), file_(file), problem_(problem) {}

    const std::string& File() const { return file_; }
    const std::string& Problem() const { return problem_; }

private:
    // Quotes inside a problem stay as they are; only control characters are escaped.
    static std::string OneLine(const std::string& text) {
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x20 || byte == 0x7f) {
                return EscapeControls(text);
            }
        }
        return text;
    }

    std::string file_;
    std::string problem_;
};
