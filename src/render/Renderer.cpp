#include "render/Renderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "assets/Texture.h"
#include "assets/TextureManager.h"
#include "components/SpriteComponent.h"
#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "core/DrawLayer.h"
#include "core/GameObject.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "render/Camera2d.h"
#include "render/GraphicsManager.h"
#include "render/RenderBackend.h"

Renderer::Renderer(std::unique_ptr<RenderBackend> backend) : backend_(std::move(backend)) {}

Renderer::~Renderer() {
    Release();
}

void Renderer::CreateDevice() {
    Service<ImageDevice>::Set(backend_.get());
    deviceCreated_ = true;
}

void Renderer::Release() {
    QuadLists.clear();
    QuadLists.shrink_to_fit();
    PassTextures.clear();
    lastTexture_ = nullptr;
    lastSlot_ = -1;
    if (deviceCreated_ && Service<ImageDevice>::TryGet() == backend_.get()) {
        Service<ImageDevice>::Set(nullptr);
    }
    deviceCreated_ = false;
}

void Renderer::SetCamera(const Camera2d& camera, int32_t backBufferWidth, int32_t backBufferHeight) {
    CameraConstants constants;
    if (camera.Viewport.width == 0.0f) {
        constants.ViewportWidth = backBufferWidth;
        constants.ViewportHeight = backBufferHeight;
    } else {
        constants.ViewportX = static_cast<int>(camera.Viewport.x);
        constants.ViewportY = static_cast<int>(camera.Viewport.y);
        constants.ViewportWidth = static_cast<int>(camera.Viewport.width);
        constants.ViewportHeight = static_cast<int>(camera.Viewport.height);
    }
    const float sx = 2.0f / camera.Size.x;
    const float sy = 2.0f / camera.Size.y;
    const float a = -camera.Rotation;
    const float c = std::cos(a);
    const float s = std::sin(a);
    constants.Row0[0] = c * sx;
    constants.Row0[1] = -s * sx;
    constants.Row1[0] = s * sy;
    constants.Row1[1] = c * sy;
    // No half-pixel shift: OpenGL samples pixel centres at half-integers already, so sprites at
    // whole pixels are texel-exact without it.
    constants.Pos[0] = camera.Position.x;
    constants.Pos[1] = camera.Position.y;
    FlipX = camera.Size.x < 0;
    FlipY = camera.Size.y < 0;
    backend_->SetCamera(constants);
}

int Renderer::SlotOf(const Texture* texture) {
    if (texture == lastTexture_) {
        return lastSlot_;
    }
    int slot = 0;
    const int count = static_cast<int>(PassTextures.size());
    while (slot < count && PassTextures[static_cast<size_t>(slot)] != texture) {
        ++slot;
    }
    if (slot == count) {
        PassTextures.push_back(texture);
        if (QuadLists.size() <= static_cast<size_t>(slot)) {
            QuadLists.resize(static_cast<size_t>(slot) + 1);
        }
    }
    lastTexture_ = texture;
    lastSlot_ = slot;
    return slot;
}

void Renderer::AddQuad(const Texture* texture, const Rect& uv, float rotation, Color tint, Vector2 size,
                       Vector2 offset, Vector2 position) {
    std::vector<Vertex>& list = QuadLists[static_cast<size_t>(SlotOf(texture))];
    float sx = FlipX ? -size.x : size.x;
    float sy = FlipY ? -size.y : size.y;
    const float hx = sx / 2;
    const float hy = sy / 2;
    const float x0 = -hx - offset.x;
    const float x1 = hx - offset.x;
    const float y1 = hy - offset.y;
    const float y0 = -hy - offset.y;
    if (rotation != lastRotation_) {
        lastRotation_ = rotation;
        lastCos_ = std::cos(rotation);
        lastSin_ = std::sin(rotation);
    }
    const float c = lastCos_;
    const float s = lastSin_;
    const uint32_t argb = tint.ToArgb();
    const float z = Depth;
    const size_t at = list.size();
    list.resize(at + 4);
    Vertex* v = list.data() + at;
    v[0] = {position.x + x0 * c - y1 * s, position.y + x0 * s + y1 * c, z, 1.0f, argb, uv.x, uv.y};
    v[1] = {position.x + x1 * c - y1 * s, position.y + x1 * s + y1 * c, z, 1.0f, argb, uv.x + uv.width, uv.y};
    v[2] = {
        position.x + x0 * c - y0 * s, position.y + x0 * s + y0 * c, z, 1.0f, argb, uv.x, uv.y + uv.height};
    v[3] = {position.x + x1 * c - y0 * s,
            position.y + x1 * s + y0 * c,
            z,
            1.0f,
            argb,
            uv.x + uv.width,
            uv.y + uv.height};
}

void Renderer::BeginPassBatches() {
    PassTextures.clear();
    for (std::vector<Vertex>& list : QuadLists) {
        list.clear();
    }
    lastTexture_ = nullptr;
    lastSlot_ = -1;
}

