#pragma once

#include <cstdint>
#include <memory>

#include "render/RenderBackend.h"

class Window;

// Draws through OpenGL 3.3 core on the window's current context: one shader pair, a 1 MiB vertex
// buffer rewritten at offset 0 for every chunk, a shared 16-bit index buffer, and two samplers
// (linear with mipmaps, nearest) switched per pass, each with a twin without mipmaps for draws that
// minify nothing. Frames are drawn into an offscreen buffer of the
// back-buffer size and shown scaled to the window (Letterbox), unless the window shows them at
// factor 1: then they are drawn in place in the window's own back buffer.
class GlBackend final : public RenderBackend {
public:
    GlBackend(Window& window, int backBufferWidth, int backBufferHeight);
    ~GlBackend() override;
    GlBackend(const GlBackend&) = delete;
    GlBackend& operator=(const GlBackend&) = delete;

    std::unique_ptr<TextureImage> CreateImage(int width, int height, const uint8_t* rgba) override;
    void BeginFrame(Color clear) override;
    void SetCamera(const CameraConstants& camera) override;
    void BeginPass(int passBit, bool pointFilter) override;
    void PrepareIndices(int quads) override;
    void PassTextureCount(int textures) override;
    void DrawQuads(const Texture* texture, const Vertex* vertices, int vertexCount) override;
    void ClearDepth() override;
    void SetTexture(const Texture* texture) override;
    void DrawLines(const Vertex* vertices, int vertexCount) override;
    bool ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) override;
    void EndFrame() override;

private:
    void SetBlending(bool on);
    void SetDepthTest(bool on);

    Window& window_;
    int width_;
    int height_;
    uint32_t program_ = 0;
    uint32_t vertexArray_ = 0;
    uint32_t vertexBuffer_ = 0;
    uint32_t indexBuffer_ = 0;
    uint32_t linearSampler_ = 0;
    uint32_t pointSampler_ = 0;
    // The same filters without mipmaps, for draws in which no texture is minified.
    uint32_t linearLevel0Sampler_ = 0;
    uint32_t pointLevel0Sampler_ = 0;
    uint32_t boundSampler_ = 0;
    bool pointFilter_ = false;
    // The current camera: window pixels per layer unit, by rows, and whether it is unturned.
    float pixelRow0_[2] = {1.0f, 0.0f};
    float pixelRow1_[2] = {0.0f, 1.0f};
    bool axisAligned_ = true;
    bool blending_ = true;
    bool depthTest_ = true;
    int uniformRow0_ = -1;
    int uniformRow1_ = -1;
    int uniformPos_ = -1;
    int indexQuadsUploaded_ = 0;
    uint32_t boundTexture_ = 0;
    uint32_t frameBuffer_ = 0;
    uint32_t colourBuffer_ = 0;
    uint32_t depthBuffer_ = 0;
    // This frame is drawn in the window's back buffer, with its bottom-left pixel at the origin.
    bool direct_ = false;
    int originX_ = 0;
    int originY_ = 0;
};
