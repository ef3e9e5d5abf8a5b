#include "core/Handle.h"

#include <unordered_map>

namespace {

// Only what some handle points to is here, and only until it is deleted.
std::unordered_map<const void*, std::shared_ptr<bool>>& Flags() {
    static std::unordered_map<const void*, std::shared_ptr<bool>> flags;
    return flags;
}

} // namespace

namespace handles {

std::shared_ptr<bool> FlagOf(const void* target) {
    std::shared_ptr<bool>& flag = Flags()[target];
    if (!flag) {
        flag = std::make_shared<bool>(true);
    }
    return flag;
}

void Expire(const void* target) {
    auto& flags = Flags();
    if (flags.empty()) {
        return;
    }
    if (const auto it = flags.find(target); it != flags.end()) {
        *it->second = false;
        flags.erase(it);
    }
}

} // namespace handles
