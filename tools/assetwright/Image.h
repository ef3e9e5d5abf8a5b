#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace kelvane::assetwright {

// An 8-bit RGBA image, rows top to bottom, no padding between rows.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    Image() = default;
    Image(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h * 4, 0) {}

    std::uint8_t* at(int x, int y) { return &pixels[(static_cast<std::size_t>(y) * width + x) * 4]; }
    const std::uint8_t* at(int x, int y) const {
        return &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
    }
};

// Reads any PNG as RGBA; throws ToolError naming the file when it is missing or not a readable PNG.
Image loadPng(const std::filesystem::path& path);

// Encodes to PNG bytes. Same image, same bytes: the encoder has no time stamps or random state.
std::vector<std::uint8_t> encodePng(const Image& image);

// Encodes and writes through a temporary file, so a failed run never leaves a half-written image.
void savePng(const Image& image, const std::filesystem::path& path);

} // namespace kelvane::assetwright
