#include "app/KeymapFile.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "app/Settings.h"
#include "platform/RegularFile.h"

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
    // Only a regular file is read, whatever stands in its place (a pipe, a folder, a link to itself).
    std::string text;
    std::string fault;
    switch (ReadWholeFile(path, MaxKeymapBytes, text, fault)) {
    case ReadStatus::Missing:
        return shipped;
    case ReadStatus::Failed:
        WarnShippedKeys(path, fault);
        return shipped;
    case ReadStatus::Read:
        break;
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
