#include "reflection/PropertyText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace PropertyText {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Checks the decimal syntax: [sign] digits [. digits] [e [sign] digits], at least one mantissa digit.
bool IsDecimalFloat(std::string_view t) {
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < t.size() && IsDigit(t[i]))
        ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && IsDigit(t[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        size_t expDigits = 0;
        while (i < t.size() && IsDigit(t[i]))
            ++i, ++expDigits;
        if (expDigits == 0)
            return false;
    }
    return i == t.size();
}

} // namespace

std::string FormatFloat(float value) {
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(value));
    return buf;
}

std::optional<float> ParseFloat(std::string_view text) {
    if (text == "inf" || text == "+inf")
        return std::numeric_limits<float>::infinity();
    if (text == "-inf")
        return -std::numeric_limits<float>::infinity();
    if (text == "nan")
        return std::numeric_limits<float>::quiet_NaN();
    if (!IsDecimalFloat(text))
        return std::nullopt;
    if (text.front() == '+')
        text.remove_prefix(1);
    float value = 0.0f;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc() && end == text.data() + text.size())
        return value;
    if (ec != std::errc::result_out_of_range)
        return std::nullopt;
    // Out of range is either overflow (rejected) or underflow to a subnormal or zero, which is a
    // faithful result the printer can produce.
    std::string copy(text);
    double wide = std::strtod(copy.c_str(), nullptr);
    if (!(std::fabs(wide) <= std::numeric_limits<float>::max()))
        return std::nullopt;
    return static_cast<float>(wide);
}

std::string FormatInt(int value) {
    return std::to_string(value);
}

std::optional<int> ParseInt(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return std::nullopt;
    }
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string FormatBool(bool value) {
    return value ? "true" : "false";
}

bool ParseBool(std::string_view text) {
    return text == "true" || text == "1" || text == "t";
}

std::string EscapeNewlines(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::string UnescapeNewlines(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

namespace {
struct LayerName {
    DrawLayer value;
    const char* name;
};
constexpr LayerName LayerNames[] = {
    {DrawLayer::World, "World"},     {DrawLayer::Ui, "Ui"},
    {DrawLayer::Editor, "Editor"},   {DrawLayer::EditorText, "EditorText"},
    {DrawLayer::Editor2, "Editor2"}, {DrawLayer::EditorText2, "EditorText2"},
};
constexpr const char* XNames[] = {"Left", "Center", "Right"};
constexpr const char* YNames[] = {"Top", "Middle", "Bottom"};
} // namespace

const char* DrawLayerName(DrawLayer value) {
    for (const auto& entry : LayerNames)
        if (entry.value == value)
            return entry.name;
    return "";
}

std::optional<DrawLayer> ParseDrawLayer(std::string_view text) {
    for (const auto& entry : LayerNames)
        if (text == entry.name)
            return entry.value;
    return std::nullopt;
}

const char* TextXAlignmentName(TextXAlignment value) {
    int i = static_cast<int>(value);
    return i >= 0 && i < 3 ? XNames[i] : "";
}

const char* TextYAlignmentName(TextYAlignment value) {
    int i = static_cast<int>(value);
    return i >= 0 && i < 3 ? YNames[i] : "";
}

TextXAlignment ParseTextXAlignment(std::string_view text) {
    for (int i = 0; i < 3; ++i)
        if (text == XNames[i])
            return static_cast<TextXAlignment>(i);
    return TextXAlignment::Left;
}

TextYAlignment ParseTextYAlignment(std::string_view text) {
    for (int i = 0; i < 3; ++i)
        if (text == YNames[i])
            return static_cast<TextYAlignment>(i);
    return TextYAlignment::Top;
}

std::string FormatAlpha(unsigned char alpha) {
    return FormatFloat(static_cast<float>(alpha) / 255.0f);
}

// The nearest alpha, not the truncated one: a printed alpha is a ninth-digit approximation of a / 255
// that may land just below it, and truncating would turn every save of 128 into 127.
std::optional<unsigned char> ParseAlpha(std::string_view text) {
    auto f = ParseFloat(text);
    if (!f || std::isnan(*f))
        return std::nullopt;
    const float scaled = *f * 255.0f;
    if (!(scaled > 0.0f))
        return static_cast<unsigned char>(0);
    if (scaled >= 255.0f)
        return static_cast<unsigned char>(255);
    return static_cast<unsigned char>(std::lround(scaled));
}

std::string FormatRgb(unsigned char r, unsigned char g, unsigned char b) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02x%02x%02x", r, g, b);
    return buf;
}

std::optional<unsigned> ParseRgb(std::string_view text) {
    unsigned value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value > 0xffffff)
        return std::nullopt;
    return value;
}

} // namespace PropertyText
