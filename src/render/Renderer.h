#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/Color.h"
#include "core/Rect.h"
#include "core/Service.h"
#include "core/Vector2.h"
#include "platform/Image.h"
#include "render/TextLayoutBuffer.h"
#include "render/Vertex.h"
#include "render/VertexList.h"

class Camera2d;
class GameObject;
class GraphicsManager;
class ImageDevice;
class RenderBackend;
class SpriteComponent;
class TextComponent;
class Texture;

// Draws the object tree as textured, tinted, rotated quads over six layer passes. Quads are batched
// per texture and never sorted: every visited object gets a slightly smaller depth than the one
// before, in every pass, so later objects in tree order cover earlier ones whatever texture they use.
// The tree is walked once per frame: the World pass is filled during the walk, and what the later
// passes draw is noted on the way and replayed with the depth each object would get in its pass.
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
    // Runs the draw traversal of one pass from object with the inherited tint and position, starting
    // at the current Depth.
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

    std::vector<VertexList> QuadLists;        // one per batch slot; emptied, never freed, between passes
    std::vector<const Texture*> PassTextures; // textures of the pass in order of first use = slot
    float Depth = 1.0f;
    bool FlipX = false;
    bool FlipY = false;

private:
    // Cosine and sine of an object's rotation.
    struct Turn {
        float cosine = 1.0f;
        float sine = 0.0f;
    };

    // An object that draws in a pass after the one being filled by the walk: what it draws there,
    // with the position, turn and tint the walk worked out, and its place in visiting order.
    struct LaterDraw {
        const SpriteComponent* sprite; // null when the sprite draws in no later pass
        const TextComponent* text;     // likewise
        int spriteLayers;
        int textLayers;
        uint32_t visit;
        Turn turn;
        Vector2 position;
        Color tint;
    };

    // The batch slot of the texture, added to the pass on first use.
    int SlotOf(const Texture* texture) { return texture == lastTexture_ ? lastSlot_ : FindSlot(texture); }
    int FindSlot(const Texture* texture);
    // The walk: quads for drawBit_ go straight into the batches, later passes in laterBits_ are noted.
    void Walk(const GameObject& object, Color tint, Vector2 position);
    void WalkChildren(const GameObject& parent, Color tint, Vector2 position);
    // Draws or notes one object and takes its depth step. Returns whether its children are to be
    // visited, with the tint and position they inherit in tint and handed.
    bool VisitObject(const GameObject& object, Color& tint, Vector2 position, Vector2& handed);
    // Room for one quad in the texture's batch.
    Vertex* QuadRoom(const Texture* texture);
    void PushQuad(const Texture* texture, const Rect& uv, Turn turn, Color tint, Vector2 size, Vector2 offset,
                  Vector2 position);
    void DrawSprite(const SpriteComponent& sprite, Turn turn, Color tint, Vector2 position);
    void DrawText(const TextComponent& text, Turn turn, Color tint, Vector2 position);
    void StepDepth() {
        Depth -= DepthStep;
        if (Depth < 0.0f) {
            Depth = 0.0f;
        }
    }
    // Depth after `steps` decrements from 1, exactly as the running counter would have it.
    float DepthAfter(size_t steps);

    std::unique_ptr<RenderBackend> backend_;
    // Publishes the backend as the image device from CreateDevice until Release.
    std::optional<Service<ImageDevice>::Scoped> device_;
    bool captureNext_ = false;
    // The slot of the last texture used: sprites of one atlas come in runs.
    const Texture* lastTexture_ = nullptr;
    int lastSlot_ = -1;
    // Keeps halfFlip_ in step with FlipX and FlipY.
    void FlipChanged();
    // (+-0.5, +-0.5): half a quad's size, negative along a flipped camera axis.
    Vector2 halfFlip_{0.5f, 0.5f};
    TextLayoutBuffer textLines_;
    // The pixel grid of the current camera, in layer units, per axis: grid lines at origin + k / scale.
    // Valid only while the camera is unturned.
    struct PixelGrid {
        Vector2 origin;
        Vector2 scale; // pixels per unit
        Vector2 unit;  // units per pixel
    };
    bool pixelGrid_ = false;
    PixelGrid grid_;
    // Whether the pass being drawn puts glyph quads on whole pixels (its point sampling needs them).
    bool snapText_ = false;
    int drawBit_ = 0;
    int laterBits_ = 0;
    uint32_t visits_ = 0;
    std::vector<LaterDraw> laterDraws_;
    // depthSteps_[n] is the depth after n steps from 1; it ends at the first 0 (the floor).
    std::vector<float> depthSteps_;
};
