#include "render/Renderer.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "assets/Texture.h"
#include "assets/TextureManager.h"
#include "components/SpriteComponent.h"
#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "core/Camera2d.h"
#include "core/DrawLayer.h"
#include "core/GameObject.h"
#include "core/GraphicsManager.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "core/SinCos.h"
#include "render/RenderBackend.h"

Renderer::Renderer(std::unique_ptr<RenderBackend> backend) : backend_(std::move(backend)) {}

Renderer::~Renderer() {
    Release();
}

void Renderer::CreateDevice() {
    device_.emplace(*backend_);
}

void Renderer::Release() {
    QuadLists.clear();
    QuadLists.shrink_to_fit();
    PassTextures.clear();
    lastTexture_ = nullptr;
    lastSlot_ = -1;
    device_.reset();
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
    FlipChanged();
    const Vector2 extent{std::fabs(camera.Size.x), std::fabs(camera.Size.y)};
    pixelGrid_ = camera.Rotation == 0.0f && extent.x > 0.0f && extent.y > 0.0f &&
                 constants.ViewportWidth > 0 && constants.ViewportHeight > 0;
    if (pixelGrid_) {
        grid_.origin = {camera.Position.x - extent.x / 2, camera.Position.y - extent.y / 2};
        grid_.scale = {static_cast<float>(constants.ViewportWidth) / extent.x,
                       static_cast<float>(constants.ViewportHeight) / extent.y};
        grid_.unit = {extent.x / static_cast<float>(constants.ViewportWidth),
                      extent.y / static_cast<float>(constants.ViewportHeight)};
    }
    backend_->SetCamera(constants);
}

