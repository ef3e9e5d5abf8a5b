// Atlas descriptors: any bytes either load or are refused with a ContentError.
#include <cstddef>
#include <cstdint>
#include <string>

#include "assets/Texture.h"
#include "core/ContentError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Texture texture;
    try {
        // The folder does not exist, so whatever imagePath says, no image file is ever opened.
        ReadAtlas(texture, std::string(reinterpret_cast<const char*>(data), size), "no-such-folder/Fuzz.xml");
    } catch (const ContentError&) {
    }
    return 0;
}
