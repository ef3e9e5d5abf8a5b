#include "ui/widgets/UiKeyHintBhv.h"

#include "components/TextComponent.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "input/InputManager.h"
#include "ui/widgets/KeyLabel.h"

UiKeyHintBhv::UiKeyHintBhv() {
    RegisterProperty("Template", &Template);
}

void UiKeyHintBhv::Refresh() {
    const InputManager* input = Service<InputManager>::TryGet();
    TextComponent* text = Owner ? Owner->Text() : nullptr;
    if (!input || !text || Template.empty()) {
        return;
    }
    std::string filled = FillKeyHints(Template, *input);
    if (text->Text != filled) {
        text->Text = std::move(filled);
    }
}
