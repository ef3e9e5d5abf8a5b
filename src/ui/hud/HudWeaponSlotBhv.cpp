#include "ui/hud/HudWeaponSlotBhv.h"

#include "components/SpriteComponent.h"
#include "components/TintComponent.h"
#include "core/WellKnown.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"
#include "ui/hud/HudShow.h"

namespace {

// Selects the sprite only when the name differs from the one shown (selecting by name searches
// the atlas, and reading the sprite's name back would copy it every frame).
void ShowIcon(GameObject* object, const ItemComponent& item, std::string& shown) {
    if (!object) {
        return;
    }
    if (SpriteComponent* sprite = object->Sprite(); sprite && shown != item.IconImageName) {
        shown = item.IconImageName;
        sprite->SetImageName(shown);
    }
    if (TintComponent* tint = object->Tint()) {
        tint->Tint = item.IconTint;
    }
}

} // namespace

HudWeaponSlotBhv::HudWeaponSlotBhv() {
    RegisterProperty("SlotIndex", &SlotIndex);
    RegisterProperty("InactiveAlpha", &InactiveAlpha);
}

void HudWeaponSlotBhv::Start() {
    FindPieces();
}

void HudWeaponSlotBhv::FindPieces() {
    if (!icon_) {
        icon_ = FindChild("Icon");
        shownIcon_.clear();
    }
    if (!placerBlock_) {
        placerBlock_ = FindChild("PlacerBlock");
        shownBlockIcon_.clear();
    }
    if (!border_) {
        border_ = FindChild("Border");
    }
}

void HudWeaponSlotBhv::Update() {
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (!inventory) {
        return;
    }
    if (!icon_ || !placerBlock_ || !border_) {
        FindPieces();
    }
    GameObject* icon = icon_.Get();
    GameObject* placerBlock = placerBlock_.Get();
    if (SlotIndex >= inventory->QuickslotCount) {
        SetShown(Owner, false);
        SetPassesEnabled(placerBlock, false);
        return;
    }
    SetShown(Owner, true);
    const ItemComponent* weapon = weaponInSlot(SlotIndex);
    if (!weapon) {
        SetShown(icon, false);
        SetPassesEnabled(placerBlock, false);
    } else {
        SetShown(icon, true);
        ShowIcon(icon, *weapon, shownIcon_);
        const ItemComponent* block = inventory->CurrentBlock.Get();
        const bool showBlock = block && weapon->ItemName() == "Item_BlockPlacer";
        SetPassesEnabled(placerBlock, showBlock);
        if (showBlock) {
            ShowIcon(placerBlock, *block, shownBlockIcon_);
        }
    }
    if (border_) {
        if (TintComponent* tint = border_->Tint()) {
            tint->Tint.a = SlotIndex == inventory->SelectedQuickslot ? 255 : AlphaOf(InactiveAlpha);
        }
    }
}
