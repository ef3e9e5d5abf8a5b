#include "editor/widgets/WidgetParts.h"

#include "components/SpriteComponent.h"
#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/Pos2dComponent.h"

namespace WidgetParts {

void PlaceSprite(GameObject* part, float x, float y, float width, float height, bool mirrored) {
    if (!part) {
        return;
    }
    if (Pos2dComponent* pos = part->Pos2d()) {
        pos->Pos = {x + width * 0.5f, y + height * 0.5f};
    }
    if (SpriteComponent* sprite = part->Sprite()) {
        sprite->Size = mirrored ? Vector2{-width, -height} : Vector2{width, height};
        sprite->Origin = {};
    }
}

void PlaceText(GameObject* part, float x, float y, std::string_view text, TextXAlignment alignment) {
    if (!part) {
        return;
    }
    if (Pos2dComponent* pos = part->Pos2d()) {
        pos->Pos = {x, y};
    }
    if (TextComponent* t = part->Text()) {
        // Assigning reuses the string's storage: no allocation while the text fits.
        if (t->Text != text) {
            t->Text.assign(text);
        }
        t->AlignmentX = alignment;
        t->AlignmentY = TextYAlignment::Middle;
    }
}

Color GetTint(const GameObject* part) {
    const TintComponent* tint = part ? part->Tint() : nullptr;
    return tint ? tint->Tint : Color::White();
}

void SetTint(GameObject* part, Color tint) {
    if (TintComponent* t = part ? part->Tint() : nullptr) {
        t->Tint = tint;
    }
}

} // namespace WidgetParts
