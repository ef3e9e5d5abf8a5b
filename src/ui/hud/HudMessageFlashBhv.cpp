#include "ui/hud/HudMessageFlashBhv.h"

#include <algorithm>

#include "components/SpriteComponent.h"
#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/GameTime.h"
#include "core/GraphicsManager.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "player/HudMessage.h"
#include "player/sub/SubBhv.h"
#include "ui/hud/GameHeld.h"
#include "ui/hud/HudShow.h"

namespace {

// Room around the text on its backing, screen pixels.
constexpr float PadX = 12.0f;
constexpr float PadY = 6.0f;

void MoveTo(GameObject* object, Vector2 position) {
    if (Pos2dComponent* pos = object ? object->Pos2d() : nullptr) {
        pos->Pos = position;
    }
}

} // namespace

HudMessageFlashBhv::HudMessageFlashBhv() {
    RegisterProperty("FadeTime", &FadeTime);
}

HudMessageFlashBhv::~HudMessageFlashBhv() {
    // A sink registered since this one stays.
    WellKnown<HudMessageSink>::ClearIf(this);
    WellKnown<HudMessageFlashBhv>::ClearIf(this);
}

void HudMessageFlashBhv::Start() {
    line_ = FindChild("HudText");
    if ((backdrop_ = FindChild("Backdrop"))) {
        const TintComponent* tint = backdrop_->Tint();
        backdropAlpha_ = tint ? tint->Tint.a : 255;
    }
    WellKnown<HudMessageFlashBhv>::Register(this);
    WellKnown<HudMessageSink>::Register(this);
}

void HudMessageFlashBhv::ShowHudMessage(const std::string& text) {
    Show(text);
}

void HudMessageFlashBhv::ShowHudMessageFor(const std::string& text, float seconds) {
    ShowFor(text, seconds);
}

GameObject* HudMessageFlashBhv::Line() {
    if (!line_) {
        line_ = FindChild("HudText");
    }
    return line_.Get();
}

GameObject* HudMessageFlashBhv::Backdrop() {
    return backdrop_.Get();
}

void HudMessageFlashBhv::Show(const std::string& text) {
    ShowFor(text, FadeTime);
}

void HudMessageFlashBhv::ShowFor(const std::string& text, float seconds) {
    GameObject* line = Line();
    textWidth_ = 0.0f;
    textHeight_ = 0.0f;
    if (TextComponent* component = line ? line->Text() : nullptr) {
        component->Text = text;
        if (component->Font) {
            textHeight_ = component->BreakLines(lines_);
            for (const TextLine& each : lines_) {
                textWidth_ = std::max(textWidth_, each.Width);
            }
        }
    }
    TimeLeft = std::max(seconds, 0.1f);
    // At full strength and in place at once: under a menu the message must show before the next
    // update.
    SetShown(Owner, true);
    SetAlpha(255);
    Place();
}

Vector2 HudMessageFlashBhv::Anchor() const {
    if (IsGameHeld()) {
        return UnderMenu;
    }
    const GameObject* sub = Submarine();
    const GraphicsManager* graphics = Service<GraphicsManager>::TryGet();
    if (!sub || !graphics) {
        return UnderMenu;
    }
    Vector2 at = graphics->WorldCamera.WorldToScreen(sub->GetPosition());
    at.y -= RiseAboveSub;
    const float halfWidth = textWidth_ / 2 + PadX + 4.0f;
    const float halfHeight = textHeight_ / 2 + PadY + 4.0f;
    at.x =
        std::clamp(at.x, std::min(halfWidth, ViewWidth / 2), std::max(ViewWidth - halfWidth, ViewWidth / 2));
    at.y = std::clamp(at.y, std::min(halfHeight, ViewHeight / 2),
                      std::max(ViewHeight - halfHeight, ViewHeight / 2));
    return at;
}

void HudMessageFlashBhv::Place() {
    const Vector2 at = Anchor();
    MoveTo(Line(), at);
    GameObject* backdrop = Backdrop();
    MoveTo(backdrop, at);
    if (SpriteComponent* sprite = backdrop ? backdrop->Sprite() : nullptr) {
        sprite->Size = {textWidth_ + 2 * PadX, textHeight_ + 2 * PadY};
    }
}

void HudMessageFlashBhv::SetAlpha(unsigned char alpha) {
    GameObject* line = Line();
    if (TintComponent* tint = line ? line->Tint() : nullptr) {
        tint->Tint.a = alpha;
    }
    GameObject* backdrop = Backdrop();
    if (TintComponent* tint = backdrop ? backdrop->Tint() : nullptr) {
        tint->Tint.a = static_cast<unsigned char>(backdropAlpha_ * alpha / 255);
    }
}

void HudMessageFlashBhv::Update() {
    if (TimeLeft <= 0.0f) {
        SetShown(Owner, false);
        return;
    }
    SetShown(Owner, true);
    // Readable at full strength until its last moments, then gone smoothly.
    const float fade = std::min(FadeOutTime, FadeTime);
    SetAlpha(fade > 0.0f ? AlphaOf(TimeLeft / fade) : 255);
    Place();
    if (const GameTime* time = Service<GameTime>::TryGet()) {
        TimeLeft -= time->FrameDelta;
    }
}
