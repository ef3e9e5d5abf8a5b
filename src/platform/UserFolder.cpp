#include "platform/UserFolder.h"

#include <cstdlib>

std::filesystem::path UserFolder(const char* variable, const std::filesystem::path& fallback) {
    const char* named = std::getenv(variable);
    if (named && *named && std::filesystem::path(named).is_absolute()) {
        return named;
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : "") / fallback;
}
