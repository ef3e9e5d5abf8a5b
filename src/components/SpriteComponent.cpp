#include "components/SpriteComponent.h"

#include <map>

#include "assets/Texture.h"
#include "core/GameObject.h"

SpriteComponent* IComponentShortcuts::Sprite() const {
    return static_cast<SpriteComponent*>(GetSlot(ShortcutSlot::Sprite));
}

namespace {

// Names set through "ImageName" while the component had no texture.
std::map<const SpriteComponent*, std::string>& PendingNames() {
    static std::map<const SpriteComponent*, std::string> names;
    return names;
}

} // namespace

SpriteComponent::SpriteComponent() {
    RegisterProperty("Size", &Size);
    RegisterProperty("Origin", &Origin);
    RegisterProperty("Layer", &Layer);
    RegisterProxyProperty<std::string>("ImageName", this, &SpriteComponent::GetImageName,
                                       &SpriteComponent::SetImageName);
    RegisterProxyProperty<Texture*>("Tex", this, &SpriteComponent::GetTexture, &SpriteComponent::SetTexture);
}

SpriteComponent::~SpriteComponent() {
    PendingNames().erase(this);
}

const std::string* SpriteComponent::PendingName() const {
    auto it = PendingNames().find(this);
    return it == PendingNames().end() ? nullptr : &it->second;
}

void SpriteComponent::SetTexture(Texture* texture) {
    texture_ = texture;
    if (!texture_) {
        return;
    }
    auto it = PendingNames().find(this);
    if (it != PendingNames().end()) {
        const std::string name = std::move(it->second);
        PendingNames().erase(it);
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
        PendingNames().erase(this);
    } else {
        PendingNames()[this] = name;
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
        PendingNames()[this] = texture_->SpriteNames[static_cast<size_t>(SelectedIndex)];
    }
}

void SpriteComponent::RestoreImageName() {
    auto it = PendingNames().find(this);
    if (it == PendingNames().end() || !texture_) {
        return;
    }
    const std::string name = std::move(it->second);
    PendingNames().erase(it);
    SelectSpriteByName(name);
}

Rect SpriteComponent::WorldBounds() const {
    const Vector2 p = Owner ? Owner->GetPosition() : Vector2{};
    const Vector2 a{p.x - Size.x / 2 - Origin.x, p.y - Size.y / 2 - Origin.y};
    const Vector2 b{p.x + Size.x / 2 - Origin.x, p.y + Size.y / 2 - Origin.y};
    return {a.x, a.y, b.x - a.x, b.y - a.y};
}
