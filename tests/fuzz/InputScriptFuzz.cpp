// Input scripts: any bytes either parse or are refused with an InputScriptError.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "input/InputScript.h"
#include "input/InputScriptError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    try {
        InputScript::Parse(text, "fuzz.script");
    } catch (const InputScriptError&) {
    }
    return 0;
}
