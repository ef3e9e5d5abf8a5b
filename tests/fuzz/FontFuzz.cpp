// Bitmap font descriptors: any bytes either load or are refused with a ContentError.
#include <cstddef>
#include <cstdint>
#include <string>

#include "assets/BitmapFont.h"
#include "core/ContentError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        // The folder does not exist, so whatever the page file says, no image file is ever opened.
        ReadBitmapFont(std::string(reinterpret_cast<const char*>(data), size), "no-such-folder/Fuzz.fnt");
    } catch (const ContentError&) {
    }
    return 0;
}
