#pragma once

#include <cerrno>
#include <cstring>
#include <string>

// "what: <the system's words for errno>", read right after the call that failed.
inline std::string SystemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}
