#include "editor/widgets/WidgetPieces.h"

#include "components/SpriteComponent.h"
#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/Pos2dComponent.h"

namespace WidgetPieces {

void PlaceSprite(GameObject* piece, float x, float y, float width, float height, bool mirrored) {
    if (!piece) {
        return;
    }
    if (Pos2dComponent* pos = piece->Pos2d()) {
        pos->Pos = {x + width * 0.5f, y + height * 0.5f};
    }
    if (SpriteComponent* sprite = piece->Sprite()) {
        sprite->Size = mirrored ? Vector2{-width, -height} : Vector2{width, height};
        sprite->Origin = {};
    }
}

void PlaceText(GameObject* piece, float x, float y, std::string_view text, TextXAlignment alignment) {
    if (!piece) {
        return;
    }
    if (Pos2dComponent* pos = piece->Pos2d()) {
        pos->Pos = {x, y};
    }
    if (TextComponent* t = piece->Text()) {
        // Assigning reuses the string's storage: no allocation while the text fits.
        if (t->Text != text) {
            t->Text.assign(text);
        }
        t->AlignmentX = alignment;
        t->AlignmentY = TextYAlignment::Middle;
    }
}

Color GetTint(const GameObject* piece) {
    const TintComponent* tint = piece ? piece->Tint() : nullptr;
    return tint ? tint->Tint : Color::White();
}

void SetTint(GameObject* piece, Color tint) {
    if (TintComponent* t = piece ? piece->Tint() : nullptr) {
        t->Tint = tint;
    }
}

} // namespace WidgetPieces