int Renderer::FindSlot(const Texture* texture) {
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

namespace {

#if defined(__SSE2__)
// A quad's corners relative to its anchor, before turning: (x0, y0, x1, y1).
using Corners = __m128;
// Two floats (x, y) in the low lanes.
using Pair = __m128;

inline Pair PairOf(const Vector2& v) {
    return _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(&v));
}

// Corners of a quad of `size` whose centre lies `offset` from the anchor; halfFlip is
// (+-0.5, +-0.5): a flipped camera axis mirrors the quad about its centre.
inline Corners CornersOf(Pair size, Pair offset, Pair halfFlip) {
    const __m128 h = _mm_mul_ps(size, halfFlip);
    const __m128 negateLow = _mm_castsi128_ps(_mm_setr_epi32(INT32_MIN, INT32_MIN, 0, 0));
    return _mm_sub_ps(_mm_xor_ps(_mm_movelh_ps(h, h), negateLow), _mm_movelh_ps(offset, offset));
}

// The sprite's QuadSize and QuadOffset worked out side by side, in the same order of operations.
inline Corners SpriteCorners(const SpriteComponent& sprite, Pair halfFlip) {
    const __m128 size = PairOf(sprite.Size);
    const __m128 trim = _mm_loadu_ps(&sprite.TrimRect.x);
    const __m128 half = _mm_set1_ps(0.5f);
    const __m128 quadSize = _mm_mul_ps(size, _mm_movehl_ps(trim, trim));
    const __m128 offset = _mm_add_ps(
        _mm_sub_ps(_mm_add_ps(_mm_mul_ps(trim, size), _mm_mul_ps(quadSize, half)), _mm_mul_ps(size, half)),
        PairOf(sprite.Origin));
    return CornersOf(quadSize, offset, halfFlip);
}

// Appends one quad: corners (x0, y1), (x1, y1), (x0, y0), (x1, y0), turned by the angle whose cosine
// and sine are c and s, moved to p, with depth z, colour and the uv rectangle. Each vertex is two
// 16-byte stores, (x, y, z, 1) and (colour, u, v, -), the fourth float overwritten by the next store;
// the last one's lands in the list's slack.
inline void WriteQuad(Vertex* v, Corners corners, float c, float s, Vector2 p, float z, uint32_t argb,
                      const Rect& uv) {
    // Vertex (x, y) is p + x (c, s) + y (-s, c): the x terms of both columns in one register, the y
    // terms of both rows in another, then a row of y terms added to the x terms for two vertices.
    const __m128 cs = _mm_setr_ps(c, s, c, s);
    const __m128 sc = _mm_xor_ps(_mm_shuffle_ps(cs, cs, _MM_SHUFFLE(0, 1, 0, 1)),
                                 _mm_castsi128_ps(_mm_setr_epi32(INT32_MIN, 0, INT32_MIN, 0)));
    const __m128 xTerms =
        _mm_add_ps(_mm_setr_ps(p.x, p.y, p.x, p.y),
                   _mm_mul_ps(_mm_shuffle_ps(corners, corners, _MM_SHUFFLE(2, 2, 0, 0)), cs));
    const __m128 yTerms = _mm_mul_ps(_mm_shuffle_ps(corners, corners, _MM_SHUFFLE(1, 1, 3, 3)), sc);
    const __m128 xy01 = _mm_add_ps(xTerms, _mm_movelh_ps(yTerms, yTerms));
    const __m128 xy23 = _mm_add_ps(xTerms, _mm_movehl_ps(yTerms, yTerms));
    const __m128 zw = _mm_setr_ps(z, 1.0f, z, 1.0f);
    // (u0, u1, v0, v1) from (x, y, width, height), then (colour, u0, colour, u1).
    const __m128 rect = _mm_loadu_ps(&uv.x);
    const __m128 ends = _mm_add_ps(rect, _mm_movelh_ps(_mm_setzero_ps(), rect));
    const __m128 us = _mm_shuffle_ps(ends, ends, _MM_SHUFFLE(3, 1, 2, 0));
    const __m128 cu = _mm_unpacklo_ps(_mm_castsi128_ps(_mm_set1_epi32(static_cast<int>(argb))), us);
    float* out = reinterpret_cast<float*>(v);
    _mm_storeu_ps(out + 0, _mm_movelh_ps(xy01, zw));
    _mm_storeu_ps(out + 4, _mm_shuffle_ps(cu, us, _MM_SHUFFLE(2, 2, 1, 0)));
    _mm_storeu_ps(out + 7, _mm_shuffle_ps(xy01, zw, _MM_SHUFFLE(1, 0, 3, 2)));
    _mm_storeu_ps(out + 11, _mm_shuffle_ps(cu, us, _MM_SHUFFLE(2, 2, 3, 2)));
    _mm_storeu_ps(out + 14, _mm_movelh_ps(xy23, zw));
    _mm_storeu_ps(out + 18, _mm_shuffle_ps(cu, us, _MM_SHUFFLE(3, 3, 1, 0)));
    _mm_storeu_ps(out + 21, _mm_shuffle_ps(xy23, zw, _MM_SHUFFLE(1, 0, 3, 2)));
    _mm_storeu_ps(out + 25, _mm_shuffle_ps(cu, us, _MM_SHUFFLE(3, 3, 3, 2)));
}

// Adding and taking away 1.5 * 2^23 rounds a float under 2^22 in magnitude to a whole number without
// a library call or a conversion (text that far out is off the screen anyway); a 1/1024 nudge first
// makes exact halves round up, so a line of glyphs half a pixel off moves as one.
constexpr float RoundingMagic = 12582912.0f;
constexpr float HalfUpNudge = 1.0f / 1024.0f;

// The offset that moves an unturned quad by at most half a pixel so its low corner, position -
// offset - |size| / 2 on each axis (see CornersOf), lies on the pixel grid; a glyph drawn at its
// font's size then covers whole pixels exactly. Text is snapped glyph by glyph every frame, so
// everything stays in registers: loading a pair just stored as two floats would stall each time.
template <class Grid> inline Pair SnappedOffset(Pair size, Pair offset, Vector2 position, const Grid& grid) {
    const __m128 absSize = _mm_andnot_ps(_mm_set1_ps(-0.0f), size);
    const __m128 low = _mm_sub_ps(_mm_sub_ps(_mm_setr_ps(position.x, position.y, 0.0f, 0.0f), offset),
                                  _mm_mul_ps(absSize, _mm_set1_ps(0.5f)));
    const __m128 pixels = _mm_mul_ps(_mm_sub_ps(low, _mm_setr_ps(grid.origin.x, grid.origin.y, 0.0f, 0.0f)),
                                     _mm_setr_ps(grid.scale.x, grid.scale.y, 0.0f, 0.0f));
    const __m128 magic = _mm_set1_ps(RoundingMagic);
    const __m128 whole = _mm_sub_ps(_mm_add_ps(_mm_add_ps(pixels, _mm_set1_ps(HalfUpNudge)), magic), magic);
    const __m128 shift =
        _mm_mul_ps(_mm_sub_ps(whole, pixels), _mm_setr_ps(grid.unit.x, grid.unit.y, 0.0f, 0.0f));
    return _mm_sub_ps(offset, shift);
}
#else
struct Corners {
    float x0, y0, x1, y1;
};
using Pair = Vector2;

inline Pair PairOf(const Vector2& v) {
    return v;
}

inline Corners CornersOf(Pair size, Pair offset, Pair halfFlip) {
    const float hx = size.x * halfFlip.x;
    const float hy = size.y * halfFlip.y;
    return {-hx - offset.x, -hy - offset.y, hx - offset.x, hy - offset.y};
}

inline Corners SpriteCorners(const SpriteComponent& sprite, Pair halfFlip) {
    return CornersOf(sprite.QuadSize(), sprite.QuadOffset(), halfFlip);
}

inline void WriteQuad(Vertex* v, Corners k, float c, float s, Vector2 p, float z, uint32_t argb,
                      const Rect& uv) {
    const float u0 = uv.x;
    const float u1 = uv.x + uv.width;
    const float v0 = uv.y;
    const float v1 = uv.y + uv.height;
    v[0] = {p.x + k.x0 * c - k.y1 * s, p.y + k.x0 * s + k.y1 * c, z, 1.0f, argb, u0, v0};
    v[1] = {p.x + k.x1 * c - k.y1 * s, p.y + k.x1 * s + k.y1 * c, z, 1.0f, argb, u1, v0};
    v[2] = {p.x + k.x0 * c - k.y0 * s, p.y + k.x0 * s + k.y0 * c, z, 1.0f, argb, u0, v1};
    v[3] = {p.x + k.x1 * c - k.y0 * s, p.y + k.x1 * s + k.y0 * c, z, 1.0f, argb, u1, v1};
}

constexpr float RoundingMagic = 12582912.0f; // as in the SSE2 version
constexpr float HalfUpNudge = 1.0f / 1024.0f;

inline float GridShift(float low, float origin, float scale, float unit) {
    const float pixels = (low - origin) * scale;
    const float whole = pixels + HalfUpNudge + RoundingMagic - RoundingMagic;
    return (whole - pixels) * unit;
}

template <class Grid> inline Pair SnappedOffset(Pair size, Pair offset, Vector2 position, const Grid& grid) {
    const float lowX = position.x - offset.x - std::fabs(size.x) * 0.5f;
    const float lowY = position.y - offset.y - std::fabs(size.y) * 0.5f;
    return {offset.x - GridShift(lowX, grid.origin.x, grid.scale.x, grid.unit.x),
            offset.y - GridShift(lowY, grid.origin.y, grid.scale.y, grid.unit.y)};
}
#endif

// Odd passes ("Ui", "EditorText", "EditorText2") hold pixel art and text: point sampling.
constexpr bool PointSampledPass(int pass) {
    return pass % 2 == 1;
}

// Color's product, (a * b) / 255 truncated per channel, for all four channels in one register.
inline Color TintProduct(Color a, Color b) {
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i x = _mm_unpacklo_epi8(_mm_cvtsi32_si128(std::bit_cast<int>(a)), zero);
    const __m128i y = _mm_unpacklo_epi8(_mm_cvtsi32_si128(std::bit_cast<int>(b)), zero);
    const __m128i p = _mm_mullo_epi16(x, y);
    // (p + 1 + (p >> 8)) >> 8 is p / 255 for every product of two bytes, and stays within 16 bits.
    const __m128i q =
        _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(p, _mm_set1_epi16(1)), _mm_srli_epi16(p, 8)), 8);
    return std::bit_cast<Color>(_mm_cvtsi128_si32(_mm_packus_epi16(q, q)));
