#include "platform/SaveFolder.h"

#include <cstdlib>
#include <string>

std::filesystem::path GetSaveFolder() {
    std::filesystem::path base;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg && std::filesystem::path(xdg).is_absolute()) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home ? home : "") / ".local" / "share";
    }
    return base / "Kelvane/";
}
