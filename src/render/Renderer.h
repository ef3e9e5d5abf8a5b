#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/Color.h"
#include "core/Rect.h"
#include "core/Vector2.h"
#include "platform/Image.h"
#include "render/TextLayoutBuffer.h"
#include "render/Vertex.h"

class Camera2d;
class GameObject;
class GraphicsManager;
class RenderBackend;
class Texture;

// Draws the object tree as textured, tinted, rotated quads over six layer passes. Quads are batched
// per texture and never sorted: every visited object gets a slightly smaller depth than the one
// before, so later objects in tree order cover earlier ones whatever texture they use.
// Main thread only.
class Renderer {
public:
    // Quads whose vertices fit the 1 MiB vertex buffer: 9362 * 4 * 28 = 1,048,544 bytes.
    static constexpr int MaxQuadsPerDraw = 9362;
    static constexpr float DepthStep = 0.000001f;

    explicit Renderer(std::unique_ptr<RenderBackend> backend);
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Publishes the backend as the image device, so textures loaded from now on live on it.
    void CreateDevice();
    // Frees the vertex lists and withdraws the image device. Textures must be gone by now.
    void Release();

    // Clears, draws the six layers from root with the manager's cameras, and presents.
    void RenderFrame(GameObject* root, const GraphicsManager& graphics);

    // Viewport and shader constants from a camera; sets FlipX / FlipY from its size.
    void SetCamera(const Camera2d& camera, int32_t backBufferWidth, int32_t backBufferHeight);
    // Appends one quad to the current pass, in the batch of its texture.
    void AddQuad(const Texture* texture, const Rect& uv, float rotation, Color tint, Vector2 size,
                 Vector2 offset, Vector2 position);
    // Draws the pass's batches, one texture at a time, MaxQuadsPerDraw quads per call.
    void FlushPass();
    // Runs the draw traversal of one pass from object with the inherited tint and position.
    void DrawTree(GameObject& object, int passBit, Color tint = Color::White(), Vector2 position = {});
    // An immediate line strip (at most 99 points, plus the closing one) with the 1-pixel white
    // sprite of the "Editor" texture, under the camera in force.
    void DrawLineStrip(const Vector2* points, int count, Color color, bool closed);
    // Empties the batches for a new pass.
    void BeginPassBatches();

    // Called between the World and Ui passes when the manager's ShowPhysics is set, after the depth
    // buffer was cleared and the "Editor" texture set; the physics overlay draws through it.
    std::function<void(Renderer&)> PhysicsOverlay;

    // The next RenderFrame copies its back buffer into LastCapture before presenting.
    void RequestCapture() { captureNext_ = true; }
    DecodedImage LastCapture;

    RenderBackend& Backend() { return *backend_; }

    std::vector<std::vector<Vertex>> QuadLists; // one per batch slot; emptied, never freed, between passes
    std::vector<const Texture*> PassTextures;   // textures of the pass in order of first use = slot
    float Depth = 1.0f;
    bool FlipX = false;
    bool FlipY = false;

private:
    int SlotOf(const Texture* texture);

    std::unique_ptr<RenderBackend> backend_;
    bool deviceCreated_ = false;
    bool captureNext_ = false;
    // The slot of the last texture used: sprites of one atlas come in runs.
    const Texture* lastTexture_ = nullptr;
    int lastSlot_ = -1;
    // cos and sin of the last rotation: most quads share one.
    float lastRotation_ = 0.0f;
    float lastCos_ = 1.0f;
    float lastSin_ = 0.0f;
    TextLayoutBuffer textLines_;
};
