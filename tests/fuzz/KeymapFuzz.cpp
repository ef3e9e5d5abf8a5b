// The player's keymap over the shipped mappings: any bytes either give the shipped mappings with a
// reason, or mappings that keep the menu reachable and write back to a file that reads the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "input/InputManager.h"
#include "input/Keymap.h"

namespace {

ActionMappings LoadShipped() {
    InputManager input;
    input.LoadMappings(KELVANE_SOURCE_DIR "/content/Config/KeyMappings.json");
    return input.Mappings;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ActionMappings shipped = LoadShipped();
    const KeymapReading read = ReadKeymap(std::string(reinterpret_cast<const char*>(data), size), shipped);
    if (!read.Problem.empty()) {
        if (read.Mappings != shipped) {
            __builtin_trap();
        }
        return 0;
    }
    for (int action = 0; action < ActionCount; ++action) {
        if (IsMenuLifeline(static_cast<Action>(action)) &&
            !HasKeyboardKey(read.Mappings, static_cast<Action>(action))) {
            __builtin_trap();
        }
    }
    const KeymapReading again = ReadKeymap(KeymapText(shipped, read.Mappings), shipped);
    if (!again.Problem.empty() || again.Mappings != read.Mappings) {
        __builtin_trap();
    }
    return 0;
}
