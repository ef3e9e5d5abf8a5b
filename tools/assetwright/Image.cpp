#include "Image.h"

#include "AtomicFile.h"
#include "ToolError.h"

#include <stb_image.h>
#include <stb_image_write.h>

#include <fstream>
#include <iterator>

namespace kelvane::assetwright {

Image loadPng(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw ToolError("cannot open image '" + path.string() + "'");
    }
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int w = 0;
    int h = 0;
    int channels = 0;
    unsigned char* data =
        stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &w, &h, &channels, 4);
    if (data == nullptr) {
        throw ToolError("cannot read image '" + path.string() + "': " + stbi_failure_reason());
    }
    Image image(w, h);
    std::copy(data, data + static_cast<std::size_t>(w) * h * 4, image.pixels.begin());
    stbi_image_free(data);
    return image;
}

namespace {
void appendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}
} // namespace

std::vector<std::uint8_t> encodePng(const Image& image) {
    std::vector<std::uint8_t> out;
    if (stbi_write_png_to_func(appendBytes, &out, image.width, image.height, 4, image.pixels.data(),
                               image.width * 4) == 0) {
        throw ToolError("cannot encode a " + std::to_string(image.width) + "x" +
                        std::to_string(image.height) + " PNG");
    }
    return out;
}

void savePng(const Image& image, const std::filesystem::path& path) {
    writeFileAtomically(path, encodePng(image));
}

} // namespace kelvane::assetwright
