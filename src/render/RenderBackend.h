#pragma once

#include <cstdint>
#include <vector>

#include "assets/ImageDevice.h"
#include "core/Color.h"
#include "render/CameraConstants.h"
#include "render/Vertex.h"

class Texture;

// The device half of the renderer. The Renderer does the traversal, batching and chunking; the
// backend draws what it is given (OpenGL) or records it (headless). Calls come in the order of a
// frame: BeginFrame, then per pass SetCamera / BeginPass / PrepareIndices / DrawQuads, then
// EndFrame.
class RenderBackend : public ImageDevice {
public:
    ~RenderBackend() override = default;

    // Clears colour to `clear` and depth to 1, and sets the fixed state: blending by source alpha,
    // no culling, depth test less-or-equal with writes.
    virtual void BeginFrame(Color clear) = 0;
    virtual void SetCamera(const CameraConstants& camera) = 0;
    // pointFilter: nearest sampling for the pass, else linear with mipmaps.
    virtual void BeginPass(int passBit, bool pointFilter) = 0;
    // The shared index pattern must cover `quads` quads (b, b+1, b+2, b+1, b+3, b+2 per quad).
    virtual void PrepareIndices(int quads) = 0;
    // How many textures the pass's draws use, told before them. With one, every quad of the pass
    // lies in front of all drawn before it and behind all drawn after it: submission order alone
    // decides what covers what, and the depth buffer may be left out of the pass.
    virtual void PassTextureCount(int) {}
    // One indexed draw of vertexCount / 4 quads with the texture (nothing when it has no image).
    virtual void DrawQuads(const Texture* texture, const Vertex* vertices, int vertexCount) = 0;
    virtual void ClearDepth() = 0;
    // The texture that DrawLines samples.
    virtual void SetTexture(const Texture* texture) = 0;
    virtual void DrawLines(const Vertex* vertices, int vertexCount) = 0;
    // Copies the back buffer as RGBA8, rows top to bottom. False when there is nothing to read.
    virtual bool ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) = 0;
    // Shows the frame.
    virtual void EndFrame() = 0;
};
