#include "platform/Image.h"

// Private copies of the decoders: static linkage keeps them from clashing with tools that embed stb too.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_FAILURE_USERMSG
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#endif
#include <stb_image.h>
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

#include <cstring>

DecodedImage DecodeImageFile(const std::string& path, std::string* error) {
    DecodedImage image;
    int channels = 0;
    stbi_uc* data = stbi_load(path.c_str(), &image.Width, &image.Height, &channels, 4);
    if (!data) {
        if (error) {
            const char* reason = stbi_failure_reason();
            *error = reason ? reason : "cannot decode";
        }
        image.Width = image.Height = 0;
        return image;
    }
    const size_t bytes = static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height) * 4;
    image.Pixels.resize(bytes);
    std::memcpy(image.Pixels.data(), data, bytes);
    stbi_image_free(data);
    return image;
}

bool WritePngFile(const std::string& path, int width, int height, const uint8_t* rgba) {
    return stbi_write_png(path.c_str(), width, height, 4, rgba, width * 4) != 0;
}
