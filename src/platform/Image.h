#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// An image decoded to 8-bit RGBA, rows top to bottom, no padding.
struct DecodedImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Pixels; // Width * Height * 4 bytes

    bool Empty() const { return Width <= 0 || Height <= 0; }
};

// What an image file may weigh and how large a picture it may hold: the largest shipped sheet is a
// 108 KB file of 2048 x 1024 pixels. A picture of the largest size decodes to 64 MB.
constexpr size_t MaxImageFileBytes = 16u << 20;
constexpr int MaxImageSide = 4096;

// Decodes any image format stb_image reads (whatever the file's extension says). On failure returns
// an empty image and puts the reason in *error when given: a file that is not a regular one, is
// larger than MaxImageFileBytes or holds a picture wider or taller than MaxImageSide is refused.
DecodedImage DecodeImageFile(const std::string& path, std::string* error = nullptr);

// Writes RGBA8 pixels (rows top to bottom) as a PNG file. Returns whether it was written.
bool WritePngFile(const std::string& path, int width, int height, const uint8_t* rgba);