void Renderer::FlushPass() {
    size_t largest = 0;
    for (size_t k = 0; k < PassTextures.size(); ++k) {
        largest = std::max(largest, QuadLists[k].size());
    }
    const int quads = static_cast<int>(std::min<size_t>(MaxQuadsPerDraw, largest / 4));
    backend_->PrepareIndices(quads);
    constexpr size_t chunk = 4 * static_cast<size_t>(MaxQuadsPerDraw);
    for (size_t k = 0; k < PassTextures.size(); ++k) {
        const std::vector<Vertex>& list = QuadLists[k];
        const size_t n = list.size();
        for (size_t j = 0; j <= n / chunk; ++j) {
            const size_t count = (j == n / chunk) ? n - j * chunk : chunk;
            if (count == 0) {
                continue;
            }
            backend_->DrawQuads(PassTextures[k], list.data() + j * chunk, static_cast<int>(count));
        }
    }
}

void Renderer::DrawTree(GameObject& object, int passBit, Color tint, Vector2 position) {
    if (!object.DrawEnabled) {
        return;
    }
    const SpriteComponent* sprite = object.Sprite();
    const bool drawSprite = sprite && sprite->GetTexture() && (static_cast<int>(sprite->Layer) & passBit);
    const TextComponent* text = object.Text();
    const bool drawText = text && text->Font && (static_cast<int>(text->Layer) & passBit);
    // A leaf that draws nothing in this pass only takes its depth step: most objects of most passes
    // are such leaves, and skipping their position and tint saves touching their components.
    if (!drawSprite && !drawText && object.Children.empty()) {
        Depth -= DepthStep;
        if (Depth < 0.0f) {
            Depth = 0.0f;
        }
        return;
    }
    Vector2 p;
    float rotation = 0.0f;
    Vector2 handed = position;
    if (const Pos2dComponent* pos = object.Pos2d()) {
        rotation = pos->Rotation;
        if (pos->IsRelative) {
            p = position + pos->Pos;
            handed = p;
        } else {
            p = pos->Pos;
        }
    } else if (const Component* body = object.GetSlot(ShortcutSlot::Body)) {
        // The body's angle needs a hook on Component beside BodyPosition; until then bodies draw unrotated.
        p = body->BodyPosition();
    }
    if (const TintComponent* t = object.Tint()) {
        tint = tint * t->Tint;
    }
    if (drawSprite) {
        AddQuad(sprite->GetTexture(), sprite->UvRect, rotation, tint, sprite->QuadSize(),
                sprite->QuadOffset(), p);
    }
    if (drawText) {
        const float h = text->BreakLines(textLines_.Lines);
        text->EmitGlyphQuads(textLines_.Lines, h, FlipX, FlipY,
                             [&](const Texture* page, const Rect& uv, Vector2 size, Vector2 offset) {
                                 AddQuad(page, uv, rotation, tint, size, offset, p);
                             });
    }
    Depth -= DepthStep;
    if (Depth < 0.0f) {
        Depth = 0.0f;
    }
    for (size_t i = 0; i < object.Children.size(); ++i) {
        DrawTree(*object.Children[i], passBit, tint, handed);
    }
}

void Renderer::DrawLineStrip(const Vector2* points, int count, Color color, bool closed) {
    float u = 0.0f;
    float v = 0.0f;
    if (const TextureManager* textures = Service<TextureManager>::TryGet()) {
        if (const Texture* editor = textures->FindTexture("Editor")) {
            if (auto it = editor->SpriteIndex.find("1PixelWhite"); it != editor->SpriteIndex.end()) {
                const Rect& r = editor->UvRects[static_cast<size_t>(it->second)];
                u = r.x + r.width / 2;
                v = r.y + r.height / 2;
            }
        }
    }
    Vertex vertices[100];
    const int n = std::min(count, 99);
    const uint32_t argb = color.ToArgb();
    for (int i = 0; i < n; ++i) {
        vertices[i] = {points[i].x, points[i].y, 1.0f, 1.0f, argb, u, v};
    }
    int total = n;
    if (closed && n > 0) {
        vertices[total++] = vertices[0];
    }
    if (total >= 2) {
        backend_->DrawLines(vertices, total);
    }
}

void Renderer::RenderFrame(GameObject* root, const GraphicsManager& graphics) {
    backend_->BeginFrame(graphics.ClearColor);
    Depth = 1.0f;
    for (int pass = 0; pass < DrawLayerCount; ++pass) {
        const int bit = 1 << pass;
        if (pass == 0) {
            SetCamera(graphics.WorldCamera, graphics.Width, graphics.Height);
        } else if (pass == 1) {
            SetCamera(graphics.ScreenCamera, graphics.Width, graphics.Height);
        }
        // Odd passes ("Ui", "EditorText", "EditorText2") hold pixel art and text: point sampling.
        backend_->BeginPass(bit, pass % 2 == 1);
        BeginPassBatches();
        if (root) {
            DrawTree(*root, bit);
        }
        FlushPass();
        if (pass == 0 && graphics.ShowPhysics && PhysicsOverlay) {
            backend_->ClearDepth();
            const TextureManager* textures = Service<TextureManager>::TryGet();
            backend_->SetTexture(textures ? textures->FindTexture("Editor") : nullptr);
            PhysicsOverlay(*this);
        }
    }
    if (captureNext_) {
        captureNext_ = false;
        LastCapture = DecodedImage{};
        if (!backend_->ReadBackBuffer(LastCapture.Pixels, LastCapture.Width, LastCapture.Height)) {
            LastCapture = DecodedImage{};
        }
    }
    backend_->EndFrame();
    backend_->SetTexture(nullptr);
}
