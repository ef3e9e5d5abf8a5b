#include "ui/hud/HudFirstRunHintBhv.h"

#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/GameTime.h"
#include "core/Service.h"
#include "input/InputManager.h"
#include "ui/hud/GameHeld.h"
#include "ui/hud/HudShow.h"
#include "ui/options/OptionsStore.h"
#include "ui/widgets/KeyLabel.h"

HudFirstRunHintBhv::HudFirstRunHintBhv() {
    RegisterProperty("ShowTime", &ShowTime);
    RegisterProperty("FadeTime", &FadeTime);
}

void HudFirstRunHintBhv::Start() {
    const OptionsStore* store = Service<OptionsStore>::TryGet();
    showing_ = store && !store->Options().FirstRunHintDismissed;
    elapsed_ = 0.0f;
    templates_.clear();
    if (Owner) {
        for (const GameObject* child : Owner->Children) {
            if (const TextComponent* text = child->Text()) {
                templates_.emplace_back(child->Name, text->Text);
            }
        }
    }
    SetPassesEnabled(Owner, showing_);
    if (showing_) {
        ShowBoundKeys();
    }
}

void HudFirstRunHintBhv::ShowBoundKeys() {
    const InputManager* input = Service<InputManager>::TryGet();
    if (!input || !Owner) {
        return;
    }
    for (GameObject* child : Owner->Children) {
        TextComponent* text = child->Text();
        for (const auto& [name, words] : templates_) {
            if (text && child->Name == name) {
                std::string filled = FillKeyHints(words, *input);
                if (text->Text != filled) {
                    text->Text = std::move(filled);
                }
            }
        }
    }
}

void HudFirstRunHintBhv::Update() {
    // Time under a menu is not time in play.
    if (!showing_ || !Owner || IsGameHeld()) {
        return;
    }
    if (const GameTime* time = Service<GameTime>::TryGet()) {
        elapsed_ += time->FrameDelta;
    }
    const float fading = elapsed_ - ShowTime;
    if (fading >= FadeTime) {
        Dismiss();
        return;
    }
    // The keys may be rebound while the hint shows (Options, Controls).
    ShowBoundKeys();
    const unsigned char alpha = fading <= 0.0f ? 255 : AlphaOf(1.0f - fading / FadeTime);
    for (GameObject* child : Owner->Children) {
        if (TintComponent* tint = child->Tint()) {
            // The backdrop keeps its own translucency under the fade.
            if (child->Name == "Backdrop") {
                tint->Tint.a = static_cast<unsigned char>(alpha * 3 / 4);
            } else {
                tint->Tint.a = alpha;
            }
        }
    }
}

void HudFirstRunHintBhv::Dismiss() {
    showing_ = false;
    SetPassesEnabled(Owner, false);
    if (OptionsStore* store = Service<OptionsStore>::TryGet()) {
        OptionValues values = store->Options();
        values.FirstRunHintDismissed = true;
        store->SetOptions(values);
    }
}
