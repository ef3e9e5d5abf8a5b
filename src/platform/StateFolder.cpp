#include "platform/StateFolder.h"

#include <cstdlib>

std::filesystem::path GetStateFolder() {
    std::filesystem::path base;
    const char* xdg = std::getenv("XDG_STATE_HOME");
    if (xdg && *xdg && std::filesystem::path(xdg).is_absolute()) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home ? home : "") / ".local" / "state";
    }
    return base / "Kelvane/";
}
