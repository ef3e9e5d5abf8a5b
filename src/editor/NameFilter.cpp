#include "editor/NameFilter.h"

#include <algorithm>
#include <cctype>

bool PassesNameFilter(std::string_view name, std::string_view filter) {
    if (filter.empty()) {
        return true;
    }
    const auto lower = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    return std::search(name.begin(), name.end(), filter.begin(), filter.end(), lower) != name.end();
}
