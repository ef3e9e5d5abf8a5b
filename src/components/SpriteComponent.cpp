#include "components/SpriteComponent.h"

#include <memory>

#include "assets/Texture.h"
#include "core/GameObject.h"

SpriteComponent* IComponentShortcuts::Sprite() const {
    return static_cast<SpriteComponent*>(GetSlot(ShortcutSlot::Sprite));
}

SpriteComponent::SpriteComponent() {
    RegisterProperty("Size", &Size);
    RegisterProperty("Origin", &Origin);
    RegisterProperty("Layer", &Layer);
    RegisterProxyProperty<std::string>("ImageName", this, &SpriteComponent::GetImageName,
                                       &SpriteComponent::SetImageName);
    RegisterProxyProperty<Texture*>("Tex", this, &SpriteComponent::GetTexture, &SpriteComponent::SetTexture);
}

SpriteComponent::~SpriteComponent() = default;

void SpriteComponent::SetTexture(Texture* texture) {
    texture_ = texture;
    if (!texture_) {
        return;
    }
    if (pendingName_) {
        const std::string name = std::move(*pendingName_);
        pendingName_.reset();
        SelectSpriteByName(name);
    }
}

std::string SpriteComponent::GetImageName() const {
    if (texture_) {
        if (SelectedIndex < 0 || SelectedIndex >= texture_->SpriteCount()) {
            return {};
        }
        return texture_->SpriteNames[static_cast<size_t>(SelectedIndex)];
    }
    const std::string* pending = PendingName();
    return pending ? *pending : std::string();
}

void SpriteComponent::SetImageName(const std::string& name) {
    if (texture_) {
        SelectSpriteByName(name);
        pendingName_.reset();
    } else {
        pendingName_ = std::make_unique<std::string>(name);
    }
}

void SpriteComponent::SelectSprite(int index) {
    if (!texture_ || index < 0 || index >= texture_->SpriteCount()) {
        return;
    }
    UvRect = texture_->UvRects[static_cast<size_t>(index)];
    TrimRect = texture_->TrimRects[static_cast<size_t>(index)];
    SelectedIndex = index;
}

void SpriteComponent::SelectSpriteByName(const std::string& name) {
    if (!texture_) {
        return;
    }
    auto it = texture_->SpriteIndex.find(name);
    SelectSprite(it == texture_->SpriteIndex.end() ? 0 : it->second);
}

void SpriteComponent::StashImageName() {
    if (texture_ && SelectedIndex >= 0 && SelectedIndex < texture_->SpriteCount()) {
        pendingName_ =
            std::make_unique<std::string>(texture_->SpriteNames[static_cast<size_t>(SelectedIndex)]);
    }
}

void SpriteComponent::RestoreImageName() {
    if (!pendingName_ || !texture_) {
        return;
    }
    const std::string name = std::move(*pendingName_);
    pendingName_.reset();
    SelectSpriteByName(name);
}

Rect SpriteComponent::WorldBounds() const {
    const Vector2 p = Owner ? Owner->GetPosition() : Vector2{};
    const Vector2 a{p.x - Size.x / 2 - Origin.x, p.y - Size.y / 2 - Origin.y};
    const Vector2 b{p.x + Size.x / 2 - Origin.x, p.y + Size.y / 2 - Origin.y};
    return {a.x, a.y, b.x - a.x, b.y - a.y};
}
