#include "ui/menus/TextMenuBhv.h"

#include <algorithm>

#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "input/InputManager.h"
#include "ui/menus/MenuSwitch.h"

TextMenuBhv::TextMenuBhv() {
    RegisterProperty("InactiveAlpha", &InactiveAlpha);
    RegisterProperty("SelectedTint", &SelectedTint);
}

void TextMenuBhv::Start() {
    selected_ = 0;
    CollectItems();
}

void TextMenuBhv::CollectItems() {
    items_.clear();
    itemTints_.clear();
    if (!Owner) {
        return;
    }
    for (GameObject* child : Owner->Children) {
        if (child->PrefabName == ItemPrefab) {
            items_.push_back(child);
            const TintComponent* tint = child->Tint();
            itemTints_.push_back(tint ? tint->Tint : Color::White());
        }
    }
    if (selected_ >= ItemCount()) {
        selected_ = 0;
    }
}

std::vector<GameObject*> TextMenuBhv::Items() const {
    std::vector<GameObject*> items;
    for (const Handle<GameObject>& item : items_) {
        if (GameObject* object = item.Get()) {
            items.push_back(object);
        }
    }
    return items;
}

void TextMenuBhv::HandleInput() {
    const InputManager* input = Service<InputManager>::TryGet();
    if (!input) {
        return;
    }
    if (std::any_of(items_.begin(), items_.end(), [](const auto& item) { return !item; })) {
        CollectItems();
    }
    const int count = ItemCount();
    if (count > 0) {
        if (input->IsActionFired(Action::MoveUp)) {
            selected_ = (selected_ + count - 1) % count;
        }
        if (input->IsActionFired(Action::MoveDown)) {
            selected_ = (selected_ + 1) % count;
        }
    }
    if (input->IsActionPressed(Action::MenuConfirm) && itemChosen_) {
        // A copy: the handler may replace itself.
        const std::function<void(int)> chosen = itemChosen_;
        chosen(selected_);
    }
}

void TextMenuBhv::Update() {
    const float inactive = InactiveAlpha * 255.0f;
    // Out-of-range alphas are clamped rather than wrapped into a byte.
    const auto dimmed = static_cast<uint8_t>(inactive <= 0.0f     ? 0.0f
                                             : inactive >= 255.0f ? 255.0f
                                                                  : inactive);
    for (size_t i = 0; i < items_.size(); ++i) {
        if (TintComponent* tint = items_[i] ? items_[i]->Tint() : nullptr) {
            if (static_cast<int>(i) == selected_) {
                tint->Tint = SelectedTint;
            } else {
                tint->Tint = itemTints_[i];
                tint->Tint.a = dimmed;
            }
        }
    }
}

TextMenuBhv* ClaimTextMenu(GameObject& menuObject, std::function<void(int)> handler) {
    menuObject.SetPassesEnabled(false);
    TextMenuBhv* menu = menuObject.GetComponentOfType<TextMenuBhv>();
    if (menu) {
        menu->SetItemChosenHandler(std::move(handler));
    }
    return menu;
}
