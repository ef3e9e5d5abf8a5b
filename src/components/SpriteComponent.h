#pragma once

#include <memory>
#include <string>

#include "assets/TextureClient.h"
#include "core/Component.h"
#include "core/DrawLayer.h"
#include "core/Rect.h"
#include "core/Vector2.h"
#include "reflection/IEditable.h"

class Texture;

// Shows one sprite of an atlas. "ImageName" and "Tex" may be applied in either order: a name set
// while there is no texture waits (the pending name) until a texture arrives.
class SpriteComponent : public Component, public IEditable, public TextureClient {
public:
    static constexpr const char* ClassName = "SpriteComponent";

    SpriteComponent();
    ~SpriteComponent() override;

    ShortcutSlot Slot() const override { return ShortcutSlot::Sprite; }

    Texture* GetTexture() const { return texture_; }
    // The "Tex" setter: with a pending name, selects it; otherwise keeps the selection as it was.
    void SetTexture(Texture* texture);
    // The "ImageName" getter: the selected sprite's name, else the pending name, else "".
    std::string GetImageName() const;
    // The "ImageName" setter: selects by name with a texture, else keeps the name pending.
    void SetImageName(const std::string& name);

    // Takes the sprite's rectangles from the texture; nothing without one or out of range.
    void SelectSprite(int index);
    // A name the texture lacks selects sprite 0.
    void SelectSpriteByName(const std::string& name);

    // TextureClient: around a texture reload.
    Texture* ClientTexture() const override { return texture_; }
    void StashImageName() override;
    void RestoreImageName() override;

    // The unrotated frame box at the owner's world position: (x, y, width, height).
    Rect WorldBounds() const;

    // The values the renderer's AddQuad takes for this sprite (besides texture, uv, rotation,
    // tint and position).
    Vector2 QuadSize() const { return {Size.x * TrimRect.width, Size.y * TrimRect.height}; }
    Vector2 QuadOffset() const {
        const Vector2 s = QuadSize();
        return {TrimRect.x * Size.x + s.x / 2 - Size.x / 2 + Origin.x,
                TrimRect.y * Size.y + s.y / 2 - Size.y / 2 + Origin.y};
    }

    // The pending name of this component, or null.
    const std::string* PendingName() const { return pendingName_.get(); }

private:
    // Rarely set, so kept out of line; it fills the gap between the bases and the drawn fields.
    std::unique_ptr<std::string> pendingName_;

public:
    // Declared last and in this order so that, with the texture below, what a draw reads is 60
    // contiguous bytes, and starting a cache line: one miss per sprite drawn.
    alignas(64) int32_t SelectedIndex = -1;
    DrawLayer Layer = DrawLayer::World;
    Vector2 Size{1.0f, 1.0f}; // full frame, in the units of the layer's camera; negative mirrors
    Vector2 Origin;           // subtracted from the object's position
    Rect UvRect{0.0f, 0.0f, 1.0f, 1.0f};
    Rect TrimRect{0.0f, 0.0f, 1.0f, 1.0f};

private:
    Texture* texture_ = nullptr;
};