#else
    return a * b;
#endif
}

// Color::ToArgb from the colour's bytes as one word: r, g, b, a in memory, so only r and b swap.
inline uint32_t ArgbOf(Color c) {
    if constexpr (std::endian::native == std::endian::little) {
        // a b g r -> r g b a -> a r g b
        return std::rotr(__builtin_bswap32(std::bit_cast<uint32_t>(c)), 8);
    } else {
        return c.ToArgb();
    }
}

} // namespace

void Renderer::FlipChanged() {
    halfFlip_ = {FlipX ? -0.5f : 0.5f, FlipY ? -0.5f : 0.5f};
}

[[gnu::always_inline]] inline Vertex* Renderer::QuadRoom(const Texture* texture) {
    return QuadLists[static_cast<size_t>(SlotOf(texture))].Append(4);
}

[[gnu::always_inline]] inline void Renderer::PushQuad(const Texture* texture, const Rect& uv, Turn turn,
                                                      Color tint, Vector2 size, Vector2 offset,
                                                      Vector2 position) {
    Vertex* v = QuadRoom(texture);
    const Corners corners = CornersOf(PairOf(size), PairOf(offset), PairOf(halfFlip_));
    WriteQuad(v, corners, turn.cosine, turn.sine, position, Depth, ArgbOf(tint), uv);
}

