#pragma once

#include <stdexcept>
#include <string>

namespace kelvane::assetwright {

// Every failure the tool reports: one line, printed by main, which then exits non-zero.
class ToolError : public std::runtime_error {
public:
    explicit ToolError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace kelvane::assetwright
