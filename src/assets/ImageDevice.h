#pragma once

#include <cstdint>
#include <memory>

class TextureImage;

// Where decoded images become device textures (with their full mip chain). The renderer publishes
// its backend as Service<ImageDevice> while the device exists; images loaded without one only
// record their size.
class ImageDevice {
public:
    virtual ~ImageDevice() = default;
    // rgba: width * height * 4 bytes, rows top to bottom.
    virtual std::unique_ptr<TextureImage> CreateImage(int width, int height, const uint8_t* rgba) = 0;
};
