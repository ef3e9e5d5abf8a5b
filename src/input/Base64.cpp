#include "input/Base64.h"

namespace {

constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int ValueOf(char c) {
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    return c == '+' ? 62 : c == '/' ? 63 : -1;
}

} // namespace

void AppendBase64(std::string& out, std::span<const uint8_t> bytes) {
    out.reserve(out.size() + (bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const uint32_t group = bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2];
        out += Alphabet[group >> 18 & 63];
        out += Alphabet[group >> 12 & 63];
        out += Alphabet[group >> 6 & 63];
        out += Alphabet[group & 63];
    }
    if (i < bytes.size()) {
        const bool two = i + 1 < bytes.size();
        const uint32_t group = bytes[i] << 16 | (two ? bytes[i + 1] << 8 : 0);
        out += Alphabet[group >> 18 & 63];
        out += Alphabet[group >> 12 & 63];
        out += two ? Alphabet[group >> 6 & 63] : '=';
        out += '=';
    }
}

std::optional<std::vector<uint8_t>> DecodeBase64(std::string_view text) {
    if (text.size() % 4 != 0) {
        return std::nullopt;
    }
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        const int padding = last ? (text[i + 3] == '=') + (text[i + 2] == '=') : 0;
        uint32_t group = 0;
        for (size_t k = 0; k < 4; ++k) {
            const int value = k >= 4 - static_cast<size_t>(padding) ? 0 : ValueOf(text[i + k]);
            if (value < 0) {
                return std::nullopt;
            }
            group = group << 6 | static_cast<uint32_t>(value);
        }
        bytes.push_back(static_cast<uint8_t>(group >> 16));
        if (padding < 2) {
            bytes.push_back(static_cast<uint8_t>(group >> 8));
        }
        if (padding < 1) {
            bytes.push_back(static_cast<uint8_t>(group));
        }
    }
    return bytes;
}
