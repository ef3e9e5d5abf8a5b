#include "ui/hud/HudSectionTitleBhv.h"

#include "components/TextComponent.h"
#include "core/GameObject.h"

HudSectionTitleBhv::HudSectionTitleBhv() {
    RegisterProxyProperty<std::string>("TitleText", this, &HudSectionTitleBhv::GetTitleText,
                                       &HudSectionTitleBhv::SetTitleText);
}

std::string HudSectionTitleBhv::GetTitleText() const {
    const GameObject* child = FindChild("TitleText");
    const TextComponent* text = child ? child->Text() : nullptr;
    return text ? text->Text : std::string();
}

void HudSectionTitleBhv::SetTitleText(const std::string& text) {
    const GameObject* child = FindChild("TitleText");
    if (TextComponent* component = child ? child->Text() : nullptr) {
        component->Text = text;
    }
}
