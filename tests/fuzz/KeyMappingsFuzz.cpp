// Key-mappings files: any bytes either bind keys or are refused with a ContentError.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/ContentError.h"
#include "input/InputManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InputManager input;
    try {
        input.ReadMappings(std::string(reinterpret_cast<const char*>(data), size), "KeyMappings.json");
    } catch (const ContentError&) {
    }
    return 0;
}
