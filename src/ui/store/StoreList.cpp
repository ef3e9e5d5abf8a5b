#include "ui/store/StoreList.h"

#include <algorithm>

#include "components/SpriteComponent.h"
#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "player/items/ItemComponent.h"
#include "ui/menus/MenuSwitch.h"

void StoreList::CollectRows(const GameObject& menu, std::string_view rowPrefab) {
    Rows.clear();
    for (GameObject* child : menu.Children) {
        if (child->PrefabName == rowPrefab) {
            Rows.push_back(child);
        }
    }
    if (!Rows.empty()) {
        if (const GameObject* background = Rows.front()->FindChild("Background")) {
            if (const TintComponent* tint = background->Tint()) {
                NormalTint = tint->Tint;
            }
        }
    }
}

void StoreList::KeepRows(const GameObject& menu, std::string_view rowPrefab) {
    if (std::any_of(Rows.begin(), Rows.end(), [](const Handle<GameObject>& row) { return !row; })) {
        CollectRows(menu, rowPrefab);
    }
}

void StoreList::KeepSelectionVisible() {
    ScrollTop = std::max(ScrollTop, Selected - RowCount() + 1);
    ScrollTop = std::min(ScrollTop, Selected);
    ScrollTop = std::max(ScrollTop, 0);
}

void StoreList::ShowScrollArrows(const GameObject& menu, int count) const {
    if (GameObject* up = menu.FindChild("ScrollUpArrow")) {
        up->SetPassesEnabled(ScrollTop > 0);
    }
    if (GameObject* down = menu.FindChild("ScrollDownArrow")) {
        down->SetPassesEnabled(ScrollTop + RowCount() < count);
    }
}

void StoreList::ShowSelection(const GameObject& row, bool selected, Color selectedTint) const {
    SetRowTint(row, "Background", selected ? selectedTint : NormalTint);
    SetRowTint(row, "Outline", selected ? Color::White() : Color{255, 255, 255, 0});
}

void SetRowText(const GameObject& row, std::string_view child, const std::string& text) {
    if (const GameObject* field = row.FindChild(child)) {
        if (TextComponent* textComponent = field->Text()) {
            textComponent->Text = text;
        }
    }
}

void SetRowTint(const GameObject& row, std::string_view child, Color tint) {
    if (const GameObject* field = row.FindChild(child)) {
        if (TintComponent* tintComponent = field->Tint()) {
            tintComponent->Tint = tint;
        }
    }
}

void SetRowIcon(const GameObject& row, const ItemComponent& item) {
    const GameObject* icon = row.FindChild("Icon");
    if (!icon) {
        return;
    }
    if (SpriteComponent* sprite = icon->Sprite()) {
        if (sprite->GetImageName() != item.IconImageName) {
            sprite->SetImageName(item.IconImageName);
        }
    }
    SetRowTint(row, "Icon", item.IconTint);
}
