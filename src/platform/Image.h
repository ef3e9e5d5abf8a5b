#pragma once

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

// Decodes any image format stb_image reads (whatever the file's extension says). On failure returns
// an empty image and puts the reason in *error when given.
DecodedImage DecodeImageFile(const std::string& path, std::string* error = nullptr);

// Writes RGBA8 pixels (rows top to bottom) as a PNG file. Returns whether it was written.
bool WritePngFile(const std::string& path, int width, int height, const uint8_t* rgba);
