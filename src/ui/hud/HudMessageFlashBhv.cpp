#include "ui/hud/HudMessageFlashBhv.h"

#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "core/GameTime.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "player/HudMessage.h"
#include "ui/hud/HudShow.h"

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
    WellKnown<HudMessageFlashBhv>::Register(this);
    WellKnown<HudMessageSink>::Register(this);
}

void HudMessageFlashBhv::ShowHudMessage(const std::string& text) {
    Show(text);
}

GameObject* HudMessageFlashBhv::Line() {
    if (!line_) {
        line_ = FindChild("HudText");
    }
    return line_.Get();
}

void HudMessageFlashBhv::Show(const std::string& text) {
    GameObject* line = Line();
    if (TextComponent* component = line ? line->Text() : nullptr) {
        component->Text = text;
    }
    TimeLeft = FadeTime;
    // At full strength at once: under a menu the HUD is drawn but not updated, and a message the
    // store gives must show there.
    SetShown(Owner, true);
    if (TintComponent* tint = line_ ? line_->Tint() : nullptr) {
        tint->Tint.a = 255;
    }
}

void HudMessageFlashBhv::Update() {
    if (TimeLeft <= 0.0f) {
        SetShown(Owner, false);
        return;
    }
    SetShown(Owner, true);
    GameObject* line = Line();
    if (TintComponent* tint = line ? line->Tint() : nullptr) {
        tint->Tint.a = FadeTime > 0.0f ? AlphaOf(TimeLeft / FadeTime) : 255;
    }
    if (const GameTime* time = Service<GameTime>::TryGet()) {
        TimeLeft -= time->FrameDelta;
    }
}
