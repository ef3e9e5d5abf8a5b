#include "ui/hud/HudFirstRunHintBhv.h"

#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/GameTime.h"
#include "core/Service.h"
#include "ui/hud/HudShow.h"
#include "ui/options/OptionsStore.h"

HudFirstRunHintBhv::HudFirstRunHintBhv() {
    RegisterProperty("ShowTime", &ShowTime);
    RegisterProperty("FadeTime", &FadeTime);
}

void HudFirstRunHintBhv::Start() {
    const OptionsStore* store = Service<OptionsStore>::TryGet();
    showing_ = store && !store->Options().FirstRunHintDismissed;
    elapsed_ = 0.0f;
    SetSwitchedOn(Owner, showing_);
}

void HudFirstRunHintBhv::Update() {
    if (!showing_ || !Owner) {
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
    SetSwitchedOn(Owner, false);
    if (OptionsStore* store = Service<OptionsStore>::TryGet()) {
        OptionValues values = store->Options();
        values.FirstRunHintDismissed = true;
        store->SetOptions(values);
    }
}
