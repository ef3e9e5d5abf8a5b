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
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"

DecodedImage DecodeImageFile(const std::string& path, std::string* error) {
    DecodedImage image;
    int channels = 0;
    // Read here rather than by the decoder, so that a named pipe or a device in place of the file is
    // refused instead of blocking or reading for ever.
    std::vector<uint8_t> file;
    std::string fault;
    stbi_uc* data = nullptr;
    const ReadStatus status = ReadWholeFile(path, MaxImageFileBytes, file, fault);
    int width = 0;
    int height = 0;
    if (status == ReadStatus::Missing) {
        fault = "no such file";
    } else if (status == ReadStatus::Read &&
               // The size is known before anything is decoded: a small file may claim a huge picture.
               stbi_info_from_memory(file.data(), static_cast<int>(file.size()), &width, &height,
                                     &channels) &&
               (width > MaxImageSide || height > MaxImageSide)) {
        fault = "too large: an image of " + std::to_string(width) + " x " + std::to_string(height) +
                " pixels, over the " + std::to_string(MaxImageSide) + " x " + std::to_string(MaxImageSide) +
                " allowed";
    } else if (status == ReadStatus::Read) {
        data = stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &image.Width, &image.Height,
                                     &channels, 4);
    }
    if (!data) {
        if (error) {
            const char* reason = fault.empty() ? stbi_failure_reason() : fault.c_str();
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
    std::vector<uint8_t> png;
    auto append = [](void* context, void* data, int size) {
        auto* bytes = static_cast<std::vector<uint8_t>*>(context);
        bytes->insert(bytes->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
    };
    if (stbi_write_png_to_func(append, &png, width, height, 4, rgba, width * 4) == 0) {
        return false;
    }
    std::string fault;
    return WriteFileAtomically(path, png, fault, AtomicFileOptions{.CreateFolder = false});
}
