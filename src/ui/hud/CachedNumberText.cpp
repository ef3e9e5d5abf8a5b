#include "ui/hud/CachedNumberText.h"

#include <algorithm>
#include <charconv>

bool CachedNumberText::Write(std::string& text, std::string_view before, int a, std::string_view between,
                             int b, std::string_view after) {
    if (valid_ && target_ == &text && a == a_ && b == b_) {
        return false;
    }
    std::array<char, 256> buffer{};
    char* end = buffer.data() + buffer.size();
    char* p = buffer.data();
    auto put = [&](std::string_view s) {
        const size_t n = std::min(s.size(), static_cast<size_t>(end - p));
        p = std::copy_n(s.data(), n, p);
    };
    auto number = [&](int value) {
        p = std::to_chars(p, end, value).ptr;
    };
    put(before);
    number(a);
    if (b != kNone) {
        put(between);
        number(b);
    }
    put(after);
    text.assign(buffer.data(), static_cast<size_t>(p - buffer.data()));
    valid_ = true;
    target_ = &text;
    a_ = a;
    b_ = b;
    return true;
}
