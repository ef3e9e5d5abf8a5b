#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

#include "core/ContentError.h"

// The text of a JSON or XML content file, checked before a parser sees it. The tree parsers recurse
// once per level of nesting, so a file nested thousands of levels deep would overflow the stack;
// no real content comes near this many levels.
constexpr int MaxContentNesting = 64;

// How deep objects and arrays nest in JSON text (0 for a bare value); brackets in strings do not
// count. Unbalanced text is measured as far as it goes: the parser reports it.
inline int JsonNestingDepth(std::string_view text) {
    int depth = 0;
    int deepest = 0;
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            deepest = std::max(deepest, ++depth);
        } else if ((c == '}' || c == ']') && depth > 0) {
            --depth;
        }
    }
    return deepest;
}

// How deep elements nest in XML text (1 for a lone root element). Comments, CDATA, processing
// instructions, declarations and quoted attribute values are skipped.
inline int XmlNestingDepth(std::string_view text) {
    int depth = 0;
    int deepest = 0;
    size_t i = 0;
    auto skipPast = [&](std::string_view end) {
        const size_t at = text.find(end, i);
        i = at == std::string_view::npos ? text.size() : at + end.size();
    };
    while ((i = text.find('<', i)) != std::string_view::npos) {
        const std::string_view rest = text.substr(i);
        if (rest.starts_with("<!--")) {
            skipPast("-->");
        } else if (rest.starts_with("<![CDATA[")) {
            skipPast("]]>");
        } else if (rest.starts_with("<?")) {
            skipPast("?>");
        } else if (rest.starts_with("<!")) {
            skipPast(">");
        } else if (rest.starts_with("</")) {
            depth = depth > 0 ? depth - 1 : 0;
            skipPast(">");
        } else {
            // An opening tag: find its end outside quoted attribute values.
            char quote = 0;
            size_t j = i + 1;
            for (; j < text.size(); ++j) {
                if (quote) {
                    quote = text[j] == quote ? 0 : quote;
                } else if (text[j] == '"' || text[j] == '\'') {
                    quote = text[j];
                } else if (text[j] == '>') {
                    break;
                }
            }
            const bool selfClosing = j < text.size() && text[j - 1] == '/';
            deepest = std::max(deepest, depth + 1);
            if (!selfClosing) {
                ++depth;
            }
            i = j < text.size() ? j + 1 : text.size();
        }
    }
    return deepest;
}

// Whether JSON text is an object at its top level (after an optional byte-order mark and blanks).
inline bool JsonIsObject(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    const size_t first = text.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && text[first] == '{';
}

// What a JSON or XML content file may weigh: prefabs, atlases, fonts and configuration are a few
// kilobytes (the largest shipped, a font, about 19 KB); fifty times that is no real one.
constexpr size_t MaxContentTextBytes = 1u << 20;

// The problem of a file of `size` bytes over a cap of `maxBytes`, as every content reader words it.
inline std::string TooLarge(uintmax_t size, uintmax_t maxBytes) {
    return "too large: a file of " + std::to_string(size) + " bytes, over the " + std::to_string(maxBytes) +
           " allowed";
}

// The whole file, or ContentError naming it when it cannot be read or is larger than maxBytes.
inline std::string ReadContentFile(const std::string& path, size_t maxBytes = MaxContentTextBytes) {
    // Checked before opening: a named pipe in its place would block the opening for ever.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        throw ContentError(path, std::filesystem::exists(path, error) ? "not a regular file"
                                                                      : "cannot open the file");
    }
    if (const uintmax_t size = std::filesystem::file_size(path, error); !error && size > maxBytes) {
        throw ContentError(path, TooLarge(size, maxBytes));
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw ContentError(path, "cannot open the file");
    }
    // Read no further than the cap: the file may grow while it is read.
    std::string text(maxBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) {
        throw ContentError(path, "cannot read the file");
    }
    text.resize(static_cast<size_t>(in.gcount()));
    if (text.size() > maxBytes) {
        throw ContentError(path, TooLarge(text.size(), maxBytes));
    }
    return text;
}

// Whether text can be JSON at all: JSON is text, so a control character outside blanks (a NUL, say)
// means binary bytes. Random bytes fail this before any nesting is measured.
inline bool LooksLikeJson(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && c != '\t' && c != '\r' && c != '\n') {
            return false;
        }
    }
    return true;
}

// Throws ContentError naming file when the text nests deeper than MaxContentNesting levels (or, for
// JSON, does not look like JSON at all).
inline void CheckJsonNesting(std::string_view text, const std::string& file) {
    if (!LooksLikeJson(text)) {
        throw ContentError(file, "not JSON: it holds binary bytes");
    }
    if (JsonNestingDepth(text) > MaxContentNesting) {
        throw ContentError(file, "nested deeper than " + std::to_string(MaxContentNesting) + " levels");
    }
}
inline void CheckXmlNesting(std::string_view text, const std::string& file) {
    if (XmlNestingDepth(text) > MaxContentNesting) {
        throw ContentError(file, "nested deeper than " + std::to_string(MaxContentNesting) + " levels");
    }
}
