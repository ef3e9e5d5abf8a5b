#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "core/ContentError.h"

// Text a script holds, quoted for a message: escaped as ContentError escapes it, and cut short, so a
// refused word of any length or any bytes prints as one short, harmless line.
inline std::string QuotedScriptText(std::string_view text) {
    constexpr size_t MaxQuoted = 40;
    if (text.size() <= MaxQuoted) {
        return Quoted(text);
    }
    // Cut between characters: never inside a multi-byte one.
    size_t cut = MaxQuoted;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return "\"" + EscapeControls(text.substr(0, cut)) + "...\" (" + std::to_string(text.size()) + " bytes)";
}

// A script file that cannot be read or has a malformed line. what() is "<file>:<line>: <problem>", or
// "<file>: <problem>" when no line is at fault (line 0). The message never holds a control character.
class InputScriptError : public std::runtime_error {
public:
    InputScriptError(const std::string& file, int line, const std::string& problem)
        : std::runtime_error(OneLine(file) + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " +
                             OneLine(problem)),
          file_(file), line_(line), problem_(problem) {}

    const std::string& File() const { return file_; }
    int Line() const { return line_; }
    const std::string& Problem() const { return problem_; }

private:
    // Quoted text in a problem is escaped already; only a raw control character is escaped here.
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
    int line_;
    std::string problem_;
};
