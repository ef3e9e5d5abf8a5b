// Sound files: any bytes either decode or are refused with a reason.
#include <cstddef>
#include <cstdint>
#include <fstream>

#include <unistd.h>

#include "platform/AudioDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The decoder reads files by name: one scratch file per process, in the working folder.
    static const std::string path = "fuzz-sound-" + std::to_string(::getpid());
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    AudioDecoder::Decode(path);
    return 0;
}
