#pragma once

#include <array>
#include <string>
#include <string_view>

// Writes "<before><a><between><b><after>" into a text, in plain decimal, only when a or b differ
// from what it wrote last: readouts are redrawn every frame but their numbers rarely change, and
// rewriting the text into its own storage keeps a steady frame free of allocations.
class CachedNumberText {
public:
    // True when it wrote the text.
    bool Write(std::string& text, std::string_view before, int a, std::string_view between, int b,
               std::string_view after);
    bool Write(std::string& text, std::string_view before, int a) {
        return Write(text, before, a, {}, kNone, {});
    }

    // Passed as b when the text carries one number only.
    static constexpr int kNone = -2147483647 - 1;

private:
    bool valid_ = false;
    int a_ = 0;
    int b_ = 0;
    const std::string* target_ = nullptr;
};
