#include "ui/hud/HudItemListingBhv.h"

#include <string_view>

#include "audio/CueManagerBhv.h"
#include "components/SpriteComponent.h"
#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "player/items/IUseable.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"
#include "ui/hud/HudRootBhv.h"
#include "ui/hud/HudShow.h"

namespace {

constexpr Color PressedUseableTint{34, 34, 34, 255};
constexpr Color UseableTint{17, 17, 17, 255};
constexpr Color OtherTint{0, 0, 0, 255};

bool InRect(const Rect& r, Vector2 p) {
    return p.x >= r.x && p.x < r.x + r.width && p.y >= r.y && p.y < r.y + r.height;
}

IUseable* UseableOf(const ItemComponent& item) {
    if (!item.Owner) {
        return nullptr;
    }
    for (Behavior* behavior : item.Owner->Behaviors) {
        if (auto* useable = dynamic_cast<IUseable*>(behavior)) {
            return useable;
        }
    }
    return nullptr;
}

bool LoadoutMode() {
    const HudRootBhv* hud = WellKnown<HudRootBhv>::Get();
    return hud && hud->IsLoadoutMode();
}

} // namespace

HudItemListingBhv::HudItemListingBhv() {
    RegisterProperty("Size", &Size);
}

void HudItemListingBhv::Start() {
    FindPieces();
}

void HudItemListingBhv::FindPieces() {
    if (!icon_) {
        icon_ = FindChild("Icon");
        shownIcon_.clear();
        if (const SpriteComponent* sprite = icon_ ? icon_->Sprite() : nullptr) {
            baseIconSize_ = sprite->Size;
        }
    }
    if (!nameText_) {
        nameText_ = FindChild("NameText");
    }
    if (!quantityText_) {
        quantityText_ = FindChild("QuantityText");
        quantity_ = {};
    }
    if (!background_) {
        background_ = FindChild("Background");
    }
}

void HudItemListingBhv::SetItem(ItemComponent* item) {
    if (item != item_.Get()) {
        // A row that shows another item is no longer the one that was pressed or dragged.
        pressed_ = false;
        EndDrag();
    }
    item_ = item;
}

bool HudItemListingBhv::Contains(Vector2 point) const {
    const Vector2 p = Owner ? Owner->GetPosition() : Vector2{};
    return InRect(Rect{p.x, p.y, Size.x, Size.y}, point);
}

void HudItemListingBhv::Update() {
    if (!item_) {
        SetShown(Owner, false);
        return;
    }
    if (!icon_ || !nameText_ || !quantityText_ || !background_) {
        FindPieces();
    }
    SetShown(Owner, true);
    ShowItem(*item_.Get());
}

void HudItemListingBhv::ShowItem(const ItemComponent& item) {
    if (icon_) {
        if (SpriteComponent* sprite = icon_->Sprite()) {
            if (shownIcon_ != item.IconImageName) {
                shownIcon_ = item.IconImageName;
                sprite->SetImageName(shownIcon_);
            }
            sprite->Size = {baseIconSize_.x * item.IconScale, baseIconSize_.y * item.IconScale};
        }
        if (TintComponent* tint = icon_->Tint()) {
            tint->Tint = item.IconTint;
        }
    }
    if (TextComponent* text = nameText_ ? nameText_->Text() : nullptr) {
        // Compared in place: a steady row rewrites (and allocates) nothing.
        // A weapon in a quick slot names its slot, whose number key selects it: "Plastic Drill (slot 1)".
        const bool inSlot = item.QuickslotIndex >= 0;
        const std::string& name = item.DisplayName;
        std::string& shown = text->Text;
        const std::string mark = inSlot ? " (slot " + std::to_string(item.QuickslotIndex + 1) + ")" : "";
        const bool same = shown.size() == name.size() + mark.size() &&
                          shown.compare(0, name.size(), name) == 0 &&
                          std::string_view(shown).substr(name.size()) == mark;
        if (!same) {
            shown.assign(name);
            shown.append(mark);
        }
    }
    if (TextComponent* text = quantityText_ ? quantityText_->Text() : nullptr) {
        quantity_.Write(text->Text, "x ", item.Quantity);
    }
    if (TintComponent* tint = background_ ? background_->Tint() : nullptr) {
        tint->Tint = !item.IsUseable ? OtherTint : pressed_ ? PressedUseableTint : UseableTint;
    }
}

void HudItemListingBhv::HandleInput() {
    const InputManager* input = Service<InputManager>::TryGet();
    if (!item_ || !input) {
        return;
    }
    const Vector2 pointer = input->MousePosition;
    const bool down = input->IsKeyDown(Key::LeftMouse);
    const bool justPressed = input->IsKeyPressed(Key::LeftMouse);
    if (LoadoutMode()) {
        pressed_ = false;
        HandleDrag(pointer, down, justPressed);
    } else {
        // Loadout mode ended under a drag: the row goes home.
        EndDrag();
        HandleClick(pointer, down, justPressed);
    }
}

void HudItemListingBhv::HandleClick(Vector2 pointer, bool down, bool justPressed) {
    if (justPressed && Contains(pointer)) {
        pressed_ = true;
    }
    if (down) {
        return;
    }
    if (pressed_ && Contains(pointer)) {
        ItemComponent& item = *item_.Get();
        if (item.IsUseable) {
            IUseable* useable = UseableOf(item);
            if (useable && useable->canUse()) {
                useable->use();
            } else {
                playCue("ErrorBuzz");
            }
        } else if (item.IsBlock) {
            if (InventoryBhv* inventory = WellKnown<InventoryBhv>::Get()) {
                inventory->CurrentBlock = &item;
            }
            playCue("BlockPlaced");
        }
    }
    pressed_ = false;
}

void HudItemListingBhv::HandleDrag(Vector2 pointer, bool down, bool justPressed) {
    Pos2dComponent* pos = Pos2d();
    if (justPressed && !dragging_ && Contains(pointer)) {
        dragging_ = true;
        dragStartPointer_ = pointer;
        dragStartPos_ = pos ? pos->Pos : Vector2{};
    }
    if (!dragging_) {
        return;
    }
    if (down) {
        if (pos) {
            pos->Pos = {dragStartPos_.x + pointer.x - dragStartPointer_.x,
                        dragStartPos_.y + pointer.y - dragStartPointer_.y};
        }
        return;
    }
    ItemComponent* item = item_.Get();
    EndDrag();
    for (int i = 0; i < static_cast<int>(DropTargets.size()); ++i) {
        if (InRect(DropTargets[i], pointer)) {
            if (dropHandler_) {
                dropHandler_(item, i);
            }
            break;
        }
    }
}

void HudItemListingBhv::EndDrag() {
    if (!dragging_) {
        return;
    }
    dragging_ = false;
    if (Pos2dComponent* pos = Pos2d()) {
        pos->Pos = dragStartPos_;
    }
}
