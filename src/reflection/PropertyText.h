#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/DrawLayer.h"
#include "core/TextAlignment.h"

// The text forms of property values. Parsers are strict: the whole text must match, with no
// surrounding spaces; nullopt means "does not parse" and callers keep the old value.
namespace PropertyText {

// printf "%.9g"; infinities and NaN as inf, -inf, nan.
std::string FormatFloat(float value);
// Decimal floating point with optional sign, fraction and exponent; also inf, -inf, nan.
// Out-of-range magnitudes (overflow) do not parse.
std::optional<float> ParseFloat(std::string_view text);

std::string FormatInt(int value);
// Optional sign and decimal digits, within the range of int.
std::optional<int> ParseInt(std::string_view text);

std::string FormatBool(bool value);
// True exactly for "true", "1" and "t"; everything else is false.
bool ParseBool(std::string_view text);

// Newlines become backslash-n and back; nothing else is escaped.
std::string EscapeNewlines(std::string_view value);
std::string UnescapeNewlines(std::string_view text);

// Names of the enum values; "" for a value without a name.
const char* DrawLayerName(DrawLayer value);
std::optional<DrawLayer> ParseDrawLayer(std::string_view text);
const char* TextXAlignmentName(TextXAlignment value);
const char* TextYAlignmentName(TextYAlignment value);
// An unknown name gives Left / Top.
TextXAlignment ParseTextXAlignment(std::string_view text);
TextYAlignment ParseTextYAlignment(std::string_view text);

// A colour's alpha byte as the "A" sub-property: alpha / 255 printed as a float.
std::string FormatAlpha(unsigned char alpha);
// The integer part of f * 255, clamped to 0..255; NaN does not parse. The digits are summed in
// single precision, so 0.501960814 (a printed 128) gives 127.
std::optional<unsigned char> ParseAlpha(std::string_view text);

// Red, green, blue as six lower-case hexadecimal digits.
std::string FormatRgb(unsigned char r, unsigned char g, unsigned char b);
// One or more hexadecimal digits (either case) of a number below 2^24, as 0xRRGGBB.
std::optional<unsigned> ParseRgb(std::string_view text);

} // namespace PropertyText