void Renderer::AddQuad(const Texture* texture, const Rect& uv, float rotation, Color tint, Vector2 size,
                       Vector2 offset, Vector2 position) {
    Turn turn;
    SinCos(rotation, turn.sine, turn.cosine);
    PushQuad(texture, uv, turn, tint, size, offset, position);
}

void Renderer::BeginPassBatches() {
    PassTextures.clear();
    for (VertexList& list : QuadLists) {
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
    backend_->PassTextureCount(static_cast<int>(PassTextures.size()));
    constexpr size_t chunk = 4 * static_cast<size_t>(MaxQuadsPerDraw);
    for (size_t k = 0; k < PassTextures.size(); ++k) {
        const VertexList& list = QuadLists[k];
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

[[gnu::always_inline]] inline void Renderer::DrawSprite(const SpriteComponent& sprite, Turn turn, Color tint,
                                                        Vector2 position) {
    Vertex* v = QuadRoom(sprite.GetTexture());
    const Corners corners = SpriteCorners(sprite, PairOf(halfFlip_));
    WriteQuad(v, corners, turn.cosine, turn.sine, position, Depth, ArgbOf(tint), sprite.UvRect);
}

void Renderer::DrawText(const TextComponent& text, Turn turn, Color tint, Vector2 position) {
    const float h = text.BreakLines(textLines_.Lines);
    // Point sampling reads each pixel's texel at the pixel's centre: a glyph straddling pixels (a
    // centred line of odd width lies half a pixel off) repeats one texel column and drops another.
    // Unturned glyphs are put on whole pixels instead.
    if (snapText_ && pixelGrid_ && turn.sine == 0.0f && turn.cosine == 1.0f) {
        text.EmitGlyphQuads(
            textLines_.Lines, h, FlipX, FlipY,
            [&](const Texture* page, const Rect& uv, Vector2 size, Vector2 offset) {
                Vertex* v = QuadRoom(page);
                const Pair quadSize = PairOf(size);
                const Corners corners = CornersOf(
                    quadSize, SnappedOffset(quadSize, PairOf(offset), position, grid_), PairOf(halfFlip_));
                WriteQuad(v, corners, turn.cosine, turn.sine, position, Depth, ArgbOf(tint), uv);
            });
        return;
    }
    text.EmitGlyphQuads(textLines_.Lines, h, FlipX, FlipY,
                        [&](const Texture* page, const Rect& uv, Vector2 size, Vector2 offset) {
                            PushQuad(page, uv, turn, tint, size, offset, position);
                        });
}

namespace {

const SpriteComponent* SpriteOf(const GameObject& object) {
    return static_cast<const SpriteComponent*>(object.GetSlot(ShortcutSlot::Sprite));
}
const TextComponent* TextOf(const GameObject& object) {
    return static_cast<const TextComponent*>(object.GetSlot(ShortcutSlot::Text));
}

// The walk is bound by memory: objects and their components lie scattered over the heap. Asking for
// the lines a few siblings ahead lets those misses overlap with the work on the current one. First
// the object itself, then (once its slots have arrived) the fields of its components.
void PrefetchObject(const GameObject* object) {
    // The slots fill the object's first line, Children and DrawEnabled open the second.
    __builtin_prefetch(&object->Slots);
    __builtin_prefetch(&object->DrawEnabled);
}

void PrefetchComponents(const GameObject* object) {
    if (const SpriteComponent* sprite = SpriteOf(*object)) {
        // Layer through the texture pointer: the 60 bytes a draw reads, in one line.
        __builtin_prefetch(&sprite->Layer);
    }
    if (const Component* slot = object->GetSlot(ShortcutSlot::Pos2d)) {
        const auto* pos = static_cast<const Pos2dComponent*>(slot);
        // Pos through the cached turn share one line.
        __builtin_prefetch(&pos->Pos);
    }
    if (const Component* tint = object->GetSlot(ShortcutSlot::Tint)) {
        __builtin_prefetch(&static_cast<const TintComponent*>(tint)->Tint);
    }
}

constexpr size_t PrefetchAhead = 8;

} // namespace

[[gnu::always_inline]] inline bool Renderer::VisitObject(const GameObject& object, Color& tint,
                                                         Vector2 position, Vector2& handed) {
    if (!object.DrawEnabled) {
        return false;
    }
    const uint32_t visit = visits_++;
    const SpriteComponent* sprite = SpriteOf(object);
    const TextComponent* text = TextOf(object);
    const int spriteLayers = sprite && sprite->GetTexture() ? static_cast<int>(sprite->Layer) : 0;
    const int textLayers = text && text->Font ? static_cast<int>(text->Layer) : 0;
    const int layers = (spriteLayers | textLayers) & (drawBit_ | laterBits_);
    const bool hasChildren = !object.Children.empty();
    // A leaf that draws nothing only takes its depth step: most objects of the later passes are
    // such leaves, and skipping their position and tint saves touching their components.
    if (layers == 0 && !hasChildren) {
        StepDepth();
        return false;
    }
    Vector2 p;
    Turn turn;
    if (const Component* slot = object.GetSlot(ShortcutSlot::Pos2d)) {
        const auto* pos = static_cast<const Pos2dComponent*>(slot);
        pos->CosSin(turn.cosine, turn.sine);
        if (pos->IsRelative) {
            p = position + pos->Pos;
            handed = p;
        } else {
            p = pos->Pos;
        }
    } else if (const Component* body = object.GetSlot(ShortcutSlot::Body)) {
        p = body->BodyPosition();
        SinCos(body->BodyAngle(), turn.sine, turn.cosine);
    }
    if (const Component* slot = object.GetSlot(ShortcutSlot::Tint)) {
        tint = TintProduct(tint, static_cast<const TintComponent*>(slot)->Tint);
    }
    if (layers & drawBit_) {
        if (spriteLayers & drawBit_) {
            DrawSprite(*sprite, turn, tint, p);
        }
        if (textLayers & drawBit_) {
            DrawText(*text, turn, tint, p);
        }
    }
    if (layers & laterBits_) {
        laterDraws_.push_back({(spriteLayers & laterBits_) ? sprite : nullptr,
                               (textLayers & laterBits_) ? text : nullptr, spriteLayers, textLayers, visit,
                               turn, p, tint});
    }
    StepDepth();
    return hasChildren;
}

void Renderer::WalkChildren(const GameObject& parent, Color tint, Vector2 position) {
    GameObject* const* kids = parent.Children.data();
    const size_t n = parent.Children.size();
    for (size_t i = 0; i < n; ++i) {
        if (i + PrefetchAhead < n) {
            PrefetchObject(kids[i + PrefetchAhead]);
        }
        if (i + PrefetchAhead / 2 < n) {
            PrefetchComponents(kids[i + PrefetchAhead / 2]);
        }
        const GameObject& kid = *kids[i];
        Color kidTint = tint;
        Vector2 handed = position;
        if (VisitObject(kid, kidTint, position, handed)) {
            WalkChildren(kid, kidTint, handed);
        }
    }
}

void Renderer::Walk(const GameObject& object, Color tint, Vector2 position) {
    Vector2 handed = position;
    if (VisitObject(object, tint, position, handed)) {
        WalkChildren(object, tint, handed);
    }
}

void Renderer::DrawTree(GameObject& object, int passBit, Color tint, Vector2 position) {
    drawBit_ = passBit;
    snapText_ = passBit > 0 && PointSampledPass(std::countr_zero(static_cast<unsigned>(passBit)));
    laterBits_ = 0;
    Walk(object, tint, position);
}

float Renderer::DepthAfter(size_t steps) {
    if (depthSteps_.empty()) {
        depthSteps_.push_back(1.0f);
    }
    while (steps >= depthSteps_.size() && depthSteps_.back() > 0.0f) {
        float d = depthSteps_.back() - DepthStep;
        depthSteps_.push_back(d < 0.0f ? 0.0f : d);
    }
    return steps < depthSteps_.size() ? depthSteps_[steps] : 0.0f;
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
    // The World pass is filled by the one walk of the tree; the walk notes what the other passes draw.
    SetCamera(graphics.WorldCamera, graphics.Width, graphics.Height);
    backend_->BeginPass(1, false);
    snapText_ = false;
    BeginPassBatches();
    Depth = 1.0f;
    visits_ = 0;
    laterDraws_.clear();
    if (root) {
        drawBit_ = 1;
        laterBits_ = ((1 << DrawLayerCount) - 1) & ~1;
        Walk(*root, Color::White(), Vector2{});
    }
    FlushPass();
    if (graphics.ShowPhysics && PhysicsOverlay) {
        backend_->ClearDepth();
        const TextureManager* textures = Service<TextureManager>::TryGet();
        backend_->SetTexture(textures ? textures->FindTexture("Editor") : nullptr);
        PhysicsOverlay(*this);
    }

    // Every pass visits the same objects, so an object's depth in pass k is the one it would get
    // after k full walks: visits * k steps on from its own.
    const size_t visits = visits_;
    const size_t lastStep = DrawLayerCount * visits;
    DepthAfter(lastStep); // fills the table for every lookup below
    const size_t floorStep = depthSteps_.size() - 1;
    SetCamera(graphics.ScreenCamera, graphics.Width, graphics.Height);
    for (int pass = 1; pass < DrawLayerCount; ++pass) {
        const int bit = 1 << pass;
        backend_->BeginPass(bit, PointSampledPass(pass));
        snapText_ = PointSampledPass(pass);
        BeginPassBatches();
        const size_t base = static_cast<size_t>(pass) * visits;
        for (const LaterDraw& draw : laterDraws_) {
            if (((draw.spriteLayers | draw.textLayers) & bit) == 0) {
                continue;
            }
            Depth = depthSteps_[std::min(base + draw.visit, floorStep)];
            if (draw.sprite && (draw.spriteLayers & bit)) {
                DrawSprite(*draw.sprite, draw.turn, draw.tint, draw.position);
            }
            if (draw.text && (draw.textLayers & bit)) {
                DrawText(*draw.text, draw.turn, draw.tint, draw.position);
            }
        }
        FlushPass();
    }
    snapText_ = false;
    Depth = depthSteps_[std::min(lastStep, floorStep)];

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
