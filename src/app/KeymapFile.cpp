#include "app/KeymapFile.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "app/Settings.h"

namespace {

// Far beyond any keymap: a larger file is not one, and is not read into memory whole.
constexpr std::uintmax_t MaxKeymapBytes = 64 * 1024;

void WarnShippedKeys(const std::filesystem::path& path, const std::string& problem) {
    std::fprintf(stderr, "kelvane: %s: %s; using the shipped key bindings\n", path.c_str(), problem.c_str());
}

} // namespace

std::filesystem::path GetKeymapPath() {
    return GetSettingsPath().parent_path() / "keymap.json";
}

ActionMappings LoadKeymap(const std::filesystem::path& path, const ActionMappings& shipped) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return shipped;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > MaxKeymapBytes) {
        WarnShippedKeys(path, error ? "cannot read the file" : "too large for a keymap");
        return shipped;
    }
    std::ifstream in(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in && !in.eof()) {
        WarnShippedKeys(path, "cannot read the file");
        return shipped;
    }
    KeymapReading reading = ReadKeymap(text, shipped);
    if (!reading.Problem.empty()) {
        WarnShippedKeys(path, reading.Problem);
    } else if (!reading.Kept.empty()) {
        std::string names;
        for (Action action : reading.Kept) {
            names += (names.empty() ? "\"" : ", \"") + std::string(ActionName(action)) + "\"";
        }
        std::fprintf(stderr, "kelvane: %s: %s would leave no key to reach the menu; kept as shipped\n",
                     path.c_str(), names.c_str());
    }
    return std::move(reading.Mappings);
}

bool SaveKeymap(const ActionMappings& shipped, const ActionMappings& current,
                const std::filesystem::path& path) {
    return SaveConfigFile(KeymapText(shipped, current), path, "keymap");
}
