#pragma once

// A texture's pixels as the graphics device holds them. The renderer's backend makes them; without
// a device (tools, tests without a renderer) a plain record of the size stands in.
class TextureImage {
public:
    TextureImage(int width, int height) : Width(width), Height(height) {}
    virtual ~TextureImage() = default;
    TextureImage(const TextureImage&) = delete;
    TextureImage& operator=(const TextureImage&) = delete;

    int Width;
    int Height;
};
