#include "ui/hud/HudMessageFlashBhv.h"

#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "core/GameTime.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "player/HudMessage.h"
#include "ui/hud/HudShow.h"

namespace {

// The sink this flash installs; its type tells the destructor whether the installed sink is still
// this flash's.
struct FlashSink {
    HudMessageFlashBhv* flash;
    void operator()(const std::string& text) const { flash->Show(text); }
};

} // namespace

HudMessageFlashBhv::HudMessageFlashBhv() {
    RegisterProperty("FadeTime", &FadeTime);
}

HudMessageFlashBhv::~HudMessageFlashBhv() {
    if (installed_) {
        std::function<void(const std::string&)> current = SetHudMessageSink({});
        const FlashSink* sink = current.target<FlashSink>();
        if (!sink || sink->flash != this) {
            // Someone installed another sink since: it stays.
            SetHudMessageSink(std::move(current));
        }
    }
    WellKnown<HudMessageFlashBhv>::ClearIf(this);
}

void HudMessageFlashBhv::Start() {
    line_ = FindChild("HudText");
    WellKnown<HudMessageFlashBhv>::Register(this);
    SetHudMessageSink(FlashSink{this});
    installed_ = true;
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
