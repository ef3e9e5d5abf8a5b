#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Bytes as text of one word (RFC 4648 base64, padded), for files carried inside a recording.
void AppendBase64(std::string& out, std::span<const uint8_t> bytes);
// The bytes of a padded base64 word; empty when the text is not one.
std::optional<std::vector<uint8_t>> DecodeBase64(std::string_view text);
