// Slot files: any bytes are either refused with a fault or read into a saved game that writes back
// to exactly the same bytes.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "saves/SaveFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    SavedGame game;
    std::string fault;
    if (!DecodeSavedGame(bytes, game, fault)) {
        if (fault.empty()) {
            __builtin_trap(); // a refusal always says why
        }
        return 0;
    }
    const std::vector<uint8_t> again = EncodeSavedGame(game);
    if (again.size() != size || !std::equal(again.begin(), again.end(), data)) {
        __builtin_trap();
    }
    return 0;
}
