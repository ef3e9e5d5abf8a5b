#include "ui/widgets/UiButtonBhv.h"

#include "components/SpriteComponent.h"
#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "input/InputManager.h"

namespace {

bool Inside(const SpriteComponent* sprite, Vector2 point) {
    if (!sprite) {
        return false;
    }
    Rect r = sprite->WorldBounds();
    // A mirrored sprite has a negative size; the box is the same.
    if (r.width < 0) {
        r.x += r.width;
        r.width = -r.width;
    }
    if (r.height < 0) {
        r.y += r.height;
        r.height = -r.height;
    }
    return point.x >= r.x && point.x < r.x + r.width && point.y >= r.y && point.y < r.y + r.height;
}

} // namespace

UiButtonBhv::UiButtonBhv() {
    RegisterProperty("IsGrayedOut", &IsGrayedOut);
}

void UiButtonBhv::HandleInput() {
    const InputManager* input = Service<InputManager>::TryGet();
    if (!input) {
        return;
    }
    const bool inside = Inside(Sprite(), input->MousePosition);
    if (input->IsKeyPressed(Key::LeftMouse) && inside) {
        pressed_ = true;
    }
    const bool up = !input->IsKeyDown(Key::LeftMouse);
    if (pressed_ && up && inside && clickHandler_) {
        clickHandler_();
    }
    if (up) {
        pressed_ = false;
    }
    held_ = pressed_;
}

void UiButtonBhv::Start() {
    text_ = FindChild("Text");
    hasText_ = static_cast<bool>(text_);
}

void UiButtonBhv::Update() {
    if (hasText_ && !text_) {
        text_ = FindChild("Text");
    }
    // The text is the child "Text" when there is one, else the button's own look.
    if (TintComponent* tint = text_ ? text_->Tint() : Tint()) {
        tint->Tint.a = IsGrayedOut ? GrayedAlpha : 255;
    }
}
